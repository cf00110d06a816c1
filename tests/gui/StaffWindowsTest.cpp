#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "staff/Staff.h"
#include "staff/TyglrForm.h"
#include "staff/TygxxreportForm.h"
#include "staff/TyuangszForm.h"
#include "staff/TzwlrForm.h"
#include "staff/TzwlrsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

// Fills a modal dialog once its own event loop is running.
template <typename Dialog, typename Fill> void whenShown(Dialog* dialog, Fill fill)
{
    QTimer::singleShot(0, dialog, [dialog, fill] { fill(dialog); });
}

class StaffWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.openDatabase();
        list = std::make_unique<gui::TyuangszForm>(context.session());
    }
    void addStaff(const QString& name, const QString& title, const QString& status = QStringLiteral("正常"))
    {
        staff::Input input;
        input.name = name;
        input.title = title;
        input.status = status;
        ASSERT_FALSE(staff::save(context.command(), input).refused());
    }
    QStringList shownNames() const
    {
        QStringList names;
        const ResultSet& rows = list->grid()->result();
        for (int i = 0; i < rows.rowCount(); ++i)
            names << rows.value(i, s(u"姓名")).toText();
        return names;
    }
    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
    std::unique_ptr<gui::TyuangszForm> list;
};

TEST_F(StaffWindows, AddAStaffMemberWithANewJobTitle)
{
    list->prepare();
    gui::TyglrForm* entry = list->entryForm();
    whenShown(entry, [](gui::TyglrForm* dialog) {
        EXPECT_EQ(in<QComboBox>(dialog, "titleCombo")->currentIndex(), -1) << "no title chosen at first";
        EXPECT_EQ(in<QComboBox>(dialog, "statusCombo")->currentText(), s(u"正常"));
        gui::TzwlrForm* titles = dialog->jobTitleForm();
        whenShown(titles, [](gui::TzwlrForm* titleList) {
            whenShown(titleList->entryForm(), [](gui::TzwlrsForm* newTitle) {
                in<QLineEdit>(newTitle, "jobTitleEdit")->setText(s(u"馆长"));
                in<QPushButton>(newTitle, "saveButton")->click();
            });
            in<QPushButton>(titleList, "addTitleButton")->click();
            in<QPushButton>(titleList, "chooseTitleButton")->click();
        });
        in<QToolButton>(dialog, "jobTitlesButton")->click();
        EXPECT_EQ(in<QComboBox>(dialog, "titleCombo")->currentText(), s(u"馆长"));
        EXPECT_EQ(in<QComboBox>(dialog, "titleCombo")->count(), 4);
        in<QLineEdit>(dialog, "nameEdit")->setText(s(u"孙馆长"));
        in<QLineEdit>(dialog, "phoneEdit")->setText(QStringLiteral("13800000000"));
        in<QPushButton>(dialog, "okButton")->click();
    });
    in<QPushButton>(list.get(), "addButton")->click();

    ASSERT_EQ(list->grid()->result().rowCount(), 1);
    EXPECT_EQ(list->grid()->value(0, s(u"职务")).toText(), s(u"馆长"));
    EXPECT_EQ(list->grid()->value(0, s(u"联系电话")).toText(), QStringLiteral("13800000000"));
    EXPECT_TRUE(list->grid()->isColumnHidden(list->grid()->result().columnIndex(s(u"编号"))));
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
}

TEST_F(StaffWindows, DepartedStaffShowOnlyWhenAskedFor)
{
    addStaff(s(u"张三"), s(u"教练"));
    addStaff(s(u"王五"), s(u"教练"), s(u"离职"));
    addStaff(QStringLiteral("O'Brien"), s(u"会籍顾问"));
    list->prepare();
    EXPECT_EQ(shownNames(), (QStringList{s(u"张三"), QStringLiteral("O'Brien")}));
    EXPECT_EQ(in<QComboBox>(list.get(), "titleFilterCombo")->itemText(0), s(u"所有职务"));

    auto* departed = in<QCheckBox>(list.get(), "showDepartedCheck");
    departed->click();
    EXPECT_EQ(shownNames().size(), 3);
    departed->click();
    EXPECT_EQ(shownNames().size(), 2);
    in<QPushButton>(list.get(), "allButton")->click();
    EXPECT_EQ(shownNames().size(), 3);

    in<QLineEdit>(list.get(), "nameFilterEdit")->setText(QStringLiteral("O'"));
    in<QPushButton>(list.get(), "searchButton")->click();
    EXPECT_EQ(shownNames(), QStringList{QStringLiteral("O'Brien")});
    in<QLineEdit>(list.get(), "nameFilterEdit")->clear();
    in<QComboBox>(list.get(), "titleFilterCombo")->setCurrentText(s(u"教练"));
    in<QPushButton>(list.get(), "searchButton")->click();
    EXPECT_EQ(shownNames(), QStringList{s(u"张三")});

    const gui::Report report = gui::TygxxreportForm::build(list->shownRows());
    EXPECT_EQ(report.title(), s(u"员工信息列表"));
    ASSERT_EQ(report.rows().size(), 1) << "the report prints the list as filtered";
    EXPECT_EQ(report.rows().front().front(), s(u"张三"));
    EXPECT_EQ(report.columns().front().title, s(u"员工姓名"));
}

TEST_F(StaffWindows, DeletedTitleMustBeChosenAgainBeforeSaving)
{
    addStaff(s(u"孙八"), s(u"馆长"));
    list->prepare();
    list->grid()->selectRow(0);
    whenShown(list->entryForm(), [this](gui::TyglrForm* dialog) {
        auto* title = in<QComboBox>(dialog, "titleCombo");
        EXPECT_EQ(title->currentIndex(), -1);
        EXPECT_EQ(in<QLineEdit>(dialog, "nameEdit")->text(), s(u"孙八"));
        in<QPushButton>(dialog, "okButton")->click();
        EXPECT_TRUE(dialog->isVisible()) << "refused: the dialog stays open";
        EXPECT_EQ(messages.texts, QStringList{s(u"所任职务不能为空！")});
        title->setCurrentText(s(u"教练"));
        in<QPushButton>(dialog, "okButton")->click();
    });
    in<QPushButton>(list.get(), "editButton")->click();
    EXPECT_EQ(list->grid()->value(0, s(u"职务")).toText(), s(u"教练"));
    EXPECT_EQ(list->grid()->result().rowCount(), 1);

    messages.answer({true});
    in<QPushButton>(list.get(), "deleteButton")->click();
    EXPECT_EQ(messages.texts.back(), s(u"是否要删除当前记录？"));
    EXPECT_EQ(list->grid()->result().rowCount(), 0);
}

} // namespace
