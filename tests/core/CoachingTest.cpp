#include "GoodsValues.h"
#include "ParamNames.h"
#include "TestDatabase.h"
#include "coaching/CoachingLists.h"
#include "coaching/Items.h"
#include "coaching/Packages.h"
#include "db/Database.h"

#include <functional>
#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::coaching;

namespace {

using test::money;
using test::s;

const QDate kToday(2024, 3, 15);

// Two members and two coaching items on a fresh file; it is 2024-03-15 10:30.
class Coaching : public ::testing::Test {
public:
    void SetUp() override
    {
        addMember(QStringLiteral("1001"), s(u"张三"), QDate(2024, 6, 30));
        addMember(QStringLiteral("1002"), s(u"李四"));
        dm().change(s(u"insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values ('X1','腿法',150)"));
        dm().change(s(u"insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values ('X2','品势',12.125)"));
    }

    void addMember(const QString& card, const QString& name, const QDate& expiry = {})
    {
        dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[到期日期],[会员生日]) "
                      u"values(:k,:n,'月卡','可用',:e,'00-00')"),
                    {{QStringLiteral("k"), card}, {QStringLiteral("n"), name}, {QStringLiteral("e"), Value(expiry)}});
    }

    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext command() { return {dm(), s(u"孙丽"), QDateTime(kToday, QTime(10, 30))}; }

    static PurchaseInput package(const char* price, const char* quantity, const QString& card = QStringLiteral("1001"))
    {
        PurchaseInput input;
        input.cardNumber = card;
        input.coach = s(u"金教练");
        input.item = s(u"品势");
        input.purchaseDate = kToday;
        input.price = QString::fromLatin1(price);
        input.quantity = QString::fromLatin1(quantity);
        return input;
    }
    qint64 buy(const PurchaseInput& input)
    {
        const Outcome<qint64> bought = purchase(command(), input);
        EXPECT_TRUE(bought.ok()) << (bought.ok() ? std::string() : bought.refusal().message.toStdString());
        return bought.ok() ? *bought : -1;
    }
    static LessonInput lesson(qint64 package, const char* quantity, const QString& card = QStringLiteral("1001"))
    {
        LessonInput input;
        input.cardNumber = card;
        input.packageId = package;
        input.quantity = QString::fromLatin1(quantity);
        input.day = kToday;
        input.remark = s(u" 第一课 ");
        return input;
    }

    ResultSet packageRow(qint64 id)
    {
        return dm().list(s(u"select * from [购买私教] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    }
    qint64 left(qint64 id) { return packageRow(id).first(s(u"剩余数量")).toInt(); }
    qint64 count(const QString& table)
    {
        return dm()
            .list(QStringLiteral("select count(*) as [n] from [%1]").arg(table))
            .first(QStringLiteral("n"))
            .toInt();
    }
    ResultSet lessonRows() { return dm().list(s(u"select * from [私教消费] order by [编号]")); }

private:
    test::TestDatabase m_db;
};

TEST_F(Coaching, APurchaseStoresTheExactTotalAndTheStoredName)
{
    PurchaseInput input = package("12.125", "3");
    input.remark = s(u" 春季 ");
    input.item = s(u" 品势 ");
    const qint64 id = buy(input);
    const ResultSet row = packageRow(id);
    ASSERT_EQ(row.rowCount(), 1) << "the returned 编号 names the new row";
    EXPECT_EQ(row.first(s(u"购买日期")).toDate(), kToday);
    EXPECT_EQ(row.first(s(u"会员卡号")).toText(), QStringLiteral("1001"));
    EXPECT_EQ(row.first(s(u"会员姓名")).toText(), s(u"张三"));
    EXPECT_EQ(row.first(s(u"教练姓名")).toText(), s(u"金教练"));
    EXPECT_EQ(row.first(s(u"项目名称")).toText(), s(u"品势"));
    EXPECT_EQ(row.first(s(u"单价")).toMoney(), money("12.125"));
    EXPECT_EQ(row.first(s(u"数量")).toInt(), 3);
    EXPECT_EQ(row.first(s(u"剩余数量")).toInt(), 3);
    EXPECT_EQ(row.first(s(u"总金额")).toMoney(), money("36.375")) << "not rounded";
    EXPECT_TRUE(row.first(s(u"有效日期")).isNull()) << "no last day given";
    EXPECT_EQ(row.first(s(u"状态")).toText(), s(u"购买"));
    EXPECT_EQ(row.first(s(u"备注")).toText(), s(u"春季"));
    EXPECT_EQ(row.first(s(u"操作员")).toText(), s(u"孙丽"));
}

TEST_F(Coaching, AGiftStoresNoMoneyAndItsLessonsNone)
{
    PurchaseInput input = package("150", "4");
    input.gift = true;
    const qint64 id = buy(input);
    const ResultSet row = packageRow(id);
    EXPECT_EQ(row.first(s(u"单价")).toMoney(), Money());
    EXPECT_EQ(row.first(s(u"总金额")).toMoney(), Money());
    EXPECT_EQ(row.first(s(u"状态")).toText(), s(u"赠送"));
    EXPECT_EQ(row.first(s(u"数量")).toInt(), 4);

    ASSERT_TRUE(bookLessons(command(), lesson(id, "2")).ok());
    const ResultSet booked = lessonRows();
    ASSERT_EQ(booked.rowCount(), 1);
    EXPECT_EQ(booked.first(s(u"购买单价")).toMoney(), Money());
    EXPECT_EQ(booked.first(s(u"总金额")).toMoney(), Money());
    EXPECT_EQ(left(id), 2);
}

TEST_F(Coaching, ZeroPriceAndALastDayOnThePurchaseDayAreAccepted)
{
    PurchaseInput input = package("0", "2");
    input.validUntil = kToday;
    const qint64 id = buy(input);
    EXPECT_EQ(packageRow(id).first(s(u"总金额")).toMoney(), Money());
    EXPECT_EQ(packageRow(id).first(s(u"有效日期")).toDate(), kToday);
    EXPECT_EQ(packageRow(id).first(s(u"状态")).toText(), s(u"购买"));
}

struct LessonValueCase {
    const char* price;
    const char* quantity;
    const char* stored;
};

class LessonValues : public Coaching, public ::testing::WithParamInterface<LessonValueCase> {};

TEST_P(LessonValues, AreRoundedToTheCentHalvesToEven)
{
    const qint64 id = buy(package(GetParam().price, "10"));
    ASSERT_TRUE(bookLessons(command(), lesson(id, GetParam().quantity)).ok());
    const ResultSet booked = lessonRows();
    ASSERT_EQ(booked.rowCount(), 1);
    EXPECT_EQ(booked.first(s(u"总金额")).toMoney(), money(GetParam().stored));
    EXPECT_EQ(booked.first(s(u"购买单价")).toMoney(), money(GetParam().price));
}

INSTANTIATE_TEST_SUITE_P(
    Coaching, LessonValues,
    ::testing::Values(LessonValueCase{"12.125", "1", "12.12"}, LessonValueCase{"12.125", "3", "36.38"},
                      LessonValueCase{"12.135", "1", "12.14"}, LessonValueCase{"12.125", "2", "24.25"},
                      LessonValueCase{"0.0050", "1", "0.00"}),
    [](const auto& info) { return test::nameFrom(std::string(info.param.price) + "x" + info.param.quantity); });

TEST_F(Coaching, ALessonCopiesThePackageAndTheStoredMember)
{
    PurchaseInput input = package("150", "5");
    input.item = s(u"腿法");
    const qint64 id = buy(input);
    // The member was renamed after the window showed the old name.
    dm().change(s(u"update [会员信息] set [会员姓名]='张三丰' where [会员卡号]='1001'"));
    LessonInput booking = lesson(id, "2");
    booking.day = QDate(2024, 3, 14);
    ASSERT_TRUE(bookLessons(command(), booking).ok());
    const ResultSet booked = lessonRows();
    ASSERT_EQ(booked.rowCount(), 1);
    EXPECT_EQ(booked.first(s(u"消费日期")).toDate(), QDate(2024, 3, 14));
    EXPECT_EQ(booked.first(s(u"会员卡号")).toText(), QStringLiteral("1001"));
    EXPECT_EQ(booked.first(s(u"会员姓名")).toText(), s(u"张三丰"));
    EXPECT_EQ(booked.first(s(u"消费数量")).toInt(), 2);
    EXPECT_EQ(booked.first(s(u"总金额")).toMoney(), money("300"));
    EXPECT_EQ(booked.first(s(u"教练")).toText(), s(u"金教练"));
    EXPECT_EQ(booked.first(s(u"项目名称")).toText(), s(u"腿法"));
    EXPECT_EQ(booked.first(s(u"备注")).toText(), s(u"第一课"));
    EXPECT_EQ(booked.first(s(u"操作员")).toText(), s(u"孙丽"));
    EXPECT_EQ(left(id), 3);
}

struct RefusedPurchase {
    const char* name;
    std::function<void(PurchaseInput&)> change;
    const char16_t* message;
    Refusal::Icon icon;
    QString field;
};

class PurchaseRefusals : public Coaching, public ::testing::WithParamInterface<RefusedPurchase> {};

TEST_P(PurchaseRefusals, ComeInOrderAndWriteNothing)
{
    PurchaseInput input = package("150", "10");
    GetParam().change(input);
    const Outcome<qint64> bought = purchase(command(), input);
    ASSERT_TRUE(bought.refused());
    EXPECT_EQ(bought.refusal().message, s(GetParam().message));
    EXPECT_EQ(bought.refusal().icon, GetParam().icon);
    EXPECT_EQ(bought.refusal().field, GetParam().field);
    EXPECT_EQ(count(s(u"购买私教")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Coaching, PurchaseRefusals,
    ::testing::Values(
        RefusedPurchase{"NoMemberBeforeAnything",
                        [](PurchaseInput& i) {
                            i.cardNumber = QStringLiteral("  ");
                            i.coach.clear();
                            i.quantity.clear();
                        },
                        u"请选择会员！", Refusal::Icon::Warning, field::card},
        RefusedPurchase{"NoCoachBeforeTheQuantity",
                        [](PurchaseInput& i) {
                            i.coach = QStringLiteral(" ");
                            i.quantity = QStringLiteral("0");
                        },
                        u"请选择教练！", Refusal::Icon::Warning, field::coach},
        RefusedPurchase{"EmptyQuantity", [](PurchaseInput& i) { i.quantity.clear(); }, u"购买数量不能为空或零！",
                        Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"ZeroQuantity", [](PurchaseInput& i) { i.quantity = QStringLiteral("00"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"PastedLetters", [](PurchaseInput& i) { i.quantity = QStringLiteral("3a"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"NegativeQuantity", [](PurchaseInput& i) { i.quantity = QStringLiteral("-3"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"FractionalQuantity", [](PurchaseInput& i) { i.quantity = QStringLiteral("1.5"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"QuantityTooLarge", [](PurchaseInput& i) { i.quantity = QStringLiteral("100000"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"HugeQuantity", [](PurchaseInput& i) { i.quantity = QStringLiteral("99999999999999999999"); },
                        u"购买数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedPurchase{"PriceWithTwoPoints", [](PurchaseInput& i) { i.price = QStringLiteral("1.2.3"); },
                        u"单价必须是金额！", Refusal::Icon::Error, field::price},
        RefusedPurchase{"PriceOfFiveDecimals", [](PurchaseInput& i) { i.price = QStringLiteral("1.23456"); },
                        u"单价必须是金额！", Refusal::Icon::Error, field::price},
        RefusedPurchase{"PriceTooLarge", [](PurchaseInput& i) { i.price = QStringLiteral("1000000000"); },
                        u"单价必须是金额！", Refusal::Icon::Error, field::price},
        RefusedPurchase{"NegativePrice", [](PurchaseInput& i) { i.price = QStringLiteral("-150"); },
                        u"单价不能为负数，请重新输入！", Refusal::Icon::Warning, field::price},
        RefusedPurchase{"LastDayBeforePurchase", [](PurchaseInput& i) { i.validUntil = QDate(2024, 3, 14); },
                        u"有效日期不能小于购买日期！", Refusal::Icon::Error, field::validUntil},
        RefusedPurchase{"MemberGone", [](PurchaseInput& i) { i.cardNumber = QStringLiteral("9999"); },
                        u"会员卡号不存在！", Refusal::Icon::Warning, QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Coaching, AGiftIgnoresWhateverPriceIsTyped)
{
    PurchaseInput input = package("-5", "1");
    input.gift = true;
    const qint64 id = buy(input);
    EXPECT_EQ(packageRow(id).first(s(u"单价")).toMoney(), Money());
}

struct RefusedBooking {
    const char* name;
    std::function<void(Coaching&, LessonInput&)> change;
    const char16_t* message;
    Refusal::Icon icon;
    QString field;
};

class BookingRefusal : public Coaching, public ::testing::WithParamInterface<RefusedBooking> {};

TEST_P(BookingRefusal, ComesInOrderAndWritesNothing)
{
    PurchaseInput input = package("150", "3");
    input.validUntil = QDate(2024, 3, 20);
    const qint64 id = buy(input);
    LessonInput booking = lesson(id, "2");
    GetParam().change(*this, booking);
    const Outcome<> booked = bookLessons(command(), booking);
    ASSERT_TRUE(booked.refused());
    EXPECT_EQ(booked.refusal().message, s(GetParam().message));
    EXPECT_EQ(booked.refusal().icon, GetParam().icon);
    EXPECT_EQ(booked.refusal().field, GetParam().field);
    EXPECT_EQ(count(s(u"私教消费")), 0);
    if (!packageRow(id).isEmpty()) {
        EXPECT_EQ(left(id), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Coaching, BookingRefusal,
    ::testing::Values(
        RefusedBooking{"NoMemberBeforeAnything",
                       [](Coaching&, LessonInput& i) {
                           i.cardNumber.clear();
                           i.quantity.clear();
                           i.packageId.reset();
                       },
                       u"请选择会员！", Refusal::Icon::Warning, field::card},
        RefusedBooking{"EmptyQuantityBeforeNoPackage",
                       [](Coaching&, LessonInput& i) {
                           i.quantity = QStringLiteral(" ");
                           i.packageId.reset();
                       },
                       u"消费数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedBooking{"ZeroQuantity", [](Coaching&, LessonInput& i) { i.quantity = QStringLiteral("0"); },
                       u"消费数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedBooking{"NotDigits", [](Coaching&, LessonInput& i) { i.quantity = QStringLiteral("２"); },
                       u"消费数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedBooking{"TooLarge", [](Coaching&, LessonInput& i) { i.quantity = QStringLiteral("123456"); },
                       u"消费数量不能为空或零！", Refusal::Icon::Error, field::quantity},
        RefusedBooking{"NoOpenPackage", [](Coaching&, LessonInput& i) { i.packageId.reset(); },
                       u"该会员没有购买过私教不能消费！", Refusal::Icon::Warning, QString()},
        RefusedBooking{
            "MemberGone",
            [](Coaching& t, LessonInput&) { t.dm().change(s(u"delete from [会员信息] where [会员卡号]='1001'")); },
            u"会员卡号不存在！", Refusal::Icon::Warning, QString()},
        RefusedBooking{"EndedYesterday",
                       [](Coaching& t, LessonInput& i) {
                           t.dm().change(
                               s(u"update [购买私教] set [有效日期]=:d where [编号]=:bh"),
                               {{QStringLiteral("d"), QDate(2024, 3, 14)}, {QStringLiteral("bh"), *i.packageId}});
                       },
                       u"该项目已到期！", Refusal::Icon::Warning, QString()},
        RefusedBooking{"MoreThanLeft", [](Coaching&, LessonInput& i) { i.quantity = QStringLiteral("4"); },
                       u"消费数量不能大于余额数量！", Refusal::Icon::Warning, field::quantity},
        RefusedBooking{"PackageDeletedMeanwhile",
                       [](Coaching& t, LessonInput& i) { ASSERT_TRUE(removePurchase(t.command(), *i.packageId).ok()); },
                       u"消费数量不能大于余额数量！", Refusal::Icon::Warning, field::quantity},
        RefusedBooking{"AnotherMembersPackage",
                       [](Coaching&, LessonInput& i) { i.cardNumber = QStringLiteral("1002"); },
                       u"消费数量不能大于余额数量！", Refusal::Icon::Warning, field::quantity}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Coaching, APackageIsUsableUpToItsLastDayAndWithoutOneForever)
{
    PurchaseInput untilToday = package("150", "3");
    untilToday.purchaseDate = QDate(2024, 1, 1);
    untilToday.validUntil = kToday;
    const qint64 today = buy(untilToday);
    PurchaseInput forever = package("150", "3");
    forever.purchaseDate = QDate(2019, 1, 1);
    const qint64 open = buy(forever);
    EXPECT_TRUE(bookLessons(command(), lesson(today, "1")).ok());
    EXPECT_TRUE(bookLessons(command(), lesson(open, "1")).ok());

    // The next morning the first one has ended.
    const CommandContext tomorrow{dm(), s(u"孙丽"), QDateTime(kToday.addDays(1), QTime(8, 0))};
    const Outcome<> late = bookLessons(tomorrow, lesson(today, "1"));
    ASSERT_TRUE(late.refused());
    EXPECT_EQ(late.refusal().message, s(u"该项目已到期！"));
    EXPECT_TRUE(bookLessons(tomorrow, lesson(open, "1")).ok());
    EXPECT_EQ(left(today), 2);
    EXPECT_EQ(left(open), 1);
}

TEST_F(Coaching, BookingEveryLessonClosesThePackageEverywhere)
{
    const qint64 id = buy(package("150", "5"));
    const Outcome<> six = bookLessons(command(), lesson(id, "6"));
    ASSERT_TRUE(six.refused());
    EXPECT_EQ(six.refusal().message, s(u"消费数量不能大于余额数量！"));
    ASSERT_TRUE(bookLessons(command(), lesson(id, "5")).ok());
    EXPECT_EQ(left(id), 0);
    EXPECT_TRUE(openPackages(dm(), QStringLiteral("1001")).isEmpty());
    EXPECT_TRUE(openSummary(dm()).isEmpty());
    EXPECT_TRUE(dm().open(QStringLiteral("ADOQ_sjhzjl"), {{QStringLiteral("hykh"), QStringLiteral("1001")}}).isEmpty())
        << "the desk's coaching list";
    EXPECT_EQ(memberPackages(dm(), QStringLiteral("1001")).rowCount(), 1) << "the package itself stays";
    const Outcome<> again = bookLessons(command(), lesson(id, "1"));
    ASSERT_TRUE(again.refused());
    EXPECT_EQ(again.refusal().message, s(u"消费数量不能大于余额数量！"));
}

TEST_F(Coaching, AStaleWindowCannotBookLessonsAlreadyTaken)
{
    const qint64 id = buy(package("150", "3"));
    // Two desks show the package with 3 left; the first books 2.
    const ResultSet seen = openPackages(dm(), QStringLiteral("1001"));
    ASSERT_EQ(seen.first(s(u"剩余数量")).toInt(), 3);
    ASSERT_TRUE(bookLessons(command(), lesson(id, "2")).ok());
    const Outcome<> stale = bookLessons(command(), lesson(seen.first(s(u"编号")).toInt(), "2"));
    ASSERT_TRUE(stale.refused());
    EXPECT_EQ(stale.refusal().message, s(u"消费数量不能大于余额数量！"));
    EXPECT_EQ(left(id), 1);
    EXPECT_EQ(count(s(u"私教消费")), 1);
    EXPECT_TRUE(bookLessons(command(), lesson(id, "1")).ok()) << "what is left can still be booked";
}

TEST_F(Coaching, PackagesOfOneCoachAndItemMakeOneSummaryRowAndBookSeparately)
{
    const qint64 first = buy(package("150", "3"));
    PurchaseInput later = package("150", "4");
    later.purchaseDate = QDate(2024, 3, 1);
    const qint64 second = buy(later);
    PurchaseInput other = package("150", "2");
    other.item = s(u"腿法");
    buy(other);
    buy(package("150", "1", QStringLiteral("1002")));

    ResultSet summary = openSummary(dm());
    ASSERT_EQ(summary.rowCount(), 3);
    summary.setFilter(listFilter(QStringLiteral("1001"), s(u"金教练"), s(u"品势")));
    ASSERT_EQ(summary.rowCount(), 1);
    EXPECT_EQ(summary.first(s(u"数量")).toInt(), 7);
    EXPECT_EQ(summary.first(s(u"会员姓名")).toText(), s(u"张三"));

    const ResultSet open = openPackages(dm(), QStringLiteral("1001"));
    ASSERT_EQ(open.rowCount(), 3);
    EXPECT_EQ(open.value(0, s(u"编号")).toInt(), first) << "oldest package first, whatever its date";
    EXPECT_EQ(open.value(1, s(u"编号")).toInt(), second);
    EXPECT_EQ(open.value(0, s(u"私教姓名")).toText(), s(u"金教练"));

    ASSERT_TRUE(bookLessons(command(), lesson(second, "2")).ok());
    EXPECT_EQ(left(first), 3);
    EXPECT_EQ(left(second), 2);
    summary = openSummary(dm());
    summary.setFilter(listFilter(QStringLiteral("1001"), s(u"金教练"), s(u"品势")));
    EXPECT_EQ(summary.first(s(u"数量")).toInt(), 5);
}

TEST_F(Coaching, TheMemberGroupShowsTheStoredMemberAndAllLessonsLeft)
{
    PurchaseInput expired = package("150", "3");
    expired.purchaseDate = QDate(2023, 1, 1);
    expired.validUntil = QDate(2023, 6, 30);
    buy(expired);
    buy(package("150", "4"));
    const std::optional<MemberInfo> info = memberInfo(dm(), QStringLiteral("1001"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, s(u"张三"));
    EXPECT_EQ(info->cardType, s(u"月卡"));
    EXPECT_EQ(info->expiry, QStringLiteral("2024-06-30"));
    EXPECT_EQ(info->status, s(u"可用"));
    EXPECT_EQ(info->lessonsLeft, 7) << "expired packages count too";
    const std::optional<MemberInfo> none = memberInfo(dm(), QStringLiteral("1002"));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->expiry.isEmpty());
    EXPECT_EQ(none->lessonsLeft, 0);
    EXPECT_FALSE(memberInfo(dm(), QStringLiteral("9999")));
}

TEST_F(Coaching, DeletingAPurchaseByItsKeyKeepsItsLessons)
{
    const qint64 kept = buy(package("150", "3"));
    const qint64 gone = buy(package("150", "3"));
    ASSERT_TRUE(bookLessons(command(), lesson(gone, "1")).ok());
    ASSERT_TRUE(removePurchase(command(), gone).ok());
    EXPECT_TRUE(packageRow(gone).isEmpty());
    EXPECT_EQ(packageRow(kept).rowCount(), 1) << "only the row of that key";
    EXPECT_EQ(count(s(u"私教消费")), 1);
    const Outcome<> twice = removePurchase(command(), gone);
    ASSERT_TRUE(twice.refused());
    EXPECT_EQ(twice.refusal().message, s(u"该记录已不存在！"));
}

TEST_F(Coaching, DatedListsKeepTheirLastDay)
{
    for (const QDate day : {QDate(2024, 2, 14), QDate(2024, 2, 15), QDate(2024, 3, 15), QDate(2024, 3, 16)}) {
        PurchaseInput input = package("150", "5");
        input.purchaseDate = day;
        input.gift = day == QDate(2024, 3, 15);
        const qint64 id = buy(input);
        LessonInput booking = lesson(id, "1");
        booking.day = day;
        ASSERT_TRUE(bookLessons(command(), booking).ok());
    }
    const DayRange month = dayRange(QDate(2024, 2, 15), kToday);
    const ResultSet bought = purchases(dm(), month);
    ASSERT_EQ(bought.rowCount(), 2);
    EXPECT_EQ(bought.value(0, s(u"购买日期")).toDate(), kToday) << "newest first, the gift included";
    EXPECT_EQ(bought.value(1, s(u"购买日期")).toDate(), QDate(2024, 2, 15));
    const ResultSet taken = lessons(dm(), month);
    ASSERT_EQ(taken.rowCount(), 2);
    EXPECT_EQ(taken.value(0, s(u"消费日期")).toDate(), kToday);
    EXPECT_EQ(taken.value(1, s(u"消费日期")).toDate(), QDate(2024, 2, 15));
    EXPECT_EQ(purchaseHistory(dm(), QStringLiteral("1001")).rowCount(), 4);
    EXPECT_TRUE(purchaseHistory(dm(), kNoMember).isEmpty());
}

TEST_F(Coaching, FiltersMatchTypedTextLiterally)
{
    addMember(QStringLiteral("A'*%[_1"), s(u"王五"));
    addMember(QStringLiteral("AB1"), s(u"赵六"));
    buy(package("150", "1", QStringLiteral("A'*%[_1")));
    buy(package("150", "1", QStringLiteral("AB1")));
    PurchaseInput other = package("150", "1", QStringLiteral("AB1"));
    other.coach = s(u"李教练");
    other.item = s(u"腿法");
    const qint64 id = buy(other);
    ASSERT_TRUE(bookLessons(command(), lesson(id, "1", QStringLiteral("AB1"))).ok());

    const auto cards = [](const ResultSet& rows) { return rows.texts(s(u"会员卡号")); };
    ResultSet list = purchases(dm(), dayRange(kToday));
    for (const char* typed : {"'", "*", "%", "[", "_", "'*%[_"}) {
        list.setFilter(listFilter(QString::fromLatin1(typed), {}, {}));
        EXPECT_EQ(cards(list), QStringList{QStringLiteral("A'*%[_1")}) << typed;
    }
    list.setFilter(listFilter(QStringLiteral(" b1 "), {}, {}));
    EXPECT_EQ(list.rowCount(), 2) << "trimmed, without regard to case";
    list.setFilter(listFilter({}, s(u"李教练"), {}));
    EXPECT_EQ(cards(list), QStringList{QStringLiteral("AB1")});
    list.setFilter(listFilter({}, s(u"金教练"), s(u"腿法")));
    EXPECT_TRUE(list.isEmpty());
    list.setFilter(listFilter({}, {}, {}));
    EXPECT_EQ(list.rowCount(), 3);

    ResultSet taken = lessons(dm(), dayRange(kToday));
    taken.setFilter(listFilter({}, s(u"李教练"), s(u"腿法"), s(u"教练")));
    EXPECT_EQ(taken.rowCount(), 1);
    taken.setFilter(listFilter({}, s(u"金教练"), {}, s(u"教练")));
    EXPECT_TRUE(taken.isEmpty());
}

TEST_F(Coaching, TheTotalShownWhileTypingCountsUnfinishedInputAsZero)
{
    EXPECT_EQ(purchaseTotal(QStringLiteral("12.125"), QStringLiteral("3")), money("36.375"));
    EXPECT_EQ(purchaseTotal(QStringLiteral("12.125"), QStringLiteral("3")).toYuanText(), s(u"36.38元"));
    EXPECT_EQ(purchaseTotal(QStringLiteral(""), QStringLiteral("3")), Money());
    EXPECT_EQ(purchaseTotal(QStringLiteral("150"), QStringLiteral("")), Money());
    EXPECT_EQ(purchaseTotal(QStringLiteral("1."), QStringLiteral("2")), money("2"));
    EXPECT_EQ(purchaseTotal(QStringLiteral("1.2.3"), QStringLiteral("2")), Money());
}

TEST_F(Coaching, ItemsAreAddedChangedAndDeletedByCode)
{
    ASSERT_TRUE(saveItem(command(), {QStringLiteral(" X3 "), s(u" 实战 "), QStringLiteral("88.5")}).ok());
    EXPECT_EQ(itemNames(dm()), (QStringList{s(u"腿法"), s(u"品势"), s(u"实战")}));
    EXPECT_EQ(itemPrice(dm(), s(u"实战")), money("88.5"));
    EXPECT_FALSE(itemPrice(dm(), s(u"跆拳")));

    const qint64 id = buy(package("12.125", "2"));
    const std::optional<ItemInput> shown = findItem(dm(), QStringLiteral("x2"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->code, QStringLiteral("X2"));
    EXPECT_EQ(shown->price, QStringLiteral("12.125")) << "shown as stored, so saving again keeps it";
    ASSERT_TRUE(
        saveItem(command(), {QStringLiteral("X2"), s(u"品势进阶"), QStringLiteral("20")}, QStringLiteral("X2")).ok());
    EXPECT_EQ(itemPrice(dm(), s(u"品势进阶")), money("20"));
    EXPECT_FALSE(itemPrice(dm(), s(u"品势")));
    EXPECT_EQ(packageRow(id).first(s(u"项目名称")).toText(), s(u"品势")) << "purchases keep the old name";
    EXPECT_EQ(items(dm()).rowCount(), 3);

    ASSERT_TRUE(removeItem(command(), QStringLiteral("X2")).ok());
    EXPECT_EQ(itemNames(dm()), (QStringList{s(u"腿法"), s(u"实战")}));
    EXPECT_EQ(packageRow(id).rowCount(), 1) << "the purchase stays";
    const Outcome<> twice = removeItem(command(), QStringLiteral("X2"));
    ASSERT_TRUE(twice.refused());
    EXPECT_EQ(twice.refusal().message, s(u"该项目已不存在！"));
    const Outcome<> editGone =
        saveItem(command(), {QStringLiteral("X2"), s(u"品势"), QStringLiteral("20")}, QStringLiteral("X2"));
    ASSERT_TRUE(editGone.refused());
    EXPECT_EQ(editGone.refusal().message, s(u"该项目已不存在！"));
    EXPECT_EQ(items(dm()).rowCount(), 2);
}

struct RefusedItem {
    const char* name;
    ItemInput input;
    const char16_t* message;
    QString field;
    // Bad input is an error; a negative amount, as everywhere, a warning.
    Refusal::Icon icon = Refusal::Icon::Error;
};

class ItemRefusals : public Coaching, public ::testing::WithParamInterface<RefusedItem> {};

TEST_P(ItemRefusals, ComeInOrderAndWriteNothing)
{
    const Outcome<> saved = saveItem(command(), GetParam().input);
    ASSERT_TRUE(saved.refused());
    EXPECT_EQ(saved.refusal().message, s(GetParam().message));
    EXPECT_EQ(saved.refusal().icon, GetParam().icon);
    EXPECT_EQ(saved.refusal().field, GetParam().field);
    EXPECT_EQ(items(dm()).rowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Coaching, ItemRefusals,
    ::testing::Values(RefusedItem{"BlankCodeFirst",
                                  {QStringLiteral(" "), QString(), QStringLiteral("0")},
                                  u"项目编号不能为空！",
                                  itemField::code},
                      RefusedItem{"BlankNameBeforeADuplicate",
                                  {QStringLiteral("X1"), QStringLiteral("  "), QStringLiteral("0")},
                                  u"项目名称不能为空！",
                                  itemField::name},
                      RefusedItem{"ZeroPriceBeforeADuplicate",
                                  {QStringLiteral("X1"), QStringLiteral("A"), QStringLiteral("0.00")},
                                  u"项目单价不能为零！",
                                  itemField::price},
                      RefusedItem{"BlankPriceIsZero",
                                  {QStringLiteral("X9"), QStringLiteral("A"), QString()},
                                  u"项目单价不能为零！",
                                  itemField::price},
                      RefusedItem{"PriceNotAnAmount",
                                  {QStringLiteral("X9"), QStringLiteral("A"), QStringLiteral("1..5")},
                                  u"项目单价必须是金额！",
                                  itemField::price},
                      RefusedItem{"NegativePrice",
                                  {QStringLiteral("X9"), QStringLiteral("A"), QStringLiteral("-80")},
                                  u"项目单价不能为负数，请重新输入！",
                                  itemField::price,
                                  Refusal::Icon::Warning},
                      RefusedItem{"DuplicateCodeTrimmedAnyCase",
                                  {QStringLiteral(" x1 "), QStringLiteral("A"), QStringLiteral("80")},
                                  u"重复的项目编号！",
                                  itemField::code}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
