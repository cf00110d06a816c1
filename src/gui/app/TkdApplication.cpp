#include "TkdApplication.h"

#include "db/DbError.h"
#include "kit/Messages.h"

namespace tkd::gui {

TkdApplication::TkdApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("tkd"));
    // No display name: the desktop would append it to every caption ("提示信息 — ...").
    setQuitOnLastWindowClosed(false);
}

QString TkdApplication::title()
{
    return Messages::programTitle();
}

bool TkdApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        Messages::failure(activeWindow(), e.message());
    } catch (const std::exception& e) {
        Messages::failure(activeWindow(), QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tkd::gui
