#include "BackgroundSends.h"

#include "sms/SmsOperations.h"

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

void BackgroundSends::send(SmsState& state, const QString& mobile, const QString& text)
{
    const quint64 session = state.session;
    post(state.url, sms::sendLine(state.account, state.password, mobile, text),
         [&state, session](const sms::GatewayReply& reply) { sms::takeSendReply(state, reply, session); });
}

} // namespace tkd::gui::kit
