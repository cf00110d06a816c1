#include "Previews.h"
#include "ScriptedMessages.h"
#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "cardtypes/CardTypes.h"
#include "kit/report/ReportRenderer.h"
#include "kit/report/TmypreviewForm.h"
#include "members/TxzjsrForm.h"
#include "payments/PaymentSaving.h"
#include "payments/ThyczdjreportForm.h"
#include "payments/ThyczjlreportForm.h"
#include "payments/ThyjfForm.h"
#include "payments/TxftsForm.h"
#include "sms/SmsOperations.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

QString compact(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

QString pdfOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PaymentWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.openDatabase();
        context.setCurrentOperator(s(u"超级用户"));
        addType(QStringLiteral("Y"), s(u"月卡"), QStringLiteral("30"), 300);
        addType(QStringLiteral("J"), s(u"季卡"), QStringLiteral("90"), 800);
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[开卡日期],"
                                   "[到期日期],[有效天数],[有效次数],[售价],[卡内余额],[移动电话]) values "
                                   "('O1','张小龙','月卡','可用','2024-01-01','2024-04-01',30,3,300,50,'13800000000'),"
                                   "('E1','李小燕','月卡','可用','2023-12-01','2024-03-01',30,0,300,0,'13900000000')"));
        picker = std::make_unique<gui::TxzjsrForm>(context.session());
        form = std::make_unique<gui::ThyjfForm>(context.session(), context.sms(), picker.get());
    }
    void TearDown() override { test::closePreviews(); }
    void addType(const QString& code, const QString& name, const QString& days, int price)
    {
        cardtypes::Input input;
        input.code = code;
        input.name = name;
        input.days = days;
        input.price = Money::fromYuan(price);
        ASSERT_FALSE(cardtypes::save(context.command(), input).refused());
    }
    TvelunDMForm& dm() { return context.velunDMForm(); }
    Value stored(const char* card, const char16_t* column)
    {
        return dm()
            .open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), QString::fromLatin1(card)}})
            .first(s(column));
    }
    QString label(const char* name) { return in<QLabel>(form.get(), name)->text(); }
    QLineEdit* edit(const char* name) { return in<QLineEdit>(form.get(), name); }
    // Runs the window modally and presses "保存" once it is up; then does what the window left open.
    int saveModally(std::function<void()> whileSaving = {})
    {
        QTimer::singleShot(0, form.get(), [this, whileSaving] {
            if (whileSaving)
                whileSaving();
            in<QPushButton>(form.get(), "saveButton")->click();
            if (form->isVisible())
                in<QPushButton>(form.get(), "closeButton")->click();
        });
        return form->exec();
    }
    gui::TmypreviewForm* openPreview()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* preview = qobject_cast<gui::TmypreviewForm*>(w))
                return preview;
        return nullptr;
    }
    int paymentRows() { return dm().list(QStringLiteral("select * from [会员充值]")).rowCount(); }

    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
    std::unique_ptr<gui::TxzjsrForm> picker;
    std::unique_ptr<gui::ThyjfForm> form;
};

TEST_F(PaymentWindow, RenewFromTheFrontDeskShowsProposalsThenTheReceipt)
{
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    EXPECT_EQ(form->windowTitle(), s(u"会员交费"));
    EXPECT_EQ(edit("cardNumberEdit")->text(), QStringLiteral("O1"));
    EXPECT_FALSE(edit("cardNumberEdit")->isEnabled());
    EXPECT_EQ(label("nameLabel"), s(u"张小龙"));
    EXPECT_EQ(label("balanceLabel"), s(u"50元"));
    EXPECT_EQ(label("visitsLabel"), s(u"3次"));
    EXPECT_EQ(label("expiryLabel"), QStringLiteral("2024-04-01"));
    EXPECT_FALSE(in<QWidget>(form.get(), "chooseMemberButton")->isVisibleTo(form.get()));
    auto* type = in<QComboBox>(form.get(), "renewTypeCombo");
    EXPECT_EQ(type->currentText(), s(u"月卡"));
    EXPECT_EQ(edit("renewAmountEdit")->text(), QStringLiteral("300"));
    EXPECT_EQ(label("renewExpiryLabel"), QStringLiteral("2024-05-01"));

    type->setCurrentText(s(u"季卡"));
    EXPECT_EQ(edit("renewAmountEdit")->text(), QStringLiteral("800"));
    EXPECT_EQ(label("renewExpiryLabel"), QStringLiteral("2024-06-30"));
    EXPECT_EQ(label("renewVisitsLabel"), s(u"不限次数"));
    in<QCheckBox>(form.get(), "changeGradeCheck")->setChecked(true);
    EXPECT_EQ(edit("renewAmountEdit")->text(), QStringLiteral("500")) << "the difference to the recorded price";
    EXPECT_EQ(label("renewExpiryLabel"), QStringLiteral("2024-03-31"));

    EXPECT_EQ(saveModally(), QDialog::Accepted);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u'|').toStdString();
    EXPECT_EQ(form->lastOutcome().type, s(u"季卡"));
    EXPECT_EQ(form->lastOutcome().expiry, QStringLiteral("2024-03-31"));
    EXPECT_EQ(stored("O1", u"会员类型").toText(), s(u"季卡"));
    gui::TmypreviewForm* preview = openPreview();
    ASSERT_NE(preview, nullptr) << "the receipt is previewed after saving";
    EXPECT_TRUE(preview->renderer().report().isReceipt());
    EXPECT_TRUE(preview->renderer().report().headerLines().contains(s(u"交费金额：500")));

    // The check box keeps its state for the next payment; the page goes back to the first.
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::MemberList, QStringLiteral("O1")));
    EXPECT_TRUE(in<QCheckBox>(form.get(), "changeGradeCheck")->isChecked());
    EXPECT_EQ(edit("renewAmountEdit")->text(), QStringLiteral("0"));
    EXPECT_FALSE(form->prepare(gui::ThyjfForm::Opener::MemberList, QStringLiteral("NOPE")));
}

TEST_F(PaymentWindow, ExpiredMemberIsAskedAndCancelWritesNothing)
{
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::MemberList, QStringLiteral("E1")));
    gui::TxftsForm* prompt = form->prompt();
    QString offered;
    EXPECT_EQ(saveModally([prompt, &offered] {
                  QTimer::singleShot(0, prompt, [prompt, &offered] {
                      offered = in<QLabel>(prompt, "fromTodayDateLabel")->text();
                      in<QPushButton>(prompt, "cancelButton")->click();
                  });
              }),
              QDialog::Rejected);
    EXPECT_EQ(offered, s(u"新的到期日期是：2024-04-14"));
    EXPECT_EQ(paymentRows(), 0);

    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::MemberList, QStringLiteral("E1")));
    EXPECT_EQ(saveModally([prompt] {
                  QTimer::singleShot(0, prompt, [prompt] {
                      EXPECT_EQ(prompt->windowTitle(), s(u"续费提示"));
                      EXPECT_TRUE(in<QRadioButton>(prompt, "fromOldExpiryRadio")->isChecked());
                      in<QRadioButton>(prompt, "fromTodayRadio")->setChecked(true);
                      in<QPushButton>(prompt, "saveButton")->click();
                  });
              }),
              QDialog::Accepted);
    EXPECT_EQ(stored("E1", u"到期日期").toDate(), QDate(2024, 4, 14));
    EXPECT_EQ(paymentRows(), 1);
}

TEST_F(PaymentWindow, CustomRenewalAndRecharge)
{
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    in<QTabWidget>(form.get(), "pages")->setCurrentIndex(1);
    QTest::keyClicks(edit("customDaysEdit"), QStringLiteral("5x"));
    EXPECT_EQ(edit("customDaysEdit")->text(), QStringLiteral("05")) << "digits only";
    edit("customVisitsEdit")->setText(QStringLiteral("4"));
    EXPECT_EQ(label("customExpiryLabel"), QStringLiteral("2024-04-06"));
    EXPECT_EQ(label("customVisitsLabel"), s(u"7次"));
    edit("customAmountEdit")->setText(QStringLiteral("60"));
    EXPECT_EQ(saveModally(), QDialog::Accepted);
    EXPECT_EQ(form->lastOutcome().visitsLeft, s(u"7次"));
    EXPECT_EQ(stored("O1", u"到期日期").toDate(), QDate(2024, 4, 6));

    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    EXPECT_EQ(in<QTabWidget>(form.get(), "pages")->currentIndex(), 0) << "every opener shows the first page";
    in<QTabWidget>(form.get(), "pages")->setCurrentIndex(2);
    QTest::keyClicks(edit("depositEdit"), QStringLiteral("100"));
    EXPECT_EQ(edit("paidEdit")->text(), QStringLiteral("0100")) << "the deposit is copied into the amount paid";
    edit("paidEdit")->setText(QStringLiteral("90"));
    EXPECT_EQ(saveModally(), QDialog::Accepted);
    EXPECT_EQ(form->lastOutcome().balance, s(u"150.00元"));
    EXPECT_EQ(stored("O1", u"卡内余额").toMoney(), Money::fromYuan(150));

    // A bad amount is refused on screen and nothing is written.
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    edit("renewAmountEdit")->setText(QStringLiteral("."));
    EXPECT_EQ(saveModally(), QDialog::Rejected);
    EXPECT_EQ(messages.texts, QStringList{s(u"请输入正确的交费金额！")});
    EXPECT_EQ(paymentRows(), 2);
}

TEST_F(PaymentWindow, StatisticsOpenerPicksAMemberWithTheChooser)
{
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::Statistics));
    EXPECT_TRUE(in<QWidget>(form.get(), "chooseMemberButton")->isVisibleTo(form.get()));
    EXPECT_EQ(in<QComboBox>(form.get(), "renewTypeCombo")->currentIndex(), -1);
    EXPECT_EQ(saveModally(), QDialog::Rejected);
    EXPECT_EQ(messages.texts, QStringList{s(u"请选择会员！")});
}

TEST_F(PaymentWindow, SmsAfterSavingNeedsALoginAndSendsTheAmount)
{
    SmsState& sms = context.sms();
    sms.afterPayment = true;
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    EXPECT_EQ(saveModally(), QDialog::Rejected);
    EXPECT_EQ(messages.texts, QStringList{s(u"请先登录再发短信！")});
    EXPECT_EQ(paymentRows(), 0);

    test::SmsSimulator simulator;
    ASSERT_TRUE(simulator.started());
    sms.url = simulator.url();
    ASSERT_EQ(sms::login(sms, QStringLiteral("demo"), QStringLiteral("demo"), sms::directCall()).value(),
              s(u"用户登录成功"));
    simulator.takeOutput();
    messages.texts.clear();
    ASSERT_TRUE(form->prepare(gui::ThyjfForm::Opener::FrontDesk, QStringLiteral("O1")));
    EXPECT_EQ(saveModally(), QDialog::Accepted);
    EXPECT_EQ(messages.texts, QStringList{s(u"短信发送成功！")});
    const QString sent = simulator.takeOutput().join(u'\n');
    EXPECT_TRUE(sent.contains(s(u"sent to 13800000000: 学员：张小龙(O1)于3月15日 09:30充值￥300.00元")))
        << sent.toStdString();
    EXPECT_EQ(paymentRows(), 1);
}

TEST_F(PaymentWindow, EachKindOfPaymentPrintsItsOwnReceiptLines)
{
    const CommandContext save{dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 30)), &context.sms()};
    const Outcome<payments::Payment> outcomes[] = {
        payments::renew(save, {QStringLiteral("O1"), s(u"季卡"), QStringLiteral("800"), {}, s(u"现金")}),
        payments::renewCustom(
            save,
            {QStringLiteral("O1"), QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("120"), {}, s(u"现金")}),
        payments::recharge(save, {QStringLiteral("O1"), QStringLiteral("100"), QStringLiteral("90"), {}, s(u"现金")})};
    const QStringList expected[] = {
        {s(u"会员类型：季卡"), s(u"交费金额：800"), s(u"到期日期：2024-06-30"), s(u"交费时间：24-03-1509:30")},
        {s(u"交费金额：120"), s(u"可用天数：10天"), s(u"可用次数：2次")},
        {s(u"充值金额：100"), s(u"优惠金额：10"), s(u"卡内余额：150"), s(u"充值时间：24-03-1509:30")}};
    QTemporaryDir dir;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(outcomes[i].ok()) << i;
        const QString pdf = dir.filePath(QStringLiteral("r%1.pdf").arg(i));
        ASSERT_TRUE(gui::ReportRenderer(gui::ThyczdjreportForm::build(outcomes[i]->receipt)).renderToPdf(pdf));
        const QString text = compact(pdfOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
        for (const QString& line : QStringList{outcomes[i]->receipt.title} + outcomes[i]->receipt.lines)
            EXPECT_TRUE(text.contains(compact(line)))
                << i << ": " << line.toStdString() << " in " << text.toStdString();
        for (const QString& line : expected[i])
            EXPECT_TRUE(text.contains(compact(line)))
                << i << ": " << line.toStdString() << " in " << text.toStdString();
    }
}

TEST_F(PaymentWindow, ReceiptAndHistoryRenderToPdfWithTheirLines)
{
    payments::Receipt receipt{
        s(u"澄岚跆拳道馆"),
        {s(u"会员卡号：O1"), s(u"会员姓名：张小龙"), s(u"交费金额：500"), s(u"收 款 人：超级用户")}};
    QTemporaryDir dir;
    const QString receiptPdf = dir.filePath(QStringLiteral("receipt.pdf"));
    ASSERT_TRUE(gui::ReportRenderer(gui::ThyczdjreportForm::build(receipt)).renderToPdf(receiptPdf));
    const QString text = compact(pdfOutput(QStringLiteral("pdftotext"), {receiptPdf, QStringLiteral("-")}));
    for (const QString& line : QStringList{receipt.title} + receipt.lines)
        EXPECT_TRUE(text.contains(compact(line))) << line.toStdString() << " in " << text.toStdString();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                          .match(pdfOutput(QStringLiteral("pdfinfo"), {receiptPdf}));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble(), 58 * 72 / 25.4, 1.0) << "a 58 mm roll";
    EXPECT_NEAR(size.captured(2).toDouble(), 80 * 72 / 25.4, 1.0) << "80 mm long";

    dm().change(
        QStringLiteral("insert into [会员充值] ([充值日期],[会员卡号],[充值金额],[优惠金额],[充值说明],[操作员]) "
                       "values ('2024-03-01 10:00:00','O1',100,10,'会员交费','超级用户'),"
                       "('2024-03-02 10:00:00','O1',300,0,'交费等级：月卡','超级用户')"));
    const gui::Report history =
        gui::ThyczjlreportForm::forMember(dm(), QStringLiteral("O1"), QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
    const QString historyPdf = dir.filePath(QStringLiteral("history.pdf"));
    ASSERT_TRUE(gui::ReportRenderer(history).renderToPdf(historyPdf));
    const QString listed = compact(pdfOutput(QStringLiteral("pdftotext"), {historyPdf, QStringLiteral("-")}));
    for (const char16_t* expected : {u"会员充值记录", u"充值金额合计：400.00", u"优惠金额合计：10.00",
                                     u"会员姓名：O1张小龙", u"打印时间：2024-03-1509:30:00", u"交费等级：月卡"})
        EXPECT_TRUE(listed.contains(s(expected))) << s(expected).toStdString() << " in " << listed.toStdString();
}

} // namespace
