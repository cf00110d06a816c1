#include "BackgroundSends.h"

#include <QPointer>
#include <QThread>

#include <algorithm>

namespace tkd::gui::kit {

BackgroundSends::BackgroundSends(QObject* parent, std::chrono::milliseconds timeout)
    : QObject(parent), m_timeout(timeout)
{
}

BackgroundSends::~BackgroundSends()
{
    for (QThread* thread : m_threads) {
        thread->wait();
        delete thread;
    }
}

void BackgroundSends::post(const QString& url, const QByteArray& line,
                           std::function<void(const sms::GatewayReply&)> done)
{
    QPointer<BackgroundSends> self(this);
    const auto timeout = m_timeout;
    QThread* thread = QThread::create([self, url, line, timeout, done = std::move(done)] {
        const sms::GatewayReply reply = sms::post(url, line, timeout);
        if (self)
            QMetaObject::invokeMethod(
                self.data(), [done, reply] { done(reply); }, Qt::QueuedConnection);
    });
    m_threads.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), thread), m_threads.end());
        thread->deleteLater();
    });
    thread->start();
}

} // namespace tkd::gui::kit
