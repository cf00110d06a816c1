#include "kit/BackgroundSends.h"
#include "SmsSimulator.h"
#include "sms/SmsOperations.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// Runs the event loop until every background request has come back and been taken.
bool waitForReplies(const gui::kit::BackgroundSends& sends)
{
    QDeadlineTimer deadline(20000);
    while (sends.running() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
    return sends.running() == 0;
}

SmsState loggedIn(const test::SmsSimulator& simulator, const QString& account, const QString& password)
{
    SmsState state;
    state.url = simulator.url();
    EXPECT_EQ(sms::login(state, account, password, sms::directCall()).value(), u(u"用户登录成功"));
    return state;
}

} // namespace

TEST(BackgroundSends, ReplyCountsOnlyWhileItsSessionLasts)
{
    test::SmsSimulator simulator({QStringLiteral("--slow"), QStringLiteral("800"), QStringLiteral("--account"),
                                  QStringLiteral("demo:demo:5"), QStringLiteral("--account"),
                                  QStringLiteral("other:pw:50")});
    ASSERT_TRUE(simulator.started());
    gui::kit::BackgroundSends sends;

    SmsState state = loggedIn(simulator, QStringLiteral("demo"), QStringLiteral("demo"));
    sends.send(state, QStringLiteral("13800000000"), u(u"好【澄岚软件】"));
    ASSERT_TRUE(waitForReplies(sends));
    EXPECT_EQ(state.remaining, QStringLiteral("4")) << "a reply of the running session counts";

    // Logged out while the message is on its way.
    sends.send(state, QStringLiteral("13800000000"), u(u"好【澄岚软件】"));
    sms::logout(state);
    ASSERT_TRUE(waitForReplies(sends));
    EXPECT_EQ(state.remaining, QStringLiteral("0")) << "the late reply leaves the logged-out state alone";
    EXPECT_FALSE(state.loggedIn());

    // Another account logged in while the message is on its way.
    state = loggedIn(simulator, QStringLiteral("demo"), QStringLiteral("demo"));
    sends.send(state, QStringLiteral("13800000000"), u(u"好【澄岚软件】"));
    ASSERT_EQ(sms::login(state, QStringLiteral("other"), QStringLiteral("pw"), sms::directCall()).value(),
              u(u"用户登录成功"));
    ASSERT_TRUE(waitForReplies(sends));
    EXPECT_EQ(state.remaining, QStringLiteral("50")) << "the other account's count is not the send's";
    EXPECT_EQ(state.account, QStringLiteral("other"));
}
