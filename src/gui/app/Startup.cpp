#include "Startup.h"

#include "TLoginForm.h"
#include "TSplashForm.h"
#include "TmainForm.h"
#include "TsrfForm.h"
#include "app/InputMethods.h"
#include "db/DbError.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"

#include <QApplication>

namespace tkd::gui {

Startup::Startup(AppPaths paths, std::unique_ptr<Clock> clock) : m_context(std::move(paths), std::move(clock)) {}

Startup::~Startup()
{
    delete m_splash.data();
}

QWidget* Startup::splash() const
{
    return m_splash.data();
}

bool Startup::start()
{
    m_splash = new TSplashForm;
    m_splash->show();
    m_splash->repaint();
    QApplication::processEvents();

    try {
        m_context.openDatabase();
    } catch (const DbError& e) {
        delete m_splash.data();
        Messages::failure(nullptr, QStringLiteral("无法打开数据库：\n") + e.message());
        return false;
    }

    m_login = std::make_unique<TLoginForm>(m_context);
    m_main = std::make_unique<TmainForm>(m_context);
    m_main->initialise();
    m_login->setMainForm(m_main.get());
    m_login->setSplash(m_splash.data());
    m_main->setLoginForm(m_login.get());
    // The input-method window comes last, once every field it applies to exists.
    m_inputMethod = std::make_unique<TsrfForm>(m_context.paths().iniFile(), InputMethods::engines(), m_main.get());
    m_main->setInputMethodForm(m_inputMethod.get());

    m_fields = std::make_unique<InputMethodFields>(Config::load(m_context.paths().iniFile()).inputMethod);
    m_fields->applyTo({m_login.get(), m_main.get(), m_inputMethod.get()});

    m_login->show();
    return true;
}

} // namespace tkd::gui
