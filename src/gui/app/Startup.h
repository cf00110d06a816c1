#pragma once

#include "app/AppContext.h"
#include "app/InstanceLock.h"

#include <QPointer>
#include <memory>

namespace tkd::gui {

class CommandRegistry;
class InputMethodFields;
class TLoginForm;
class TmainForm;
class TSplashForm;

// The program's life from launch to the login window: the data folder's lock, splash,
// database, login and main windows, then the input-method setting for every window as it is
// made. Owns the windows and the application context.
class Startup {
public:
    Startup(AppPaths paths, std::unique_ptr<Clock> clock);
    ~Startup();

    // Runs the start-up sequence; false (after showing why) when another copy holds the data
    // folder, the database cannot be opened or reading it at start fails.
    bool start();

    AppContext& context() { return m_context; }
    TLoginForm* loginForm() const { return m_login.get(); }
    TmainForm* mainForm() const { return m_main.get(); }
    CommandRegistry* registry() const;
    QWidget* splash() const;
    InputMethodFields* inputMethodFields() const { return m_fields.get(); }

private:
    void makeWindows();
    void stop();

    AppContext m_context;
    InstanceLock m_lock;
    QPointer<TSplashForm> m_splash;
    std::unique_ptr<TmainForm> m_main;
    std::unique_ptr<TLoginForm> m_login;
    std::unique_ptr<InputMethodFields> m_fields;
};

} // namespace tkd::gui
