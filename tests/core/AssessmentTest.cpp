#include "ParamNames.h"
#include "TestDatabase.h"
#include "assessment/Levels.h"
#include "assessment/Results.h"
#include "cardtypes/CardTypes.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "frontdesk/CheckIn.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::assessment;

namespace {

using test::s;

const QDate kToday(2024, 5, 7);

// Four members (1003 disabled) and two levels on a fresh file; it is 2024-05-07 09:30.
class Assessment : public ::testing::Test {
public:
    void SetUp() override
    {
        cardtypes::Input type;
        type.code = QStringLiteral("F");
        type.name = s(u"长期卡");
        ASSERT_FALSE(cardtypes::save(command(), type).refused());
        addMember(QStringLiteral("1001"), s(u"张三"), s(u"可用"), QStringLiteral("13800000001"), QString());
        addMember(QStringLiteral("1002"), s(u"李四"), s(u"可用"), QString(), QStringLiteral("0571-8888"));
        addMember(QStringLiteral("1003"), s(u"王五"), s(u"禁用"), QString(), QString());
        addMember(QStringLiteral("0999"), s(u"赵六"), s(u"可用"), QStringLiteral("139"), QStringLiteral("010"));
        yellow = addLevel(s(u"黄带"), "24", "100");
        green = addLevel(s(u"绿带"), "30", "99.5");
    }

    void addMember(const QString& card, const QString& name, const QString& state, const QString& mobile,
                   const QString& phone)
    {
        dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[会员生日],[移动电话],"
                      u"[固定电话],[会员级别],[完成课时],[剩余课时],[加入时间]) "
                      u"values(:k,:n,'长期卡',:z,'00-00',:m,:p,'白带',7,5,:j)"),
                    {{QStringLiteral("k"), card},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("z"), state},
                     {QStringLiteral("m"), mobile},
                     {QStringLiteral("p"), phone},
                     {QStringLiteral("j"), QDate(2024, 1, 2)}});
    }
    qint64 addLevel(const QString& name, const char* lessons, const char* fee)
    {
        const Outcome<qint64> saved =
            saveLevel(command(), {name, QString::fromLatin1(lessons), QString::fromLatin1(fee)});
        EXPECT_TRUE(saved.ok()) << (saved.ok() ? std::string() : saved.refusal().message.toStdString());
        return saved.ok() ? *saved : -1;
    }

    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext command(const QDateTime& at = QDateTime(kToday, QTime(9, 30))) { return {dm(), s(u"超级用户"), at}; }

    static ResultInput result(const QString& card, const QString& level, const QString& outcome,
                              const char* fee = "100")
    {
        return {kToday, card, s(u" 学员 "), level, QString::fromLatin1(fee), outcome, s(u" 首次 ")};
    }
    qint64 save(const ResultInput& input, const std::optional<qint64>& edited = std::nullopt)
    {
        const Outcome<SavedResult> saved = saveResult(command(), input, edited);
        EXPECT_TRUE(saved.ok()) << (saved.ok() ? std::string() : saved.refusal().message.toStdString());
        return saved.ok() ? saved->id : -1;
    }

    struct Counters {
        QString grade;
        qint64 done;
        qint64 left;
        bool operator==(const Counters&) const = default;
    };
    Counters member(const QString& card)
    {
        const ResultSet row =
            dm().list(s(u"select * from [会员信息] where [会员卡号]=:k"), {{QStringLiteral("k"), card}});
        return {row.first(s(u"会员级别")).toText(), row.first(s(u"完成课时")).toInt(),
                row.first(s(u"剩余课时")).toInt()};
    }
    qint64 resultCount()
    {
        return dm().list(s(u"select count(*) as [n] from [学员考核]")).first(QStringLiteral("n")).toInt();
    }
    ResultSet resultRow(qint64 id)
    {
        return dm().list(s(u"select * from [学员考核] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    }

    qint64 yellow = 0;
    qint64 green = 0;

private:
    test::TestDatabase m_db;
};

void PrintTo(const Assessment::Counters& c, std::ostream* os)
{
    *os << c.grade.toStdString() << ' ' << c.done << ' ' << c.left;
}

const Assessment::Counters kUntouched{QStringLiteral("白带"), 7, 5};

TEST_F(Assessment, PassLoadsTheLevelsLessonsAndCheckInsCountThemDown)
{
    save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")));
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黄带"), 0, 24}));

    for (const QTime at : {QTime(10, 0), QTime(16, 0)})
        ASSERT_TRUE(frontdesk::checkIn(command(QDateTime(kToday, at)), QStringLiteral("1001")).ok());
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黄带"), 2, 22}));

    const ResultSet row = resultRow(1);
    EXPECT_EQ(row.first(s(u"会员姓名")).toText(), s(u"学员")) << "trimmed";
    EXPECT_EQ(row.first(s(u"备注")).toText(), s(u"首次"));
    EXPECT_EQ(row.first(s(u"考核费用")).toMoney(), Money::fromYuan(100));
    EXPECT_EQ(row.first(s(u"考核时间")).toDateTime(), QDateTime(kToday, QTime(0, 0)));
}

TEST_F(Assessment, FailedOrUnchosenResultLeavesTheMemberAlone)
{
    for (const QString& outcome : {s(u"未通过"), QString()}) {
        save(result(QStringLiteral("1001"), s(u"黄带"), outcome));
        EXPECT_EQ(member(QStringLiteral("1001")), kUntouched) << outcome.toStdString();
    }
    EXPECT_EQ(resultCount(), 2);
}

TEST_F(Assessment, UnknownCardIsRecordedAndAMissingLevelLoadsNoLessons)
{
    save(result(QStringLiteral("7777"), s(u"黄带"), s(u"通过")));
    EXPECT_EQ(resultCount(), 1);
    save(result(QStringLiteral("1001"), s(u"黑带"), s(u"通过")));
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黑带"), 0, 0}));
}

TEST_F(Assessment, DuplicateLevelNamesUseTheFirstLevel)
{
    addLevel(s(u"黄带"), "8", "50");
    save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")));
    EXPECT_EQ(member(QStringLiteral("1001")).left, 24);
    EXPECT_EQ(levelByName(dm(), s(u"黄带"))->fee, Money::fromYuan(100));
    EXPECT_EQ(levelNames(dm()), (QStringList{s(u"黄带"), s(u"绿带"), s(u"黄带")}));
}

TEST_F(Assessment, CorrectingAPassKeepsTheLessonsAttendedSince)
{
    const qint64 id = save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")));
    ASSERT_TRUE(frontdesk::checkIn(command(QDateTime(kToday, QTime(10, 0))), QStringLiteral("1001")).ok());

    ResultInput corrected = result(QStringLiteral("1001"), s(u"黄带"), s(u"通过"), "80");
    corrected.remark = s(u"补交");
    corrected.date = kToday.addDays(-1);
    const Outcome<SavedResult> saved = saveResult(command(), corrected, id);
    ASSERT_TRUE(saved.ok());
    EXPECT_FALSE(saved->memberUpdated);
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黄带"), 1, 23}));
    EXPECT_EQ(resultRow(id).first(s(u"备注")).toText(), s(u"补交"));
    EXPECT_EQ(resultRow(id).first(s(u"考核费用")).toMoney(), Money::fromYuan(80));

    save(result(QStringLiteral("1001"), s(u"绿带"), s(u"通过")), id);
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"绿带"), 0, 30})) << "another level starts again";

    save(result(QStringLiteral("1002"), s(u"绿带"), s(u"通过")), id);
    EXPECT_EQ(member(QStringLiteral("1002")), (Counters{s(u"绿带"), 0, 30})) << "another card";
    EXPECT_EQ(resultCount(), 1);
}

TEST_F(Assessment, AFailedResultChangedToPassResetsTheCounters)
{
    const qint64 id = save(result(QStringLiteral("1001"), s(u"黄带"), s(u"未通过")));
    EXPECT_EQ(member(QStringLiteral("1001")), kUntouched);
    dm().change(s(u"update [报考级别] set [所需课时]=12 where [编号]=:bh"), {{QStringLiteral("bh"), yellow}});
    save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")), id);
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黄带"), 0, 12})) << "the level's current lessons";
}

TEST_F(Assessment, ChangingAPassToFailureLeavesTheMemberAlone)
{
    const qint64 id = save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")));
    dm().change(s(u"update [会员信息] set [剩余课时]=3 where [会员卡号]='1001'"));
    save(result(QStringLiteral("1001"), s(u"绿带"), s(u"未通过")), id);
    EXPECT_EQ(member(QStringLiteral("1001")), (Counters{s(u"黄带"), 0, 3}));
}

struct Refused {
    const char* name;
    ResultInput input;
    const char16_t* message;
    QString field;
};

TEST_F(Assessment, ResultChecksInOrderAndWriteNothing)
{
    const QString yellowName = s(u"黄带");
    const Refused cases[] = {
        {"blank card before the level",
         {kToday, QStringLiteral("  "), {}, {}, QStringLiteral("x"), {}, {}},
         u"会员卡号不能为空！",
         field::card},
        {"blank level before the fee",
         {kToday, QStringLiteral("1001"), {}, QStringLiteral(" "), QStringLiteral("x"), {}, {}},
         u"报考级别不能为空！",
         field::level},
        {"a dot",
         {kToday, QStringLiteral("1001"), {}, yellowName, QStringLiteral("."), s(u"通过"), {}},
         u"考核费用必须是金额！",
         field::fee},
        {"letters",
         {kToday, QStringLiteral("1001"), {}, yellowName, QStringLiteral("12a"), s(u"通过"), {}},
         u"考核费用必须是金额！",
         field::fee},
        {"a long digit run",
         {kToday, QStringLiteral("1001"), {}, yellowName, QStringLiteral("99999999999999999999999"), s(u"通过"), {}},
         u"考核费用必须是金额！",
         field::fee},
        {"five decimals",
         {kToday, QStringLiteral("1001"), {}, yellowName, QStringLiteral("1.00001"), s(u"通过"), {}},
         u"考核费用必须是金额！",
         field::fee},
    };
    for (const Refused& c : cases) {
        const Outcome<SavedResult> saved = saveResult(command(), c.input);
        ASSERT_TRUE(saved.refused()) << c.name;
        EXPECT_EQ(saved.refusal().message, s(c.message)) << c.name;
        EXPECT_EQ(saved.refusal().icon, Refusal::Icon::Error) << c.name;
        EXPECT_EQ(saved.refusal().field, c.field) << c.name;
    }
    EXPECT_EQ(resultCount(), 0);
    EXPECT_EQ(member(QStringLiteral("1001")), kUntouched);
}

TEST_F(Assessment, BlankFeeIsZero)
{
    const qint64 id = save(result(QStringLiteral("1001"), s(u"黄带"), s(u"通过"), " "));
    EXPECT_EQ(resultRow(id).first(s(u"考核费用")).toMoney(), Money());
}

TEST_F(Assessment, AFailedInsertLeavesThePromotedMemberAsBefore)
{
    dm().change(s(u"create temp trigger [stop_result] before insert on [学员考核] "
                  u"begin select raise(abort, '拒绝写入'); end"));
    EXPECT_THROW(saveResult(command(), result(QStringLiteral("1001"), s(u"黄带"), s(u"通过"))), DbError);
    EXPECT_EQ(member(QStringLiteral("1001")), kUntouched);
    EXPECT_EQ(resultCount(), 0);
}

TEST_F(Assessment, ChangingAGoneResultIsRefused)
{
    const Outcome<SavedResult> saved =
        saveResult(command(), result(QStringLiteral("1001"), s(u"黄带"), s(u"通过")), 42);
    ASSERT_TRUE(saved.refused());
    EXPECT_EQ(saved.refusal().message, s(u"该记录已不存在！"));
    EXPECT_EQ(member(QStringLiteral("1001")), kUntouched);
}

TEST_F(Assessment, ResultRoundTripsThroughTheEntryFields)
{
    const qint64 id = save(result(QStringLiteral("1001"), s(u"绿带"), s(u"未通过"), "99.5"));
    const std::optional<ResultInput> back = findResult(dm(), id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->date, kToday);
    EXPECT_EQ(back->fee, QStringLiteral("99.5"));
    EXPECT_EQ(back->result, s(u"未通过"));
    EXPECT_EQ(back->level, s(u"绿带"));
    ASSERT_TRUE(removeResult(command(), id).ok());
    EXPECT_FALSE(findResult(dm(), id));
    EXPECT_TRUE(removeResult(command(), id).refused());
}

TEST_F(Assessment, ReceiptLines)
{
    const Outcome<SavedResult> saved = saveResult(
        command(), {kToday, QStringLiteral(" 1001 "), s(u"张三"), s(u"黄带"), QStringLiteral("100"), s(u"通过"), {}});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->receipt.title, s(u"考级收款单"));
    EXPECT_EQ(saved->receipt.lines,
              (QStringList{s(u"考核时间：2024年5月7日"), s(u"会员卡号：1001"), s(u"会员姓名：张三"),
                           s(u"报考级别：黄带"), s(u"考核费用：￥100"), s(u"打印时间：2024-05-07 09:30")}));
    EXPECT_EQ(receipt(QDate(2024, 12, 25), {}, {}, {}, Money::fromUnits(995000), {}).lines.at(4),
              s(u"考核费用：￥99.5"));
}

TEST_F(Assessment, FeeAndCountTexts)
{
    EXPECT_EQ(feeText(Money::fromYuan(100)), QStringLiteral("100"));
    EXPECT_EQ(feeText(Money::fromUnits(995000)), QStringLiteral("99.5"));
    EXPECT_EQ(feeText(Money::fromUnits(1)), QStringLiteral("0.0001"));
    EXPECT_EQ(feeText(Money()), QStringLiteral("0"));
    EXPECT_EQ(parseCount(QString()), 0);
    EXPECT_EQ(parseCount(QStringLiteral("9999")), 9999);
    EXPECT_FALSE(parseCount(QStringLiteral("10000")));
    EXPECT_FALSE(parseCount(QStringLiteral("1a")));
    EXPECT_FALSE(parseCount(QStringLiteral("-1")));
    EXPECT_EQ(parseFee(QStringLiteral(" ")), Money());
    EXPECT_FALSE(parseFee(QStringLiteral("-5")));
}

TEST_F(Assessment, BatchOfThreePassesWritesThreeResultsAndNoMember)
{
    const ResultSet list = openStudentList(dm());
    ASSERT_EQ(list.texts(s(u"会员卡号")),
              (QStringList{QStringLiteral("0999"), QStringLiteral("1001"), QStringLiteral("1002")}))
        << "usable members by card number";
    EXPECT_FALSE(list.first(s(u"选择学员")).toBool());
    EXPECT_EQ(list.value(0, s(u"联系电话")).toText(), QStringLiteral("139 010"));
    EXPECT_EQ(list.value(1, s(u"联系电话")).toText(), QStringLiteral("13800000001 "));
    EXPECT_EQ(list.value(2, s(u"联系电话")).toText(), QStringLiteral(" 0571-8888"));

    for (const char* card : {"1002", "0999", "1001"})
        EXPECT_TRUE(toggleStudent(dm(), QString::fromLatin1(card)));
    EXPECT_FALSE(toggleStudent(dm(), QStringLiteral("1001"))) << "a second click unticks";
    EXPECT_TRUE(toggleStudent(dm(), QStringLiteral("1001")));
    EXPECT_EQ(studentList(dm()).value(1, s(u"选择学员")).toBool(), true);
    const Outcome<qint64> saved =
        saveBatch(command(), {kToday, s(u"黄带"), QStringLiteral("50"), s(u"通过"), s(u"集体考核")});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(*saved, 3);
    const ResultSet rows = dm().list(s(u"select * from [学员考核] order by [编号]"));
    EXPECT_EQ(rows.texts(s(u"会员卡号")),
              (QStringList{QStringLiteral("0999"), QStringLiteral("1001"), QStringLiteral("1002")}))
        << "in list order";
    EXPECT_EQ(rows.texts(s(u"会员姓名")), (QStringList{s(u"赵六"), s(u"张三"), s(u"李四")}));
    EXPECT_EQ(rows.texts(s(u"备注")), (QStringList{s(u"集体考核"), s(u"集体考核"), s(u"集体考核")}));
    for (const char* card : {"0999", "1001", "1002"})
        EXPECT_EQ(member(QString::fromLatin1(card)), kUntouched) << card;
}

TEST_F(Assessment, BatchWithNothingTickedOrRefusedWritesNothing)
{
    openStudentList(dm());
    const Outcome<qint64> none = saveBatch(command(), {kToday, s(u"黄带"), QStringLiteral("50"), s(u"通过"), {}});
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(*none, 0);

    toggleStudent(dm(), QStringLiteral("1001"));
    const Outcome<qint64> noLevel = saveBatch(command(), {kToday, QStringLiteral(" "), QStringLiteral("x"), {}, {}});
    ASSERT_TRUE(noLevel.refused());
    EXPECT_EQ(noLevel.refusal().message, s(u"报考级别不能为空！"));
    EXPECT_EQ(noLevel.refusal().field, field::level);
    const Outcome<qint64> badFee = saveBatch(command(), {kToday, s(u"黄带"), QStringLiteral("."), {}, {}});
    ASSERT_TRUE(badFee.refused());
    EXPECT_EQ(badFee.refusal().message, s(u"考核费用必须是金额！"));
    EXPECT_EQ(badFee.refusal().field, field::fee);
    EXPECT_EQ(resultCount(), 0);
}

TEST_F(Assessment, ABatchThatFailsPartWayRecordsNoneOfTheGroup)
{
    openStudentList(dm());
    for (const char* card : {"0999", "1001", "1002"})
        toggleStudent(dm(), QString::fromLatin1(card));
    dm().change(s(u"create temp trigger [stop_last] before insert on [学员考核] when new.[会员卡号]='1002' "
                  u"begin select raise(abort, '拒绝写入'); end"));
    EXPECT_THROW(saveBatch(command(), {kToday, s(u"黄带"), QStringLiteral("50"), s(u"通过"), {}}), DbError);
    EXPECT_EQ(resultCount(), 0);
}

TEST_F(Assessment, ListCoversTheLastDayAndFiltersLiterally)
{
    const auto add = [this](const QDateTime& at, const QString& card, const QString& level, const QString& outcome,
                            const QString& remark) {
        dm().change(s(u"insert into [学员考核] ([考核时间],[会员卡号],[会员姓名],[报考级别],[考核费用],[考核结果],"
                      u"[备注]) values(:t,:k,'学员',:l,0,:r,:b)"),
                    {{QStringLiteral("t"), at},
                     {QStringLiteral("k"), card},
                     {QStringLiteral("l"), level},
                     {QStringLiteral("r"), outcome},
                     {QStringLiteral("b"), remark}});
    };
    add(QDateTime(QDate(2024, 5, 31), QTime(18, 0)), QStringLiteral("1001"), s(u"黄'带"), s(u"通过"), s(u"100%"));
    add(QDateTime(QDate(2024, 5, 1), QTime(0, 0)), QStringLiteral("1*02"), s(u"黄带"), s(u"未通过"), s(u"a_b"));
    add(QDateTime(QDate(2024, 6, 1), QTime(0, 0)), QStringLiteral("1003"), s(u"黄带"), s(u"通过"), {});
    add(QDateTime(QDate(2024, 4, 30), QTime(23, 59, 59)), QStringLiteral("1004"), s(u"黄带"), s(u"通过"), {});

    ResultSet may = results(dm(), dayRange(QDate(2024, 5, 1), QDate(2024, 5, 31)));
    EXPECT_EQ(may.texts(s(u"会员卡号")), (QStringList{QStringLiteral("1*02"), QStringLiteral("1001")}));

    may.setFilter(levelFilter(s(u"黄'带")));
    EXPECT_EQ(may.texts(s(u"会员卡号")), QStringList{QStringLiteral("1001")}) << "a quote is a character";
    may.setFilter(levelFilter(kAllLevels));
    EXPECT_EQ(may.rowCount(), 2);

    struct Case {
        const char* name;
        DetailedSearch search;
        QStringList cards;
    };
    const Case cases[] = {
        {"star in the card", {{}, {}, QStringLiteral("*"), {}, kAllLevels, kAllResults, {}}, {QStringLiteral("1*02")}},
        {"percent in the remark",
         {{}, {}, {}, {}, kAllLevels, kAllResults, QStringLiteral("%")},
         {QStringLiteral("1001")}},
        {"underscore in the remark",
         {{}, {}, {}, {}, kAllLevels, kAllResults, QStringLiteral("_")},
         {QStringLiteral("1*02")}},
        {"result", {{}, {}, {}, {}, kAllLevels, s(u"未通过"), {}}, {QStringLiteral("1*02")}},
        {"level and name", {{}, {}, {}, s(u"学"), s(u"黄带"), kAllResults, {}}, {QStringLiteral("1*02")}},
        {"card and result together", {{}, {}, QStringLiteral("100"), {}, kAllLevels, s(u"未通过"), {}}, {}},
        {"nothing set",
         {{}, {}, {}, {}, kAllLevels, kAllResults, {}},
         {QStringLiteral("1*02"), QStringLiteral("1001")}},
    };
    for (const Case& c : cases) {
        may.setFilter(detailedFilter(c.search));
        EXPECT_EQ(may.texts(s(u"会员卡号")), c.cards) << c.name;
    }
}

TEST_F(Assessment, LevelChecksAndChanges)
{
    struct Case {
        const char* name;
        LevelInput input;
        const char16_t* message;
        QString field;
    };
    const Case cases[] = {
        {"blank name",
         {QStringLiteral(" "), QStringLiteral("x"), QStringLiteral("x")},
         u"级别名称不能为空！",
         field::levelName},
        {"five digits", {s(u"红带"), QStringLiteral("12345"), {}}, u"所需课时必须是整数！", field::lessons},
        {"not a count", {s(u"红带"), QStringLiteral("1.5"), {}}, u"所需课时必须是整数！", field::lessons},
        {"fee a dot", {s(u"红带"), QStringLiteral("12"), QStringLiteral(".")}, u"考核费用必须是金额！", field::fee},
    };
    for (const Case& c : cases) {
        const Outcome<qint64> saved = saveLevel(command(), c.input);
        ASSERT_TRUE(saved.refused()) << c.name;
        EXPECT_EQ(saved.refusal().message, s(c.message)) << c.name;
        EXPECT_EQ(saved.refusal().field, c.field) << c.name;
    }
    EXPECT_EQ(levels(dm()).rowCount(), 2);

    const Outcome<qint64> blank = saveLevel(command(), {s(u" 红带 "), {}, {}});
    ASSERT_TRUE(blank.ok());
    const std::optional<Level> red = findLevel(dm(), *blank);
    ASSERT_TRUE(red);
    EXPECT_EQ(red->name, s(u"红带"));
    EXPECT_EQ(red->lessons, 0);
    EXPECT_EQ(red->fee, Money());

    ASSERT_TRUE(saveLevel(command(), {s(u"红带"), QStringLiteral("40"), QStringLiteral("120.5")}, *blank).ok());
    EXPECT_EQ(findLevel(dm(), *blank)->lessons, 40);
    EXPECT_EQ(findLevel(dm(), *blank)->fee, Money::fromUnits(1205000));

    save(result(QStringLiteral("1001"), s(u"红带"), s(u"通过")));
    ASSERT_TRUE(removeLevel(command(), *blank).ok());
    EXPECT_EQ(member(QStringLiteral("1001")).grade, s(u"红带")) << "members keep the name";
    EXPECT_EQ(resultCount(), 1);
    EXPECT_TRUE(saveLevel(command(), {s(u"红带"), {}, {}}, *blank).refused()) << "gone";
}

} // namespace
