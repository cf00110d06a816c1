#include "Startup.h"

#include "CommandRegistry.h"
#include "TLoginForm.h"
#include "TSplashForm.h"
#include "TmainForm.h"
#include "db/DbError.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"

#include <QApplication>

namespace tkd::gui {

Startup::Startup(AppPaths paths, std::unique_ptr<Clock> clock)
    : m_context(std::move(paths), std::move(clock)), m_lock(m_context.paths().dataDir())
{
}

Startup::~Startup()
{
    delete m_splash.data();
}

QWidget* Startup::splash() const
{
    return m_splash.data();
}

CommandRegistry* Startup::registry() const
{
    return m_main ? m_main->registry() : nullptr;
}

bool Startup::start()
{
    // Before anything touches the file: a second copy on the same folder goes no further.
    if (const MaybeRefusal refusal = m_lock.acquire()) {
        Messages::refusal(nullptr, *refusal);
        return false;
    }
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
    // What the windows read at start goes through the standard error box, then the program ends.
    if (!kit::guarded(nullptr, [this] { makeWindows(); })) {
        stop();
        return false;
    }
    m_login->show();
    return true;
}

void Startup::makeWindows()
{
    m_login = std::make_unique<TLoginForm>(m_context);
    m_main = std::make_unique<TmainForm>(m_context);
    m_main->initialise();
    m_login->setMainForm(m_main.get());
    m_login->setSplash(m_splash.data());
    m_main->setLoginForm(m_login.get());

    // Every window is made on first use: each gets the input-method setting as it is made.
    m_fields = std::make_unique<InputMethodFields>(Config::load(m_context.paths().iniFile()).inputMethod);
    m_fields->applyTo({m_login.get(), m_main.get()});
    m_main->registry()->setWindowMade([this](QWidget* window) { m_fields->applyTo({window}); });
}

void Startup::stop()
{
    delete m_splash.data();
    m_main.reset();
    m_login.reset();
    m_fields.reset();
    m_context.velunDMForm().disconnect();
}

} // namespace tkd::gui
