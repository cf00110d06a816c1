#include "data/Catalogue.h"
#include "TestDatabase.h"
#include "db/DbError.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

using test::s;

// A value of the kind each parameter carries: range bounds are moments, the rest text.
Value sampleFor(const QString& parameter)
{
    if (parameter.startsWith(QStringLiteral("rq")) || parameter.startsWith(QStringLiteral("time")))
        return QDateTime(QDate(2024, 3, 15), parameter.endsWith(QLatin1Char('1')) ? QTime(0, 0) : QTime(23, 59, 59));
    return QStringLiteral("XXXYYYZZZ");
}

TEST(Catalogue, EveryEntryRunsAgainstTheSchema)
{
    test::TestDatabase t;
    QSet<QString> names;
    for (const CatalogueEntry& entry : catalogueEntries()) {
        EXPECT_FALSE(names.contains(entry.name)) << "duplicate " << entry.name.toStdString();
        names.insert(entry.name);
        Params params;
        for (const QString& p : entry.parameters)
            params.set(p, sampleFor(p));
        EXPECT_NO_THROW(t.dm().open(entry.name, params)) << entry.name.toStdString();
        EXPECT_EQ(entry.kind == EntryKind::Dataset, entry.parameters.isEmpty()) << entry.name.toStdString();
    }
    EXPECT_EQ(names.size(), 94);
    for (const char* expected : {"ADOQ_hykhxx", "ADOQ_hyklxxx", "ADODS_mrtx5", "ADOQ_findgzqx", "ADODS_tmphydj"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(expected))) << expected;
}

TEST(Catalogue, HistoryOpenedForNoMemberHasColumnsButNoRows)
{
    test::TestDatabase t;
    t.dm().change(s(u"insert into [会员充值] ([充值日期],[会员卡号],[充值金额]) values (:rq,'1001',100)"),
                  {{QStringLiteral("rq"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}});
    const ResultSet r =
        t.dm().open(QStringLiteral("ADOQ_hyczjl"), {{QStringLiteral("hykh"), QStringLiteral("XXXYYYZZZ")}});
    EXPECT_EQ(r.rowCount(), 0);
    EXPECT_EQ(r.columns(),
              (QStringList{s(u"充值日期"), s(u"充值金额"), s(u"优惠金额"), s(u"充值说明"), s(u"操作员"), s(u"备注")}));
    EXPECT_EQ(t.dm().open(QStringLiteral("ADOQ_hyczjl"), {{QStringLiteral("hykh"), QStringLiteral("1001")}}).rowCount(),
              1);
}

TEST(Catalogue, AliasesAndArithmeticNameTheResultColumns)
{
    test::TestDatabase t;
    t.dm().change(s(u"insert into [会员消费] ([消费日期],[会员卡号],[商品编号],[单价],[数量],[折扣率],[总金额]) "
                    u"values (:rq,'1001','A',20,2,0.9,36)"),
                  {{QStringLiteral("rq"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}});
    const ResultSet r = t.dm().open(QStringLiteral("ADOQ_hyxf"), {{QStringLiteral("hykh"), QStringLiteral("1001")}});
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_DOUBLE_EQ(r.first(s(u"折后价")).toDouble(), 18.0);
    EXPECT_EQ(r.first(s(u"总金额")).toMoney(), Money::fromYuan(36));
}

TEST(Catalogue, UnknownEntriesAndParametersAreRefused)
{
    test::TestDatabase t;
    EXPECT_THROW(t.dm().open(QStringLiteral("ADOQ_nothing")), DbError);
    EXPECT_THROW(t.dm().open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("lxmc"), QStringLiteral("x")}}), DbError);
    EXPECT_THROW(t.dm().open(QStringLiteral("ADOQ_hykhxx")), DbError) << "a declared parameter needs its value";
}

TEST(Catalogue, DayRangeQueriesKeepTheirBoundaries)
{
    test::TestDatabase t;
    const QDate day(2024, 3, 15);
    for (const QDateTime& when :
         {QDateTime(day, QTime(0, 0)), QDateTime(day, QTime(23, 59, 59)), QDateTime(day.addDays(1), QTime(0, 0))})
        t.dm().change(s(u"insert into [会员登记] ([会员卡号],[登记时间],[上课次数]) values ('1',:t,1)"),
                      {{QStringLiteral("t"), when}});
    const ResultSet r =
        t.dm().open(QStringLiteral("ADOQ_hydj"), {{QStringLiteral("rq1"), QDateTime(day, QTime(0, 0))},
                                                  {QStringLiteral("rq2"), QDateTime(day, QTime(23, 59, 59))}});
    EXPECT_EQ(r.rowCount(), 2);
}

} // namespace
