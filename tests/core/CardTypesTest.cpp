#include "cardtypes/CardTypes.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::cardtypes;
using test::s;

namespace {

Input basic(const QString& code, const QString& name)
{
    Input in;
    in.code = code;
    in.name = name;
    in.price = Money::fromYuan(1250);
    in.discount = QStringLiteral("0.9");
    return in;
}

CardType withDaily(const char* from, const char* to)
{
    CardType t;
    t.hasSlot = true;
    t.slotKind = 1;
    t.time1 = QString::fromLatin1(from);
    t.time2 = QString::fromLatin1(to);
    return t;
}

class CardTypesTest : public ::testing::Test {
protected:
    qint64 count() { return t.db().scalar(s(u"select count(*) from [会员卡类型]")).toInt(); }
    CommandContext admin() { return {t.dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}; }
    test::TestDatabase t;
};

TEST_F(CardTypesTest, SaveRulesInOrderAndNothingWrittenOnRefusal)
{
    ASSERT_FALSE(save(admin(), basic(QStringLiteral("A1"), s(u"年卡"))).refused());
    const struct {
        Input input;
        const char16_t* message;
        const QString& focus;
    } refused[] = {
        {basic(QStringLiteral("  "), s(u"月卡")), u"类型编号不能为空！", field::code},
        {basic(QStringLiteral("B1"), QStringLiteral(" ")), u"类型名称不能为空！", field::name},
        {basic(QStringLiteral(" A1 "), s(u"年卡")), u"该类型编号已存在！", field::code},
        {basic(QStringLiteral("B1"), s(u" 年卡 ")), u"该类型名称已存在！", field::name},
        {[] {
             Input in = basic(QStringLiteral("B1"), s(u"月卡"));
             in.discount = QStringLiteral("0.9.5");
             return in;
         }(),
         u"会员折扣必须是数字！", field::discount},
        {[] {
             Input in = basic(QStringLiteral("B1"), s(u"月卡"));
             in.useSlot = true;
             in.time1 = QStringLiteral("25:00");
             in.time2 = QStringLiteral("26:00");
             return in;
         }(),
         u"时间段的时间不正确！", field::time},
    };
    for (const auto& c : refused) {
        const Outcome<> r = save(admin(), c.input);
        ASSERT_TRUE(r.refused()) << QString::fromUtf16(c.message).toStdString();
        EXPECT_EQ(r.refusal().message, s(c.message));
        EXPECT_EQ(r.refusal().field, c.focus);
        EXPECT_EQ(r.refusal().icon, Refusal::Icon::Error);
    }
    EXPECT_EQ(count(), 1);
}

TEST_F(CardTypesTest, EmptyNumbersBecomeDefaultsAndSlotOffClearsIt)
{
    Input in = basic(QStringLiteral("C1"), s(u"体验卡"));
    in.discount = QString();
    in.time1 = QStringLiteral("08:00");
    in.weekdays = {true, true, true, true, true, true, true};
    ASSERT_FALSE(save(admin(), in).refused());
    const std::optional<CardType> type = find(t.dm(), s(u"体验卡"));
    ASSERT_TRUE(type.has_value());
    EXPECT_EQ(type->visits, 0);
    EXPECT_EQ(type->days, 0);
    EXPECT_DOUBLE_EQ(type->discount, 1.0);
    EXPECT_EQ(type->price, Money::fromYuan(1250));
    EXPECT_FALSE(type->hasSlot);
    EXPECT_EQ(type->slotKind, 0);
    EXPECT_TRUE(type->time1.isEmpty() && type->time2.isEmpty() && type->weekdays.isEmpty());
    EXPECT_FALSE(isCountCard(*type));
}

TEST_F(CardTypesTest, EditKeepsCodeAndNameWithoutUniquenessTest)
{
    ASSERT_FALSE(save(admin(), basic(QStringLiteral("A1"), s(u"年卡"))).refused());
    const qint64 id = find(t.dm(), s(u"年卡"))->id;
    Input edit = basic(QStringLiteral("A1"), s(u"年卡"));
    edit.visits = QStringLiteral("30");
    edit.useSlot = true;
    edit.weekly = true;
    ASSERT_FALSE(save(admin(), edit, id).refused());
    const CardType type = *find(t.dm(), s(u"年卡"));
    EXPECT_EQ(type.visits, 30);
    EXPECT_TRUE(isCountCard(type));
    EXPECT_EQ(type.weekdays, QStringLiteral("0000000")) << "no box ticked is stored as seven zeros";
    EXPECT_FALSE(slotAllows(type, QDateTime(QDate(2024, 3, 11), QTime(10, 0))));
    EXPECT_EQ(count(), 1);
}

TEST_F(CardTypesTest, TypeInUseCannotBeDeleted)
{
    ASSERT_FALSE(save(admin(), basic(QStringLiteral("A1"), s(u"年卡"))).refused());
    const qint64 id = find(t.dm(), s(u"年卡"))->id;
    t.dm().change(s(u"insert into [会员信息] ([会员卡号],[会员类型]) values ('1001','年卡')"));
    const MaybeRefusal asked = removalRefusal(t.dm(), s(u"年卡"));
    ASSERT_TRUE(asked.has_value()) << "the list asks before its delete question";
    EXPECT_EQ(asked->message, s(u"该类型已经有会员在使用，不能删除！"));
    EXPECT_FALSE(removalRefusal(t.dm(), s(u"月卡")).has_value());
    const Outcome<> r = remove(admin(), id, s(u"年卡"));
    ASSERT_TRUE(r.refused());
    EXPECT_EQ(r.refusal().message, s(u"该类型已经有会员在使用，不能删除！"));
    EXPECT_EQ(r.refusal().icon, Refusal::Icon::Warning);
    EXPECT_EQ(count(), 1);
    t.dm().change(s(u"update [会员信息] set [会员类型]='月卡'"));
    EXPECT_FALSE(removalRefusal(t.dm(), s(u"年卡")).has_value());
    EXPECT_FALSE(remove(admin(), id, s(u"年卡")).refused());
    EXPECT_EQ(count(), 0);
}

TEST_F(CardTypesTest, FoundByRowIdForTheEntryDialog)
{
    ASSERT_FALSE(save(admin(), basic(QStringLiteral("A1"), s(u"年卡"))).refused());
    ASSERT_FALSE(save(admin(), basic(QStringLiteral("B2"), s(u"月卡"))).refused());
    const qint64 id = find(t.dm(), s(u"月卡"))->id;
    const std::optional<CardType> byId = findById(t.dm(), id);
    ASSERT_TRUE(byId.has_value());
    EXPECT_EQ(byId->code, QStringLiteral("B2"));
    EXPECT_EQ(byId->price, Money::fromYuan(1250));
    EXPECT_FALSE(findById(t.dm(), id + 100).has_value());
}

TEST_F(CardTypesTest, GradeTreeHasTheRootAndOneNodePerTypeInTableOrder)
{
    for (const auto& [code, name] : std::vector<std::pair<QString, QString>>{
             {QStringLiteral("C"), s(u"年卡")}, {QStringLiteral("A"), s(u"月卡")}, {QStringLiteral("B"), s(u"次卡")}})
        ASSERT_FALSE(save(admin(), basic(code, name)).refused());
    const std::vector<TreeNode> tree = gradeTree(t.dm());
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree.front().text, s(u"所有等级"));
    ASSERT_EQ(tree.front().children.size(), 3u);
    QStringList children;
    for (int child : tree.front().children)
        children << tree.at(static_cast<size_t>(child)).text;
    EXPECT_EQ(children, (QStringList{s(u"年卡"), s(u"月卡"), s(u"次卡")}));
    EXPECT_EQ(tree.at(1).id, find(t.dm(), s(u"年卡"))->id);
}

TEST(CardTypePrice, TypedPriceIsAnAmountOrRefused)
{
    struct Case {
        QString typed;
        std::optional<Money> price;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("600"), Money::fromYuan(600)},
                                           {QStringLiteral(" 12.50 "), Money::fromUnits(125000)},
                                           {QString(), Money()},
                                           {QStringLiteral("  "), Money()},
                                           {QStringLiteral("12.3.4"), std::nullopt},
                                           {QStringLiteral("abc"), std::nullopt},
                                           {QStringLiteral("1.23456"), std::nullopt}}) {
        SCOPED_TRACE(c.typed.toStdString());
        const Outcome<Money> price = priceFromText(c.typed);
        if (c.price) {
            ASSERT_TRUE(price.ok());
            EXPECT_EQ(price.value(), *c.price);
        } else {
            ASSERT_TRUE(price.refused());
            EXPECT_EQ(price.refusal().message, s(u"售价必须是金额！"));
            EXPECT_EQ(price.refusal().icon, Refusal::Icon::Error);
            EXPECT_EQ(price.refusal().field, field::price);
        }
    }
}

TEST(CardTypeRules, DailyWindowIncludesBothEnds)
{
    const CardType morning = withDaily("08:00", "10:00");
    const QDate day(2024, 3, 15);
    EXPECT_FALSE(slotAllows(morning, QDateTime(day, QTime(7, 59, 59))));
    EXPECT_TRUE(slotAllows(morning, QDateTime(day, QTime(8, 0))));
    EXPECT_TRUE(slotAllows(morning, QDateTime(day, QTime(10, 0, 59)))) << "10:00 is still inside";
    EXPECT_FALSE(slotAllows(morning, QDateTime(day, QTime(10, 1))));
    const CardType overnight = withDaily("18:00", "09:00");
    for (int hour : {0, 8, 12, 19, 23})
        EXPECT_FALSE(slotAllows(overnight, QDateTime(day, QTime(hour, 0)))) << "a start after the end admits nobody";
    EXPECT_EQ(slotText(morning), s(u"08:00 至 10:00"));
}

TEST(CardTypeRules, WeekdaysAndTheirText)
{
    CardType t;
    t.hasSlot = true;
    t.slotKind = 2;
    t.weekdays = QStringLiteral("1010001");
    EXPECT_TRUE(slotAllows(t, QDateTime(QDate(2024, 3, 11), QTime(9, 0)))) << "Monday";
    EXPECT_FALSE(slotAllows(t, QDateTime(QDate(2024, 3, 12), QTime(9, 0)))) << "Tuesday";
    EXPECT_TRUE(slotAllows(t, QDateTime(QDate(2024, 3, 17), QTime(9, 0)))) << "Sunday";
    EXPECT_EQ(slotText(t), s(u"一三七"));
    // Only "1" names a day in the text, while the check-in lets in any non-zero digit.
    t.weekdays = QStringLiteral("2010000");
    EXPECT_EQ(slotText(t), s(u"三"));
    EXPECT_TRUE(slotAllows(t, QDateTime(QDate(2024, 3, 11), QTime(9, 0))));
    t.hasSlot = false;
    EXPECT_TRUE(slotAllows(t, QDateTime(QDate(2024, 3, 12), QTime(9, 0))));
    EXPECT_TRUE(slotText(t).isEmpty());
}

TEST(CardTypeRules, ValidityAndDiscount)
{
    EXPECT_EQ(expiryFromOpening(QDate(2024, 1, 31), 30), QDate(2024, 3, 1));
    EXPECT_FALSE(expiryFromOpening(QDate(2024, 1, 31), 0).isValid()) << "0 days never expires";
    CardType t;
    t.discount = 0.855;
    EXPECT_DOUBLE_EQ(discountFactor(t), 0.86);
    EXPECT_DOUBLE_EQ(discountFactor(std::nullopt), 1.0) << "an unknown type pays full price";
}

} // namespace
