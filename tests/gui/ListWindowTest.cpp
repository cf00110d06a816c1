#include "kit/ListWindow.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "staff/Staff.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

// A staff list made from the kit alone, as a later window would make one: a search over the
// name and the remark, a "所有职务" choice, add through an entry dialog, delete with a check
// of the window's own (the hall's head may not be deleted).
class StaffList : public gui::ListWindow {
public:
    StaffList(Session& session, QDialog* entry, bool withQueryButton)
        : ListWindow(session, QStringLiteral("staffList"), s(u"员工"), nullptr), m_entry(entry)
    {
        grid()->setObjectName(QStringLiteral("staffGrid"));
        setSource([this] { return dm().open(QStringLiteral("ADODS_ygxx")); });
        setColumns({{s(u"姓名"), 80}, {s(u"备注"), 120}}, {s(u"编号")});
        addButton(s(u"增加"), "addButton", [this] { runEntry(m_entry); });
        addButton(s(u"删除"), "deleteButton", [this] { deleteSelected(); });
        addExitButton();
        addSearch(s(u"员工名称："), "nameEdit", {s(u"姓名"), s(u"备注")});
        addChoice(s(u"职务分类："), "titleCombo", s(u"所有职务"), s(u"职务"));
        if (withQueryButton)
            addQueryButton();
    }
    void prepare()
    {
        setChoices(staff::jobTitles(dm()));
        clearQuery();
        reload();
    }
    QStringList shownNames() const { return rows().texts(s(u"姓名")); }

private:
    void deleteSelected()
    {
        if (!hasCurrentRow())
            return;
        const qint64 id = current(s(u"编号")).toInt();
        const QString title = current(s(u"职务")).toText();
        deleteCurrent([this, id] { return staff::remove(session().command(), id); },
                      [title]() -> MaybeRefusal {
                          if (title == s(u"馆长"))
                              return Refusal::warning(s(u"馆长不能删除！"));
                          return std::nullopt;
                      });
    }

    QDialog* m_entry;
};

class ListWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.openDatabase();
        add(s(u"张三"), s(u"教练"));
        add(QStringLiteral("O'Brien"), s(u"教练"), QStringLiteral("50%"));
        add(s(u"李四"), s(u"会籍顾问"));
        add(QStringLiteral("a_b"), s(u"前台"));
    }
    void add(const QString& name, const QString& title, const QString& remark = {})
    {
        staff::Input input;
        input.name = name;
        input.title = title;
        input.remark = remark;
        ASSERT_TRUE(staff::save(context.command(), input).ok());
    }
    std::unique_ptr<StaffList> open(bool withQueryButton)
    {
        auto list = std::make_unique<StaffList>(context.session(), &entry, withQueryButton);
        list->prepare();
        return list;
    }
    qint64 stored() { return context.velunDMForm().db().scalar(s(u"select count(*) from [员工设置]")).toInt(); }
    void pick(StaffList* list, const QString& name)
    {
        const int row = static_cast<int>(list->shownNames().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        list->grid()->selectRow(row);
    }

    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
    QDialog entry;
};

} // namespace

TEST_F(ListWindowTest, SearchMatchesTypedTextLiterallyAndTheFirstChoiceMeansEveryone)
{
    const auto list = open(false);
    EXPECT_EQ(list->shownNames(),
              (QStringList{s(u"张三"), QStringLiteral("O'Brien"), s(u"李四"), QStringLiteral("a_b")}));
    auto* search = in<QLineEdit>(list.get(), "nameEdit");
    auto* titles = in<QComboBox>(list.get(), "titleCombo");
    EXPECT_EQ(titles->itemText(0), s(u"所有职务"));
    EXPECT_EQ(titles->count(), 4) << "the first entry, then the three titles";

    search->setText(QStringLiteral("'"));
    EXPECT_EQ(list->shownNames(), QStringList{QStringLiteral("O'Brien")});
    search->setText(QStringLiteral("%"));
    EXPECT_EQ(list->shownNames(), QStringList{QStringLiteral("O'Brien")}) << "found by its remark";
    search->setText(QStringLiteral("_"));
    EXPECT_EQ(list->shownNames(), QStringList{QStringLiteral("a_b")});
    search->setText(QStringLiteral("*"));
    EXPECT_TRUE(list->shownNames().isEmpty());

    search->clear();
    titles->setCurrentText(s(u"教练"));
    EXPECT_EQ(list->shownNames(), (QStringList{s(u"张三"), QStringLiteral("O'Brien")}));
    search->setText(s(u"张"));
    EXPECT_EQ(list->shownNames(), QStringList{s(u"张三")}) << "choice and search together";
    titles->setCurrentIndex(0);
    EXPECT_EQ(list->shownNames(), QStringList{s(u"张三")}) << "all titles, still the search";
    search->clear();
    EXPECT_EQ(list->shownNames().size(), 4);
}

TEST_F(ListWindowTest, WithAQueryButtonTheFilterWaitsForIt)
{
    const auto list = open(true);
    auto* search = in<QLineEdit>(list.get(), "nameEdit");
    search->setText(s(u"李"));
    in<QComboBox>(list.get(), "titleCombo")->setCurrentText(s(u"会籍顾问"));
    EXPECT_EQ(list->shownNames().size(), 4) << "typing alone does not filter";
    in<QPushButton>(list.get(), "searchButton")->click();
    EXPECT_EQ(list->shownNames(), QStringList{s(u"李四")});
    search->setText(QStringLiteral("o'b"));
    in<QComboBox>(list.get(), "titleCombo")->setCurrentIndex(0);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(list->shownNames(), QStringList{QStringLiteral("O'Brien")}) << "Enter in the search box queries too";
}

TEST_F(ListWindowTest, DeleteAsksFirstThenDeletesAndReloads)
{
    const auto list = open(false);
    in<QLineEdit>(list.get(), "nameEdit")->setText(QStringLiteral("b"));
    pick(list.get(), QStringLiteral("a_b"));

    messages.answer({false});
    in<QPushButton>(list.get(), "deleteButton")->click();
    ASSERT_EQ(messages.texts, QStringList{s(u"是否要删除当前记录？")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Question);
    EXPECT_EQ(stored(), 4) << "answered no: nothing deleted";
    EXPECT_EQ(list->shownNames(), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("a_b")}));

    messages.answer({true});
    in<QPushButton>(list.get(), "deleteButton")->click();
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(stored(), 3);
    EXPECT_EQ(list->shownNames(), QStringList{QStringLiteral("O'Brien")}) << "read again, still searched";
}

TEST_F(ListWindowTest, RefusalsOfTheWindowAndOfTheCoreAreShown)
{
    add(s(u"孙馆长"), s(u"馆长"));
    const auto list = open(false);
    pick(list.get(), s(u"孙馆长"));
    in<QPushButton>(list.get(), "deleteButton")->click();
    EXPECT_EQ(messages.texts, QStringList{s(u"馆长不能删除！")}) << "refused before the question is asked";
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Warning);
    EXPECT_EQ(stored(), 5);

    messages.texts.clear();
    pick(list.get(), s(u"李四"));
    context.velunDMForm().change(s(u"delete from [员工设置] where [姓名]='李四'"));
    messages.answer({true});
    in<QPushButton>(list.get(), "deleteButton")->click();
    EXPECT_EQ(messages.texts, (QStringList{s(u"是否要删除当前记录？"), s(u"该员工已不存在！")}));
    EXPECT_FALSE(list->shownNames().contains(s(u"李四"))) << "the list is read again after a refused delete";

    messages.texts.clear();
    in<QLineEdit>(list.get(), "nameEdit")->setText(s(u"无此人"));
    in<QPushButton>(list.get(), "deleteButton")->click();
    EXPECT_TRUE(messages.texts.isEmpty()) << "an empty list asks nothing";
}

TEST_F(ListWindowTest, AnAcceptedEntryReloadsTheListAndACancelledOneDoesNot)
{
    const auto list = open(false);
    in<QComboBox>(list.get(), "titleCombo")->setCurrentText(s(u"教练"));
    QTimer::singleShot(0, &entry, [this] {
        add(s(u"王五"), s(u"教练"));
        entry.accept();
    });
    in<QPushButton>(list.get(), "addButton")->click();
    EXPECT_EQ(list->shownNames(), (QStringList{s(u"张三"), QStringLiteral("O'Brien"), s(u"王五")}));

    QTimer::singleShot(0, &entry, [this] {
        add(s(u"赵六"), s(u"教练"));
        entry.reject();
    });
    in<QPushButton>(list.get(), "addButton")->click();
    EXPECT_EQ(list->shownNames().size(), 3) << "nothing read after a cancel";

    in<QPushButton>(list.get(), "exitButton")->click();
    EXPECT_TRUE(list->rows().isEmpty()) << "closing drops the list";
    list->prepare();
    EXPECT_EQ(list->shownNames().size(), 6) << "the filter went with it";
}

TEST_F(ListWindowTest, AReconnectReadsAShownListAgainAndAHiddenOneWhenShown)
{
    const auto list = open(false);
    list->show();
    add(s(u"王五"), s(u"教练"));
    ASSERT_EQ(list->shownNames().size(), 4) << "written behind the list's back";
    TvelunDMForm& dm = context.velunDMForm();
    dm.reconnect();
    EXPECT_EQ(list->shownNames().size(), 5) << "a shown list holds rows of the old connection";
    EXPECT_TRUE(list->shownNames().contains(s(u"王五")));

    list->hide();
    add(s(u"赵六"), s(u"前台"));
    dm.disconnect();
    context.openDatabase();
    EXPECT_EQ(list->shownNames().size(), 5) << "a hidden list waits";
    list->show();
    EXPECT_EQ(list->shownNames().size(), 6) << "and reads the list again when shown";
}
