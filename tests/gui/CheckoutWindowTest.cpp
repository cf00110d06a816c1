#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Previews.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "cardtypes/CardTypes.h"
#include "goods/Checkout.h"
#include "goods/ShoppingList.h"
#include "goods/StockLedger.h"
#include "goods/ThyxfForm.h"
#include "goods/TjzdreportForm.h"
#include "goods/TlhjzForm.h"
#include "goods/TxgxfForm.h"
#include "goods/TxjjzForm.h"
#include "kit/DataGrid.h"
#include "kit/report/ReportRenderer.h"
#include "kit/report/TmypreviewForm.h"
#include "security/TsrmmForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

// A member with a password, 100 on the card and a 0.90 card; a stock item and a service; one coach.
class CheckoutWindow : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        cardtypes::Input type;
        type.code = QStringLiteral("J");
        type.name = s(u"金卡");
        type.discount = QStringLiteral("0.9");
        ASSERT_FALSE(cardtypes::save(context().command(), type).refused());
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[会员密码],"
                                   "[卡内余额],[消费总额],[会员积分],[会员生日],[移动电话]) values('1001','张小龙',"
                                   "'金卡','可用','88',100,0,5,'00-00','13800000000')"));
        dm().change(
            QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[预售单价],[数量],"
                           "[销售总数],[人工服务]) values('A01','护具','副',-1,50,0,0,0),"
                           "('S01','私教课','节',0,30,0,0,-1)"));
        goods::StockMove opening;
        opening.code = QStringLiteral("A01");
        opening.name = s(u"护具");
        opening.quantity = goods::Quantity::whole(10);
        opening.day = startMoment().date();
        goods::recordStockMove(dm(), opening);
        dm().change(QStringLiteral("insert into [员工设置] ([姓名],[职务],[状态]) values('王教练','教练','正常')"));
        dm().change(QStringLiteral("update [其它设置] set [消费积分]=10"));
    }
    void TearDown() override { test::closePreviews(); }
    gui::TmypreviewForm* openPreview() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* preview = qobject_cast<gui::TmypreviewForm*>(w); preview && preview->isVisible())
                return preview;
        return nullptr;
    }
    int consumptionRows() const { return tabs()->grid(QStringLiteral("consumptionGrid"))->result().rowCount(); }
    double stock(const char* code)
    {
        return dm()
            .open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), QString::fromLatin1(code)}})
            .first(s(u"数量"))
            .toDouble();
    }
    // Types the search, opens the picker, puts the row of that code current and adds it with the quantity.
    static void addGoods(gui::ThyxfForm* form, const QString& search, const QString& code, const QString& quantity)
    {
        in<QLineEdit>(form, "searchEdit")->setText(search);
        in<QPushButton>(form, "queryButton")->click();
        auto* grid = in<gui::DataGrid>(form, "goodsGrid");
        for (int row = 0; row < grid->result().rowCount(); ++row)
            if (grid->value(row, s(u"商品编号")).toText() == code)
                grid->selectRow(row);
        in<QLineEdit>(form, "saleQuantityEdit")->setText(quantity);
        in<QPushButton>(form, "pickGoodsButton")->click();
    }
};

TEST_F(CheckoutWindow, DeskSaleWithPasswordStaffAndSplitChangesThePanelAndTheList)
{
    swipe(QStringLiteral("1001"));
    EXPECT_TRUE(tabs()->button(QStringLiteral("addConsumptionButton"))->isEnabled());
    EXPECT_FALSE(tabs()->button(QStringLiteral("memberReturnButton"))->isEnabled()) << "returns come later";
    context().sms().afterConsumption = true;
    EXPECT_EQ(consumptionRows(), 0);

    const auto password = test::answerNextModal<gui::TsrmmForm>([](gui::TsrmmForm* prompt) {
        in<QLineEdit>(prompt, "passwordEdit")->setText(QStringLiteral("8"));
        in<QPushButton>(prompt, "okButton")->click();
        EXPECT_TRUE(prompt->isVisible()) << "a wrong password keeps the prompt";
        in<QLineEdit>(prompt, "passwordEdit")->setText(QStringLiteral("88"));
        in<QPushButton>(prompt, "okButton")->click();
    });
    std::unique_ptr<test::ModalAnswer> editor;
    std::unique_ptr<test::ModalAnswer> split;
    const auto sale = test::answerNextModal<gui::ThyxfForm>([&](gui::ThyxfForm* form) {
        EXPECT_EQ(in<QLabel>(form, "discountValue")->text(), QStringLiteral("0.90"));
        EXPECT_EQ(in<QLabel>(form, "balanceValue")->text(), s(u"100.00元"));
        EXPECT_TRUE(in<QRadioButton>(form, "storedValueRadio")->isChecked());
        EXPECT_EQ(in<QLineEdit>(form, "pointRateEdit")->text(), QStringLiteral("10.00"));

        // The picker opens on the typed text with the quantity preset to 1.00.
        in<QLineEdit>(form, "searchEdit")->setText(s(u"护"));
        in<QPushButton>(form, "queryButton")->click();
        EXPECT_EQ(in<QStackedWidget>(form, "pages")->currentWidget(), in<QWidget>(form, "goodsPanel"));
        EXPECT_EQ(in<gui::DataGrid>(form, "goodsGrid")->result().rowCount(), 1);
        EXPECT_EQ(in<QLineEdit>(form, "saleQuantityEdit")->text(), QStringLiteral("1.00"));
        in<QLineEdit>(form, "saleQuantityEdit")->setText(QStringLiteral("1-2"));
        in<QPushButton>(form, "pickGoodsButton")->click();
        EXPECT_EQ(messages.texts.back(), s(u"请输入正确的消费数量！"));
        EXPECT_EQ(form->list().count(), 0) << "nothing added";
        in<QPushButton>(form, "cancelGoodsButton")->click();

        addGoods(form, s(u"护"), QStringLiteral("A01"), QStringLiteral("2")); // 50 x 2 x 0.9 = 90
        EXPECT_EQ(in<QLineEdit>(form, "totalEdit")->text(), QStringLiteral("90.00"));
        EXPECT_EQ(in<QLabel>(form, "pointsLabel")->text(), s(u"本次消费共积9分"));

        // A service asks for its staff member; the cursor moved meanwhile, the staff still goes on line 2.
        addGoods(form, QString(), QStringLiteral("S01"), QStringLiteral("1.00")); // 30 x 0.9 = 27
        EXPECT_EQ(in<QLabel>(form, "serviceCodeValue")->text(), QStringLiteral("S01"));
        in<gui::DataGrid>(form, "lineGrid")->selectRow(0);
        in<gui::DataGrid>(form, "staffGrid")->selectRow(0);
        in<QPushButton>(form, "pickStaffButton")->click();
        EXPECT_EQ(form->list().line(2)->staff, s(u"王教练"));
        EXPECT_TRUE(form->list().line(1)->staff.isEmpty());

        // The editor changes line 1 to 3 (135.00); the window sums its list again.
        editor = test::answerNextModal<gui::TxgxfForm>([](gui::TxgxfForm* dialog) {
            EXPECT_EQ(in<QLineEdit>(dialog, "quantityEdit")->text(), QStringLiteral("2.00"));
            EXPECT_EQ(in<QLabel>(dialog, "totalValue")->text(), s(u"90.00元"));
            EXPECT_FALSE(in<QComboBox>(dialog, "staffCombo")->isVisibleTo(dialog)) << "goods need no staff";
            in<QLineEdit>(dialog, "quantityEdit")->setText(QStringLiteral("3"));
            EXPECT_EQ(in<QLabel>(dialog, "totalValue")->text(), s(u"135.00元"));
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<gui::DataGrid>(form, "lineGrid")->selectRow(0);
        in<QPushButton>(form, "editButton")->click();
        EXPECT_TRUE(editor->result());
        EXPECT_EQ(in<QLineEdit>(form, "totalEdit")->text(), QStringLiteral("162.00"));
        EXPECT_EQ(in<QLabel>(form, "pointsLabel")->text(), s(u"本次消费共积16分"));

        // Split: cash 100 and card 100 leave stored value -38, refused; then 100 stored, 62 cash.
        in<QRadioButton>(form, "splitRadio")->setChecked(true);
        in<QLineEdit>(form, "remarkEdit")->setText(s(u"考级前"));
        split = test::answerNextModal<gui::TlhjzForm>([&](gui::TlhjzForm* dialog) {
            EXPECT_EQ(in<QLineEdit>(dialog, "dueEdit")->text(), QStringLiteral("162.00"));
            EXPECT_FALSE(in<QLineEdit>(dialog, "cashEdit")->isEnabled());
            in<QCheckBox>(dialog, "cashCheck")->setChecked(true);
            EXPECT_EQ(in<QLineEdit>(dialog, "cashEdit")->text(), QStringLiteral("162.00"));
            in<QLineEdit>(dialog, "cashEdit")->setText(QStringLiteral("100"));
            in<QCheckBox>(dialog, "creditCardCheck")->setChecked(true);
            in<QLineEdit>(dialog, "creditCardEdit")->setText(QStringLiteral("100"));
            in<QCheckBox>(dialog, "storedValueCheck")->setChecked(true);
            EXPECT_EQ(in<QLineEdit>(dialog, "storedValueEdit")->text(), QStringLiteral("-38.00"));
            in<QPushButton>(dialog, "okButton")->click();
            EXPECT_EQ(messages.texts.back(), s(u"付款金额不能为负数，请重新输入！"));
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), in<QLineEdit>(dialog, "storedValueEdit"));
            in<QCheckBox>(dialog, "creditCardCheck")->setChecked(false);
            EXPECT_EQ(in<QLineEdit>(dialog, "creditCardEdit")->text(), QStringLiteral("0"));
            in<QLineEdit>(dialog, "storedValueEdit")->setText(QStringLiteral("100"));
            in<QLineEdit>(dialog, "cashEdit")->setText(QStringLiteral("62"));
            in<QPushButton>(dialog, "okButton")->click();
        });
        in<QPushButton>(form, "checkoutButton")->click();
        EXPECT_TRUE(split->result());
    });
    run("addConsumption");
    EXPECT_TRUE(password->result());
    EXPECT_TRUE(sale->result());
    EXPECT_TRUE(messages.texts.contains(s(u"会员密码不正确，请重新输入！")));
    EXPECT_TRUE(messages.texts.contains(s(u"确定要结帐吗？")));

    // The desk shows the member as stored now.
    EXPECT_EQ(shown(u"卡内余额："), s(u"0.00元"));
    EXPECT_EQ(shown(u"会员积分："), s(u"21分"));
    EXPECT_EQ(consumptionRows(), 2);
    EXPECT_EQ(stock("A01"), 7.0);
    const ResultSet payment = dm().list(QStringLiteral("select * from [金额记录]"));
    ASSERT_EQ(payment.rowCount(), 1);
    EXPECT_EQ(payment.first(s(u"储值卡")).toMoney(), Money::fromYuan(100));
    EXPECT_EQ(payment.first(s(u"现金")).toMoney(), Money::fromYuan(62));
    const ResultSet rows = dm().list(QStringLiteral("select * from [会员消费] order by [编号]"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(1, s(u"服务员工")).toText(), s(u"王教练"));
    EXPECT_EQ(rows.value(0, s(u"备注")).toText(), s(u"考级前"));

    // The receipt is in the preview; the message waits until it closes.
    gui::TmypreviewForm* preview = openPreview();
    ASSERT_NE(preview, nullptr);
    const gui::Report& receipt = preview->renderer().report();
    EXPECT_TRUE(receipt.isReceipt());
    EXPECT_EQ(receipt.rows().size(), 2);
    EXPECT_EQ(preview->renderer().pageSizeMm(), QSizeF(58, 80)) << "68 + 6 x 2 lines";
    EXPECT_FALSE(messages.texts.contains(s(u"请先登录再发短信！")));
    preview->close();
    EXPECT_EQ(messages.texts.back(), s(u"请先登录再发短信！"));
    EXPECT_EQ(dm().list(QStringLiteral("select * from [会员消费]")).rowCount(), 2) << "the sale stays";
}

TEST_F(CheckoutWindow, CancelledPasswordOpensNothingAndCashGivesChange)
{
    run("addConsumption");
    EXPECT_EQ(messages.texts, QStringList{s(u"请首先选择会员！")});

    swipe(QStringLiteral("1001"));
    const auto cancelled = test::answerNextModal<gui::TsrmmForm>(
        [](gui::TsrmmForm* prompt) { in<QPushButton>(prompt, "cancelButton")->click(); });
    run("addConsumption");
    EXPECT_TRUE(cancelled->result());
    EXPECT_FALSE(window<gui::ThyxfForm>()->isVisible());

    dm().change(QStringLiteral("update [会员信息] set [会员密码]='',[卡内余额]=0 where [会员卡号]='1001'"));
    std::unique_ptr<test::ModalAnswer> cash;
    const auto sale = test::answerNextModal<gui::ThyxfForm>([&](gui::ThyxfForm* form) {
        EXPECT_FALSE(in<QRadioButton>(form, "storedValueRadio")->isEnabled()) << "a balance of 0";
        EXPECT_TRUE(in<QRadioButton>(form, "cashRadio")->isChecked());
        in<QPushButton>(form, "checkoutButton")->click();
        EXPECT_EQ(messages.texts.back(), s(u"请选择要消费的商品！"));
        EXPECT_EQ(form->focusWidget(), in<QLineEdit>(form, "searchEdit"));

        addGoods(form, QString(), QStringLiteral("A01"), QStringLiteral("1")); // 45.00
        addGoods(form, QString(), QStringLiteral("S01"), QStringLiteral("1"));
        in<QPushButton>(form, "cancelStaffButton")->click();
        in<gui::DataGrid>(form, "lineGrid")->selectRow(1);
        in<QPushButton>(form, "deleteButton")->click();
        EXPECT_EQ(form->list().count(), 1);
        EXPECT_EQ(in<QLineEdit>(form, "totalEdit")->text(), QStringLiteral("45.00"));

        cash = test::answerNextModal<gui::TxjjzForm>([&](gui::TxjjzForm* dialog) {
            EXPECT_EQ(in<QLineEdit>(dialog, "paidEdit")->text(), QStringLiteral("45.00"));
            in<QLineEdit>(dialog, "paidEdit")->setText(QStringLiteral("40"));
            in<QPushButton>(dialog, "okButton")->click();
            EXPECT_EQ(messages.texts.back(), s(u"付款金额小于应付金额，请重新输入！"));
            EXPECT_TRUE(dialog->isVisible());
            in<QLineEdit>(dialog, "paidEdit")->setText(QStringLiteral("100"));
            EXPECT_EQ(in<QLineEdit>(dialog, "changeEdit")->text(), QStringLiteral("55.00"));
            // Enter in the amount pays, as 确定 is the default button.
            QTest::keyClick(in<QLineEdit>(dialog, "paidEdit"), Qt::Key_Return);
        });
        in<QPushButton>(form, "checkoutButton")->click();
        EXPECT_TRUE(cash->result());
    });
    run("addConsumption");
    EXPECT_TRUE(sale->result());
    const ResultSet payment = dm().list(QStringLiteral("select * from [金额记录]"));
    ASSERT_EQ(payment.rowCount(), 1);
    EXPECT_EQ(payment.first(s(u"现金")).toMoney(), Money::fromYuan(45)) << "what was due";
    EXPECT_EQ(consumptionRows(), 1);
    EXPECT_EQ(shown(u"会员积分："), s(u"9分"));
}

TEST(CheckoutReceipt, TwentyLinesMakeA188mmReceiptWithEveryBand)
{
    test::TestDatabase db;
    TvelunDMForm& dm = db.dm();
    dm.change(QStringLiteral("update [用户信息] set [用户名称]='澄岚跆拳道馆',[联系电话]='0571-8888',"
                             "[联系地址]='青年路8号'"));
    dm.change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员状态],[卡内余额]) "
                             "values('1001','张小龙','可用',500)"));
    dm.change(QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[预售单价],[数量],"
                             "[销售总数],[人工服务]) values('B01','矿泉水','瓶',0,2.5,0,0,0)"));
    goods::ShoppingList list(dm);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(list.add(QStringLiteral("B01"), QStringLiteral("1"), goods::Rate::one()).ok());
    goods::CheckoutInput input;
    input.cardNumber = QStringLiteral("1001");
    const auto sale =
        goods::checkout(CommandContext{dm, s(u"前台"), QDateTime(QDate(2024, 3, 15), QTime(10, 30))}, input);
    ASSERT_TRUE(sale.ok()) << sale.refusal().message.toStdString();

    QTemporaryDir folder;
    const test::PdfText pdf(folder.filePath(QStringLiteral("receipt.pdf")));
    ASSERT_TRUE(gui::ReportRenderer(gui::TjzdreportForm::build(sale->receipt)).renderToPdf(pdf.path()));
    ASSERT_EQ(pdf.pageCount(), 1);
    const QSizeF size = pdf.pageSizeMm();
    EXPECT_NEAR(size.width(), 58, 0.5);
    EXPECT_NEAR(size.height(), 188, 0.5) << "68 + 6 x 20";
    for (const char16_t* expected :
         {u"澄岚跆拳道馆", u"会员姓名:张小龙/1001", u"（收费单）", u"收银时间:2024-03-15 10:30", u"消费项目", u"矿泉水",
          u"小计:", u"50.00", u"卡内余额:450.00元", u"电话:0571-8888", u"地址:青年路8号", u"谢谢光临，欢迎再次惠顾！"})
        EXPECT_TRUE(pdf.shows(s(expected))) << QString::fromUtf16(expected).toStdString() << "\n"
                                            << pdf.text().toStdString();
    EXPECT_EQ(pdf.text().count(s(u"矿泉水")), 20);

    // Every length follows the lines, from a single one on.
    goods::SaleReceipt shorter = sale->receipt;
    for (int lines = 1; lines <= 3; ++lines) {
        shorter.lines.resize(size_t(lines));
        EXPECT_EQ(gui::ReportRenderer(gui::TjzdreportForm::build(shorter)).pageSizeMm(), QSizeF(58, 68 + 6 * lines))
            << lines << " lines";
    }
    if (qEnvironmentVariableIsSet("TKD_KEEP_RECEIPT"))
        QFile::copy(pdf.path(), qEnvironmentVariable("TKD_KEEP_RECEIPT"));
}

} // namespace
