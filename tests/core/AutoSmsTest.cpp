#include "sms/AutoSms.h"
#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "app/CommandContext.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;
using tkd::test::SmsSimulator;
using Status = sms::AutoSendResult::Status;

namespace {

const QString kMobile = QStringLiteral("13800000000");

// A desk after a command: the session points at the simulator, every switch off, not logged in.
class AutoSms : public ::testing::Test {
protected:
    CommandContext context() { return CommandContext{db.dm(), s(u"前台"), kNow}.withSms(state); }
    // Logs the session in through the simulator and forgets the login request it recorded.
    void logIn(SmsSimulator& simulator)
    {
        state.url = simulator.url();
        ASSERT_EQ(sms::login(state, QStringLiteral("demo"), QStringLiteral("demo"), sms::directCall()).value(),
                  s(u"用户登录成功"));
        simulator.takeOutput();
    }

    const QDateTime kNow{QDate(2024, 3, 15), QTime(10, 30)};
    test::TestDatabase db;
    SmsState state;
};

TEST_F(AutoSms, SwitchOffSendsNothingAndSaysNothing)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    logIn(simulator);
    state.afterPayment = true; // another switch on must not let the check-in message out
    const auto result =
        sms::sendAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, s(u"好【澄岚】"), sms::directCall());
    EXPECT_EQ(result.status, Status::SwitchOff);
    EXPECT_TRUE(result.message.isEmpty()) << "nothing to show";
    EXPECT_TRUE(simulator.takeOutput().isEmpty()) << "no request reached the gateway";
    EXPECT_EQ(state.remaining, QStringLiteral("100"));
}

TEST_F(AutoSms, SwitchOnButLoggedOutAsksForTheLoginWithoutARequest)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    state.url = simulator.url();
    state.afterCheckIn = true;
    const auto result =
        sms::sendAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, s(u"好【澄岚】"), sms::directCall());
    EXPECT_EQ(result.status, Status::NotLoggedIn);
    EXPECT_EQ(result.message, s(u"请先登录再发短信！"));
    EXPECT_FALSE(result.unreachable);
    EXPECT_TRUE(simulator.takeOutput().isEmpty());
}

TEST_F(AutoSms, SentReachesTheMobileAndCountsDownOne)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5")});
    ASSERT_TRUE(simulator.started());
    logIn(simulator);
    state.afterPayment = true;
    const QString text = s(u"学员：张小龙(O1)于3月15日 10:30充值￥300.00元【澄岚】");
    const auto result = sms::sendAfterCommand(context(), sms::AutoSwitch::Payment, kMobile, text, sms::directCall());
    EXPECT_EQ(result.status, Status::Sent);
    EXPECT_EQ(result.message, s(u"短信发送成功！"));
    EXPECT_EQ(simulator.takeOutput(), QStringList{QStringLiteral("sent to 13800000000: ") + text});
    EXPECT_EQ(state.remaining, QStringLiteral("4"));
}

TEST_F(AutoSms, GatewayRefusalIsAWarningAndCountsNothing)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:0")});
    ASSERT_TRUE(simulator.started());
    logIn(simulator);
    state.afterConsumption = true;
    const auto result =
        sms::sendAfterCommand(context(), sms::AutoSwitch::Consumption, kMobile, s(u"好【澄岚】"), sms::directCall());
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.message, s(u"短信余额不足！"));
    EXPECT_FALSE(result.unreachable) << "the gateway answered: a warning, not an error";
    EXPECT_EQ(state.remaining, QStringLiteral("0"));
}

TEST_F(AutoSms, UnreachableGatewayIsFlaggedForTheErrorBox)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    logIn(simulator);
    state.afterCheckIn = true;
    {
        // A port that was free a moment ago: nothing listens there any more.
        SmsSimulator gone;
        ASSERT_TRUE(gone.started());
        state.url = gone.url();
    }
    const auto result = sms::sendAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, s(u"好【澄岚】"),
                                              sms::directCall(std::chrono::milliseconds(500)));
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_TRUE(result.unreachable);
    EXPECT_TRUE(result.message.contains(s(u"无法连接短信平台"))) << result.message.toStdString();
    EXPECT_EQ(state.remaining, QStringLiteral("100"));
}

TEST_F(AutoSms, ContextWithoutASessionSendsNothing)
{
    int calls = 0;
    const sms::GatewayCall counting = [&calls](const QString&, const QByteArray&) {
        ++calls;
        return sms::GatewayReply{};
    };
    const CommandContext bare{db.dm(), s(u"前台"), kNow};
    EXPECT_EQ(sms::sendAfterCommand(bare, sms::AutoSwitch::CheckIn, kMobile, s(u"好"), counting).status,
              Status::SwitchOff);
    EXPECT_EQ(calls, 0);
}

// Each command's message is governed by its own switch and by no other.
class AutoSmsSwitch : public ::testing::TestWithParam<sms::AutoSwitch> {};

TEST_P(AutoSmsSwitch, OnlyItsOwnSwitchLetsTheMessageOut)
{
    const sms::AutoSwitch which = GetParam();
    SmsState state;
    for (bool consumption : {false, true})
        for (bool payment : {false, true})
            for (bool checkIn : {false, true}) {
                state.afterConsumption = consumption;
                state.afterPayment = payment;
                state.afterCheckIn = checkIn;
                const bool expected = which == sms::AutoSwitch::Consumption ? consumption
                                      : which == sms::AutoSwitch::Payment   ? payment
                                                                            : checkIn;
                EXPECT_EQ(sms::switchedOn(state, which), expected)
                    << "consumption " << consumption << " payment " << payment << " check-in " << checkIn;
            }
}

INSTANTIATE_TEST_SUITE_P(Switches, AutoSmsSwitch,
                         ::testing::Values(sms::AutoSwitch::CheckIn, sms::AutoSwitch::Payment,
                                           sms::AutoSwitch::Consumption));

TEST_F(AutoSms, BackgroundPathDecidesAlikeAndPostsTheSameRequest)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5")});
    ASSERT_TRUE(simulator.started());
    struct Posted {
        QString url;
        QByteArray line;
        quint64 session;
    };
    std::vector<Posted> posted;
    const sms::PostRequest post = [&posted](const QString& url, const QByteArray& line, quint64 sentInSession) {
        posted.push_back({url, line, sentInSession});
    };
    const QString text = s(u"学员：张小龙(O1)于3月15日 10:30登记【澄岚】");

    auto held = sms::postAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, text, post);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->status, Status::SwitchOff);
    state.afterCheckIn = true;
    held = sms::postAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, text, post);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->status, Status::NotLoggedIn);
    EXPECT_EQ(held->message, s(u"请先登录再发短信！"));
    EXPECT_TRUE(posted.empty()) << "nothing is posted while the message is held";

    logIn(simulator);
    EXPECT_FALSE(sms::postAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, text, post));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].url, simulator.url());
    EXPECT_EQ(posted[0].line, sms::sendLine(QStringLiteral("demo"), QStringLiteral("demo"), kMobile, text));
    EXPECT_EQ(posted[0].session, state.session) << "tagged with the login it was sent under";
    EXPECT_EQ(state.remaining, QStringLiteral("5")) << "counted only when the reply comes";

    // The reply, as the background sender hands it back later.
    const auto reply = sms::takeSendReply(state, sms::post(posted[0].url, posted[0].line), posted[0].session);
    EXPECT_EQ(reply.status, Status::Sent);
    EXPECT_EQ(simulator.takeOutput(), QStringList{QStringLiteral("sent to 13800000000: ") + text});
    EXPECT_EQ(state.remaining, QStringLiteral("4"));

    // A reply that comes back after a logout belongs to a login that is over: the count stays.
    EXPECT_FALSE(sms::postAfterCommand(context(), sms::AutoSwitch::CheckIn, kMobile, text, post));
    ASSERT_EQ(posted.size(), 2u);
    sms::logout(state);
    const auto late = sms::takeSendReply(state, sms::post(posted[1].url, posted[1].line), posted[1].session);
    EXPECT_EQ(late.status, Status::Failed);
    EXPECT_EQ(state.remaining, QStringLiteral("0")) << "the logout's count, untouched by the late reply";
    EXPECT_FALSE(state.loggedIn());
}

} // namespace
