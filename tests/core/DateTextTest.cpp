#include "TestDatabase.h"
#include "db/Value.h"

#include <gtest/gtest.h>

using tkd::Value;

TEST(DateText, StoredFormsReadBackAndMalformedOnesAreInvalid)
{
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-02-29 23:59:58")),
              QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-01T08:05:00")), QDateTime(QDate(2024, 3, 1), QTime(8, 5)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral(" 2024-03-01 ")), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    EXPECT_EQ(Value::parseDateTime(QStringLiteral("2024-03-01 08:05:00.123")),
              QDateTime(QDate(2024, 3, 1), QTime(8, 5)));
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-03-01 24:00:00", "2024/03/01", "2024-0a-01",
                            "2024-03-01 08-05-00", "20240301", ""})
        EXPECT_FALSE(Value::parseDateTime(QString::fromLatin1(bad)).isValid()) << bad;
    const QDateTime moment(QDate(2024, 12, 9), QTime(7, 3, 9));
    EXPECT_EQ(Value::parseDateTime(Value::canonicalDateTime(moment)), moment);
}

namespace {

using tkd::test::s;

// Payments stamped around one day; the day's texts are bound the way later windows pass them.
class DateTextBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [name, moment] : {std::pair{"before", QDateTime(QDate(2024, 3, 14), QTime(23, 59, 59))},
                                           std::pair{"midnight", QDateTime(QDate(2024, 3, 15), QTime(0, 0))},
                                           std::pair{"evening", QDateTime(QDate(2024, 3, 15), QTime(18, 0))},
                                           std::pair{"last second", QDateTime(QDate(2024, 3, 15), QTime(23, 59, 59))},
                                           std::pair{"next day", QDateTime(QDate(2024, 3, 16), QTime(0, 0))}}) {
            dm().change(s(u"insert into [会员充值] ([充值日期],[会员卡号],[备注]) values (:czrq,'1001',:bz)"),
                        {{QStringLiteral("czrq"), moment}, {QStringLiteral("bz"), QString::fromLatin1(name)}});
        }
    }
    tkd::TvelunDMForm& dm() { return database.dm(); }
    static QStringList remarks(const tkd::ResultSet& rows)
    {
        QStringList names;
        for (int i = 0; i < rows.rowCount(); ++i)
            names << rows.value(i, s(u"备注")).toText();
        names.sort();
        return names;
    }
    tkd::test::TestDatabase database;
};

const QStringList kWholeDay{QStringLiteral("evening"), QStringLiteral("last second"), QStringLiteral("midnight")};

TEST_F(DateTextBinding, DayTextsBoundToARangeKeepTheirLastDay)
{
    const tkd::Params day{{QStringLiteral("rq1"), QStringLiteral("2024-03-15")},
                          {QStringLiteral("rq2"), QStringLiteral("2024-03-15")}};
    EXPECT_EQ(remarks(dm().list(s(u"select [备注] from [会员充值] where [充值日期] between :rq1 and :rq2"), day)),
              kWholeDay);
    EXPECT_EQ(remarks(dm().list(s(u"select [备注] from [会员充值] where [充值日期]>=:rq1 and [充值日期]<=:rq2"), day)),
              kWholeDay);
    EXPECT_EQ(remarks(dm().list(s(u"select [备注] from [会员充值] where :rq1<=[充值日期] and :rq2>=[充值日期]"), day)),
              kWholeDay)
        << "either side of the comparison";
    EXPECT_EQ(remarks(dm().open(QStringLiteral("ADOQ_hycz"), day)), kWholeDay) << "a catalogue query alike";
    EXPECT_EQ(remarks(dm().list(s(u"select [备注] from [会员充值] where [充值日期] not between :rq1 and :rq2"), day)),
              (QStringList{QStringLiteral("before"), QStringLiteral("next day")}));
}

TEST_F(DateTextBinding, DayTextOutsideAnUpperBoundMeansItsMidnight)
{
    const auto before = dm().list(s(u"select [备注] from [会员充值] where [充值日期]<:rq"),
                                  {{QStringLiteral("rq"), QStringLiteral("2024-03-15")}});
    EXPECT_EQ(remarks(before), QStringList{QStringLiteral("before")}) << "before the day, not before its end";
    const auto at = dm().list(s(u"select [备注] from [会员充值] where [充值日期]=:rq"),
                              {{QStringLiteral("rq"), QStringLiteral("2024-03-15")}});
    EXPECT_EQ(remarks(at), QStringList{QStringLiteral("midnight")});
    const auto until = dm().list(s(u"select [备注] from [会员充值] where [充值日期]<=:rq"),
                                 {{QStringLiteral("rq"), QStringLiteral("2024-03-15 18:00:00")}});
    EXPECT_EQ(remarks(until),
              (QStringList{QStringLiteral("before"), QStringLiteral("evening"), QStringLiteral("midnight")}))
        << "a moment given in full is kept as it is";
}

TEST_F(DateTextBinding, DayTextsAreStoredInTheStoredFormAndOtherTextIsLeftAlone)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[加入时间],[备注说明]) values (:hykh,:jrsj,:bz)"),
                {{QStringLiteral("hykh"), QStringLiteral("2024-03-15")},
                 {QStringLiteral("jrsj"), QStringLiteral("2024-03-15")},
                 {QStringLiteral("bz"), QStringLiteral("2024-03-15")}});
    dm().change(s(u"update [会员信息] set [到期日期]=:dqrq,[开卡日期]=:kkrq where [会员卡号]=:hykh"),
                {{QStringLiteral("dqrq"), QStringLiteral("2024-04-14")},
                 {QStringLiteral("kkrq"), QStringLiteral("2024-03-15T09:30:00")},
                 {QStringLiteral("hykh"), QStringLiteral("2024-03-15")}});
    const auto raw = dm().list(s(u"select cast([加入时间] as text) as [jr],cast([到期日期] as text) as [dq],"
                                 u"cast([开卡日期] as text) as [kk],[备注说明],[会员卡号] from [会员信息]"));
    ASSERT_EQ(raw.rowCount(), 1);
    EXPECT_EQ(raw.first(QStringLiteral("jr")).toText(), QStringLiteral("2024-03-15 00:00:00"));
    EXPECT_EQ(raw.first(QStringLiteral("dq")).toText(), QStringLiteral("2024-04-14 00:00:00"));
    EXPECT_EQ(raw.first(QStringLiteral("kk")).toText(), QStringLiteral("2024-03-15 09:30:00"));
    EXPECT_EQ(raw.first(s(u"备注说明")).toText(), QStringLiteral("2024-03-15")) << "a text column keeps its text";
    EXPECT_EQ(raw.first(s(u"会员卡号")).toText(), QStringLiteral("2024-03-15"));

    // The stored form compares equal with a date given as a date.
    EXPECT_EQ(dm().list(s(u"select * from [会员信息] where [到期日期]=:d"), {{QStringLiteral("d"), QDate(2024, 4, 14)}})
                  .rowCount(),
              1);
}

} // namespace
