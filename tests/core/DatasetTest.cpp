#include "db/Dataset.h"
#include "TestDatabase.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

using namespace tkd;

namespace {

using test::s;

class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char16_t* name : {u"甲", u"乙"})
            db.dm().change(s(u"insert into [职务] ([职务名称]) values (:m)"),
                           {{QStringLiteral("m"), QString::fromUtf16(name)}});
    }
    qint64 count(const char16_t* where)
    {
        return db.db().scalar(s(u"select count(*) from [职务] where ") + QString::fromUtf16(where)).toInt();
    }
    test::TestDatabase db;
};

TEST_F(DatasetTest, EditsAreWrittenAtOnce)
{
    Dataset ds = db.dm().openForEdit(QStringLiteral("ADODS_zw"));
    ds.rows().setFilter(Filter::where(s(u"职务名称"), Match::Equals, s(u"甲")));
    ASSERT_EQ(ds.rows().rowCount(), 1);
    ds.setValue(0, s(u"职务名称"), s(u"丙"));
    EXPECT_EQ(count(u"[职务名称]='丙'"), 1);
    EXPECT_EQ(count(u"[职务名称]='甲'"), 0);

    const int row = ds.append({{s(u"职务名称"), s(u"丁")}});
    EXPECT_FALSE(ds.rows().rawValue(row, ds.rows().columnIndex(s(u"编号"))).isNull()) << "the new key is read back";
    EXPECT_EQ(count(u"[职务名称]='丁'"), 1);

    ds.rows().clearFilter();
    ds.rows().setFilter(Filter::where(s(u"职务名称"), Match::Equals, s(u"乙")));
    ds.remove(0);
    EXPECT_EQ(count(u"[职务名称]='乙'"), 0);
}

TEST_F(DatasetTest, BatchHoldsChangesUntilApplied)
{
    db.dm().change(s(u"insert into [工作人员操作权限] ([操作人员],[系统功能类别],[系统功能名称],[操作权限]) "
                     u"values ('小王','前台操作','学员登记',0)"));
    db.dm().change(s(u"insert into [工作人员操作权限] ([操作人员],[系统功能类别],[系统功能名称],[操作权限]) "
                     u"values ('小王','前台操作','添加会员',0)"));
    Dataset ds = db.dm().openForEdit(QStringLiteral("ADOQ_czqx"), {{QStringLiteral("czry"), s(u"小王")}});
    ASSERT_EQ(ds.rows().rowCount(), 2);
    ds.setValue(0, s(u"操作权限"), true);
    ds.setValue(1, s(u"操作权限"), true);
    auto granted = [&] {
        return db.db().scalar(s(u"select count(*) from [工作人员操作权限] where [操作权限]<>0")).toInt();
    };
    EXPECT_EQ(granted(), 0) << "nothing is written before the batch";
    EXPECT_TRUE(ds.hasPendingChanges());
    ds.applyBatch();
    EXPECT_EQ(granted(), 2);

    ds.setValue(0, s(u"操作权限"), false);
    ds.cancelBatch();
    EXPECT_EQ(granted(), 2);
    EXPECT_TRUE(ds.rows().value(0, s(u"操作权限")).toBool()) << "cancel shows the stored rows again";
}

TEST_F(DatasetTest, GroupedResultsCannotBeEdited)
{
    EXPECT_THROW(db.dm().openForEdit(QStringLiteral("ADODS_hysjhz")), DbError);
}

} // namespace
