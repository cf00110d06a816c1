#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "sms/Gateway.h"
#include "sms/GbkCodec.h"
#include "sms/SmsOperations.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;
using tkd::test::SmsSimulator;

namespace {

SmsState stateFor(const SmsSimulator& simulator)
{
    SmsState state;
    state.url = simulator.url();
    state.signature = s(u"澄岚软件");
    return state;
}

SmsState loggedIn(SmsSimulator& simulator)
{
    SmsState state = stateFor(simulator);
    const auto result = sms::login(state, QStringLiteral("demo"), QStringLiteral("demo"), sms::directCall());
    EXPECT_EQ(result.value(), s(u"用户登录成功"));
    simulator.takeOutput();
    return state;
}

// The raw requests the simulator recorded, split at its separator.
QList<QByteArray> recordedRequests(const QString& file)
{
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> requests = f.readAll().split('\n');
    QList<QByteArray> joined;
    QByteArray current;
    for (const QByteArray& line : requests) {
        if (line == "----") {
            joined << current.chopped(1);
            current.clear();
        } else {
            current += line + '\n';
        }
    }
    return joined;
}

} // namespace

TEST(SmsRequestLines, ValuesAreFormEncodedFromGbkAndFixedTextsStay)
{
    EXPECT_EQ(sms::balanceLine(QStringLiteral("demo"), s(u"演示")),
              QByteArray("action=overage&userid=\"\"&account=demo&password=%D1%DD%CA%BE&"));
    EXPECT_EQ(sms::sendLine(QStringLiteral("a&b"), QStringLiteral("p=1"), QStringLiteral("13800000000\r\n13900000000"),
                            s(u"你好【澄岚软件】")),
              QByteArray("action=send&userid=\"\"&account=a%26b&password=p%3D1&mobile=13800000000%0D%0A13900000000"
                         "&content=%C4%E3%BA%C3%A1%BE%B3%CE%E1%B0%C8%ED%BC%FE%A1%BF&"));
}

TEST(SmsGateway, RequestsCarryTheHeadersAndTheGbkBodyEndedByCrLf)
{
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("requests.txt"));
    SmsSimulator simulator({QStringLiteral("--record"), record});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    ASSERT_TRUE(sms::sendSms(state, QStringLiteral("13800000000"), s(u"你好【澄岚软件】"), sms::directCall()).status ==
                sms::AutoSendResult::Status::Sent);

    const QList<QByteArray> requests = recordedRequests(record);
    ASSERT_EQ(requests.size(), 2);
    const QByteArray bodies[] = {QByteArray("action=overage&userid=\"\"&account=demo&password=demo&\r\n"),
                                 QByteArray("action=send&userid=\"\"&account=demo&password=demo&mobile=13800000000"
                                            "&content=%C4%E3%BA%C3%A1%BE%B3%CE%E1%B0%C8%ED%BC%FE%A1%BF&\r\n")};
    for (int i = 0; i < 2; ++i) {
        const QByteArray& request = requests[i];
        const qsizetype split = request.indexOf("\r\n\r\n");
        ASSERT_GT(split, 0);
        const QByteArray head = request.left(split + 2);
        EXPECT_EQ(request.mid(split + 4), bodies[i]);
        EXPECT_TRUE(head.startsWith("POST /smsgbk.aspx HTTP/1.0\r\n")) << head.constData();
        for (const char* header :
             {"Content-Type: application/x-www-form-urlencoded\r\n",
              "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 5.1; zh-CN; rv:1.9.0.1) Gecko/2008070208 "
              "Firefox/3.0.1\r\n",
              "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n",
              "Accept-Encoding: gzip\r\n", "Accept-Charset: gb2312,utf-8;q=0.7,*;q=0.7\r\n",
              "Connection: Connection=keep-alive\r\n", "Host: 127.0.0.1:"})
            EXPECT_TRUE(head.contains(header)) << "missing " << header << " in\n" << head.constData();
        EXPECT_TRUE(head.contains("Content-Length: " + QByteArray::number(bodies[i].size()) + "\r\n"));
    }
}

TEST(SmsLogin, SuccessTakesTheAccountAndTheGatewaysCredit)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("hall:secret:42")});
    ASSERT_TRUE(simulator.started());
    SmsState state = stateFor(simulator);
    const auto result = sms::login(state, QStringLiteral(" hall "), QStringLiteral("secret "), sms::directCall());
    ASSERT_FALSE(result.refused());
    EXPECT_EQ(result.value(), s(u"用户登录成功"));
    EXPECT_EQ(state.loginState, s(u"已登录"));
    EXPECT_EQ(state.account, QStringLiteral("hall"));
    EXPECT_EQ(state.password, QStringLiteral("secret"));
    EXPECT_EQ(state.remaining, QStringLiteral("42"));

    EXPECT_EQ(sms::logout(state), s(u"用户已注销"));
    EXPECT_EQ(state.loginState, s(u"未登录"));
    EXPECT_EQ(state.remaining, QStringLiteral("0"));
    EXPECT_EQ(sms::sendSms(state, QStringLiteral("13800000000"), s(u"x【a】"), sms::directCall()).status,
              sms::AutoSendResult::Status::NotLoggedIn);
}

TEST(SmsLogin, RefusedByTheGatewayStaysLoggedOut)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    SmsState state = stateFor(simulator);
    const auto result = sms::login(state, QStringLiteral("demo"), QStringLiteral("wrong"), sms::directCall());
    ASSERT_FALSE(result.refused());
    EXPECT_EQ(result.value(), s(u"用户名或密码不正确！"));
    EXPECT_EQ(state.loginState, s(u"未登录"));
    EXPECT_EQ(state.remaining, QStringLiteral("0"));
    EXPECT_TRUE(state.account.isEmpty());
}

TEST(SmsLogin, EmptyFieldsAreRefusedBeforeAnyRequest)
{
    SmsState state;
    int calls = 0;
    const sms::GatewayCall counting = [&calls](const QString&, const QByteArray&) {
        ++calls;
        return sms::GatewayReply{};
    };
    const auto noAccount = sms::login(state, QStringLiteral("  "), QStringLiteral("x"), counting);
    ASSERT_TRUE(noAccount.refused());
    EXPECT_EQ(noAccount.refusal().message, s(u"用户账号不能为空！"));
    EXPECT_EQ(noAccount.refusal().field, sms::field::account);
    const auto noPassword = sms::login(state, QStringLiteral("a"), QStringLiteral(" "), counting);
    ASSERT_TRUE(noPassword.refused());
    EXPECT_EQ(noPassword.refusal().message, s(u"用户密码不能为空！"));
    EXPECT_EQ(noPassword.refusal().field, sms::field::password);
    EXPECT_EQ(calls, 0);
}

TEST(SmsSend, ContentWithAmpersandAndEqualsArrivesAsOneValue)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    const QString content = s(u"A&B=C&mobile=13900000000 价格+10%【澄岚软件】");
    const auto result = sms::sendSms(state, QStringLiteral("13800000000"), content, sms::directCall());
    EXPECT_EQ(result.status, sms::AutoSendResult::Status::Sent);
    EXPECT_EQ(simulator.takeOutput(), QStringList{QStringLiteral("sent to 13800000000: ") + content});
}

TEST(SmsSend, AutomaticSendCountsDownOne)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5")});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    ASSERT_EQ(state.remaining, QStringLiteral("5"));
    const auto result = sms::sendSms(state, QStringLiteral("13800000000"), s(u"好【澄岚软件】"), sms::directCall());
    EXPECT_EQ(result.status, sms::AutoSendResult::Status::Sent);
    EXPECT_EQ(result.message, s(u"短信发送成功！"));
    EXPECT_EQ(state.remaining, QStringLiteral("4"));
}

TEST(SmsSend, GatewayRefusalIsShownWithAnExclamationAndCountsNothing)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:0")});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    const auto result = sms::sendSms(state, QStringLiteral("13800000000"), s(u"好【澄岚软件】"), sms::directCall());
    EXPECT_EQ(result.status, sms::AutoSendResult::Status::Failed);
    EXPECT_EQ(result.message, s(u"短信余额不足！"));
    EXPECT_FALSE(result.unreachable) << "the gateway's own refusal is a warning";
    EXPECT_EQ(state.remaining, QStringLiteral("0"));
}

// Each way the gateway can fail: a clear message, no login, no count change. A send that reached the
// gateway but got no readable answer may have gone out: it is never reported as not sent.
struct GatewayFault {
    const char* fault;
    const char16_t* cause;
    bool mayHaveGoneOut;
};

class SmsGatewayFailure : public ::testing::TestWithParam<GatewayFault> {};

TEST_P(SmsGatewayFailure, GivesAClearMessageAndChangesNothing)
{
    const QString fault = QString::fromLatin1(GetParam().fault);
    const QString cause = QString::fromUtf16(GetParam().cause);
    std::unique_ptr<SmsSimulator> simulator;
    SmsState state;
    state.remaining = QStringLiteral("7");
    if (fault == QStringLiteral("closed")) {
        // A port that was free a moment ago: nothing listens there.
        auto probe = std::make_unique<SmsSimulator>();
        ASSERT_TRUE(probe->started());
        state.url = probe->url();
    } else {
        QStringList args{QStringLiteral("--") + fault};
        if (fault == QStringLiteral("slow"))
            args << QStringLiteral("3000");
        simulator = std::make_unique<SmsSimulator>(args);
        ASSERT_TRUE(simulator->started());
        state.url = simulator->url();
    }
    const auto call = sms::directCall(std::chrono::milliseconds(500));

    const auto login = sms::login(state, QStringLiteral("demo"), QStringLiteral("demo"), call);
    ASSERT_FALSE(login.refused());
    EXPECT_TRUE(login.value().contains(cause)) << login.value().toStdString();
    EXPECT_EQ(state.loginState, s(u"未登录"));

    state.loginState = s(u"已登录");
    const auto send = sms::sendSms(state, QStringLiteral("13800000000"), s(u"好【a】"), call);
    EXPECT_EQ(send.status, sms::AutoSendResult::Status::Failed);
    EXPECT_TRUE(send.unreachable) << "shown as an error";
    EXPECT_TRUE(send.message.contains(cause)) << send.message.toStdString();
    if (GetParam().mayHaveGoneOut) {
        EXPECT_TRUE(send.message.startsWith(s(u"短信发送结果未知"))) << send.message.toStdString();
        EXPECT_TRUE(send.message.contains(s(u"请勿重复发送"))) << send.message.toStdString();
        EXPECT_FALSE(send.message.contains(s(u"没有发送"))) << send.message.toStdString();
    } else {
        EXPECT_TRUE(send.message.contains(s(u"短信没有发送"))) << send.message.toStdString();
    }
    EXPECT_EQ(state.remaining, QStringLiteral("7"));
}

INSTANTIATE_TEST_SUITE_P(Faults, SmsGatewayFailure,
                         ::testing::Values(GatewayFault{"closed", u"无法连接短信平台", false},
                                           GatewayFault{"http-error", u"HTTP 状态 500", true},
                                           GatewayFault{"garbage", u"短信平台的应答无法识别", true},
                                           GatewayFault{"no-message", u"短信平台的应答中没有结果信息", true},
                                           GatewayFault{"slow", u"等待应答超时", true},
                                           GatewayFault{"huge", u"应答超过 64 KB", true}),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param.fault);
                             name.remove(QLatin1Char('-'));
                             return name.toStdString();
                         });

TEST(SmsSend, TimedOutSendThatWentOutIsReportedAsUnknownNotAsUnsent)
{
    SmsSimulator simulator({QStringLiteral("--slow"), QStringLiteral("1500")});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    const QString before = state.remaining;
    const auto result = sms::sendSms(state, QStringLiteral("13800000000"), s(u"好【澄岚软件】"),
                                     sms::directCall(std::chrono::milliseconds(300)));
    EXPECT_EQ(result.message,
              s(u"短信发送结果未知（等待应答超时）。短信可能已经发出，请勿重复发送，可稍后查询余额确认！"));
    EXPECT_EQ(simulator.takeOutput(), QStringList{s(u"sent to 13800000000: 好【澄岚软件】")})
        << "the gateway did send it";
    EXPECT_EQ(state.remaining, before) << "nothing is counted on a guess";
}

TEST(SmsSend, ReplyWithByteOrderMarkAndBlankLinesIsRead)
{
    SmsSimulator simulator({QStringLiteral("--bom"), QStringLiteral("--account"), QStringLiteral("demo:demo:9")});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    EXPECT_EQ(state.remaining, QStringLiteral("9"));
    const auto result = sms::sendSms(state, QStringLiteral("13800000000"), s(u"好【澄岚软件】"), sms::directCall());
    EXPECT_EQ(result.status, sms::AutoSendResult::Status::Sent) << result.message.toStdString();
    EXPECT_EQ(state.remaining, QStringLiteral("8"));
}

TEST(SmsSend, LateReplyOfAnEarlierSessionChangesNothing)
{
    SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5"), QStringLiteral("--account"),
                            QStringLiteral("other:pw:50")});
    ASSERT_TRUE(simulator.started());
    SmsState state = loggedIn(simulator);
    // A send made in the background; its reply is taken only later.
    const quint64 sentIn = state.session;
    const sms::GatewayReply reply = sms::post(
        state.url, sms::sendLine(state.account, state.password, QStringLiteral("13800000000"), s(u"好【澄岚软件】")));
    ASSERT_TRUE(reply.succeeded());

    sms::logout(state);
    EXPECT_EQ(sms::takeSendReply(state, reply, sentIn).status, sms::AutoSendResult::Status::Failed);
    EXPECT_EQ(state.remaining, QStringLiteral("0")) << "not -1 after a logout";

    ASSERT_EQ(sms::login(state, QStringLiteral("other"), QStringLiteral("pw"), sms::directCall()).value(),
              s(u"用户登录成功"));
    sms::takeSendReply(state, reply, sentIn);
    EXPECT_EQ(state.remaining, QStringLiteral("50")) << "another account's count is not this send's";

    const quint64 now = state.session;
    EXPECT_EQ(sms::takeSendReply(state, reply, now).status, sms::AutoSendResult::Status::Sent);
    EXPECT_EQ(state.remaining, QStringLiteral("49")) << "a reply of the running session counts";
}

TEST(SmsReply, ReadsRootChildrenOnlyInAnyDeclaredEncoding)
{
    const auto utf8 = sms::parseReply(QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><r><message>") +
                                      s(u"操作成功").toUtf8() + QByteArray("</message><overage>12</overage></r>"));
    EXPECT_TRUE(utf8.succeeded());
    EXPECT_EQ(utf8.overage, QStringLiteral("12"));

    const auto nested = sms::parseReply("<r><x><message>ok</message></x></r>");
    EXPECT_FALSE(nested.wellFormed);
    const auto truncated = sms::parseReply("<r><message>ok</message>");
    EXPECT_FALSE(truncated.wellFormed);
    EXPECT_FALSE(truncated.failureText().isEmpty());
    const auto empty = sms::parseReply("");
    EXPECT_FALSE(empty.succeeded());
}

TEST(SmsReply, ByteOrderMarksAndBlankLinesBeforeTheDeclarationAreLetGo)
{
    const QString xml = s(u"<?xml version=\"1.0\" encoding=\"%1\"?>\r\n<r><message>操作成功</message>"
                          u"<overage>12</overage></r>");
    const QByteArray gbkBody = tkd::gbk::encode(xml.arg(QStringLiteral("gb2312")));
    const QByteArray utf8Body = xml.arg(QStringLiteral("utf-8")).toUtf8();
    QByteArray utf16Body("\xFF\xFE", 2);
    const QString utf16Text = QStringLiteral("\r\n") + xml.arg(QStringLiteral("utf-16"));
    utf16Body += QByteArray(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    const struct {
        const char* what;
        QByteArray body;
    } replies[] = {
        {"blank lines, GB2312", QByteArray("\r\n\r\n  ") + gbkBody},
        {"UTF-8 byte-order mark", QByteArray("\xEF\xBB\xBF") + utf8Body},
        {"UTF-8 byte-order mark and blank lines", QByteArray("\xEF\xBB\xBF\n\n") + utf8Body},
        {"UTF-16 byte-order mark", utf16Body},
    };
    for (const auto& reply : replies) {
        const auto parsed = sms::parseReply(reply.body);
        EXPECT_TRUE(parsed.succeeded()) << reply.what << ": " << parsed.failureText().toStdString();
        EXPECT_EQ(parsed.overage, QStringLiteral("12")) << reply.what;
    }
}

TEST(SmsReply, ReplyOver64KiBIsRefused)
{
    const QByteArray head = s(u"<r><message>操作成功</message><x>").toUtf8();
    const QByteArray tail("</x></r>");
    const QByteArray fits = head + QByteArray(64 * 1024 - head.size() - tail.size(), 'x') + tail;
    EXPECT_TRUE(sms::parseReply(fits).succeeded()) << "64 KiB is still read";
    const auto tooLong = sms::parseReply(head + QByteArray(64 * 1024, 'x') + tail);
    EXPECT_FALSE(tooLong.succeeded());
    EXPECT_EQ(tooLong.failureText(), s(u"短信平台的应答过长，短信操作没有完成！"));
}

TEST(SmsTypedSend, ChecksInOrderThenTakesTheGatewaysCount)
{
    SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    SmsState state = stateFor(simulator);
    const auto call = sms::directCall();

    const auto notLoggedIn = sms::sendTyped(state, QStringLiteral("13800000000"), s(u"好【a】"), call);
    ASSERT_TRUE(notLoggedIn.refused());
    EXPECT_EQ(notLoggedIn.refusal().message, s(u"请先登录，然后再发送短信！"));
    EXPECT_EQ(notLoggedIn.refusal().field, sms::field::account);

    state = loggedIn(simulator);
    EXPECT_EQ(sms::sendTyped(state, QStringLiteral(" \n "), s(u"好【a】"), call).refusal().message,
              s(u"手机号码不能为空！"));
    EXPECT_EQ(sms::sendTyped(state, QStringLiteral("13800000000"), QStringLiteral("  "), call).refusal().message,
              s(u"短信内容不能为空！"));

    const auto sent = sms::sendTyped(state, QStringLiteral("13800000000\n13900000000"), s(u"通知【澄岚软件】"), call);
    ASSERT_TRUE(sent.ok());
    EXPECT_EQ(sent.value(), s(u"短信发送成功！"));
    EXPECT_EQ(state.remaining, QStringLiteral("100")) << "the success is told before the count is asked for";
    sms::refreshBalance(state, call);
    EXPECT_EQ(state.remaining, QStringLiteral("98"));
    EXPECT_TRUE(simulator.takeOutput().contains(s(u"sent to 13800000000,13900000000: 通知【澄岚软件】")));
}

TEST(SmsSwitches, SavedToTheTableAndTheRunningState)
{
    tkd::test::TestDatabase database;
    SmsState state;
    ASSERT_TRUE(
        sms::saveSwitches(
            CommandContext{database.dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}.withSms(state),
            true, false, true)
            .ok());
    const ResultSet row = database.dm().list(QStringLiteral("select * from [短信设置]"));
    ASSERT_EQ(row.rowCount(), 1);
    EXPECT_TRUE(row.first(s(u"消费短信")).toBool());
    EXPECT_FALSE(row.first(s(u"充值短信")).toBool());
    EXPECT_TRUE(row.first(s(u"登记短信")).toBool());
    EXPECT_TRUE(state.afterConsumption);
    EXPECT_FALSE(state.afterPayment);
    EXPECT_TRUE(state.afterCheckIn);
}
