#include "GatewayCalls.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include <thread>

namespace tkd::gui::kit {

sms::GatewayCall nonFreezingGatewayCall(QWidget* window, std::chrono::milliseconds timeout)
{
    QPointer<QWidget> guarded(window);
    return [guarded, timeout](const QString& url, const QByteArray& line) {
        QWidget* top = guarded ? guarded->window() : nullptr;
        const bool wasEnabled = top && top->isEnabled();
        if (top)
            top->setEnabled(false);
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
        if (top && wasEnabled)
            top->setEnabled(true);
        return reply;
    };
}

} // namespace tkd::gui::kit
