#pragma once

#include "app/AppContext.h"

#include <QPointer>
#include <memory>

namespace tkd::gui {

class InputMethodFields;
class TLoginForm;
class TmainForm;
class TSplashForm;
class TsrfForm;

// The program's life from launch to the login window: splash, database, every window
// once, then the input-method setting. Owns the windows and the application context.
class Startup {
public:
    Startup(AppPaths paths, std::unique_ptr<Clock> clock);
    ~Startup();

    // Runs the start-up sequence; false (after showing why) when the database cannot be opened.
    bool start();

    AppContext& context() { return m_context; }
    TLoginForm* loginForm() const { return m_login.get(); }
    TmainForm* mainForm() const { return m_main.get(); }
    TsrfForm* inputMethodForm() const { return m_inputMethod.get(); }
    QWidget* splash() const;
    InputMethodFields* inputMethodFields() const { return m_fields.get(); }

private:
    AppContext m_context;
    QPointer<TSplashForm> m_splash;
    std::unique_ptr<TmainForm> m_main;
    std::unique_ptr<TLoginForm> m_login;
    std::unique_ptr<TsrfForm> m_inputMethod;
    std::unique_ptr<InputMethodFields> m_fields;
};

} // namespace tkd::gui
