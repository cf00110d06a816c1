#pragma once

#include "sms/Gateway.h"
#include "sms/SmsState.h"

#include <QObject>

#include <functional>
#include <vector>

class QThread;

namespace tkd::gui::kit {

// Gateway requests nobody waits for (the unattended desk's check-in messages): the next member
// can swipe while one is on its way. Replies are handed back on the owner's thread; going away
// waits for requests still running, each bounded by the time-out.
class BackgroundSends : public QObject {
    Q_OBJECT
public:
    explicit BackgroundSends(QObject* parent = nullptr, std::chrono::milliseconds timeout = sms::defaultTimeout);
    ~BackgroundSends() override;

    void post(const QString& url, const QByteArray& line, std::function<void(const sms::GatewayReply&)> done);
    // An automatic message sent under the state's current session; its reply is taken into the
    // state only while that session lasts (a logout or another account meanwhile leaves it alone).
    // The state must outlive this object.
    void send(SmsState& state, const QString& mobile, const QString& text);
    int running() const { return static_cast<int>(m_threads.size()); }

private:
    std::chrono::milliseconds m_timeout;
    std::vector<QThread*> m_threads;
};

} // namespace tkd::gui::kit
