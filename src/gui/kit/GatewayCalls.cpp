#include "GatewayCalls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include <thread>

namespace tkd::gui::kit {
namespace {

// A disabled window still gets the window manager's close button: hold it until the reply is in.
class CloseHold : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }
};

} // namespace

sms::GatewayCall nonFreezingGatewayCall(QWidget* window, std::chrono::milliseconds timeout)
{
    QPointer<QWidget> guarded(window);
    return [guarded, timeout](const QString& url, const QByteArray& line) {
        QPointer<QWidget> top = guarded ? guarded->window() : nullptr;
        const bool wasEnabled = top && top->isEnabled();
        CloseHold hold;
        if (top) {
            top->setEnabled(false);
            top->installEventFilter(&hold);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);

        sms::GatewayReply reply;
        QEventLoop loop;
        std::thread worker([&] {
            reply = sms::post(url, line, timeout);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();

        QApplication::restoreOverrideCursor();
        if (top) {
            top->removeEventFilter(&hold);
            if (wasEnabled)
                top->setEnabled(true);
        }
        return reply;
    };
}

} // namespace tkd::gui::kit
