#include "TyuangszForm.h"

#include "TyglrForm.h"
#include "TygxxreportForm.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "staff/Staff.h"

#include <QCheckBox>

namespace tkd::gui {

TyuangszForm::TyuangszForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("yuangszForm"), QStringLiteral("员工信息"), parent),
      m_entry(new TyglrForm(session, this))
{
    resize(760, 460);
    grid()->setObjectName(QStringLiteral("staffGrid"));
    setSource([this] { return dm().open(QStringLiteral("ADODS_ygxx")); });
    setColumns({{QStringLiteral("姓名"), 80},
                {QStringLiteral("职务"), 80},
                {QStringLiteral("联系电话"), 100},
                {QStringLiteral("联系地址"), 120},
                {QStringLiteral("状态"), 80},
                {QStringLiteral("备注"), 200}},
               {QStringLiteral("编号")});

    addButton(QStringLiteral("添加"), "addButton", [this] { addStaff(); });
    actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", [this] { editStaff(); }));
    addButton(QStringLiteral("删除"), "deleteButton", [this] { deleteStaff(); });
    addButton(QStringLiteral("全部"), "allButton", [this] { setFilter({}); });
    addButton(QStringLiteral("打印"), "printButton", [this] { print(); });
    addExitButton();

    setQueryTitle(QStringLiteral("员工信息查询"));
    addChoice(QStringLiteral("职务分类："), "titleFilterCombo", QStringLiteral("所有职务"));
    addSearch(QStringLiteral("员工名称："), "nameFilterEdit", {QStringLiteral("姓名")});
    m_showDeparted = new QCheckBox(QStringLiteral("显示离职员工"), this);
    m_showDeparted->setObjectName(QStringLiteral("showDepartedCheck"));
    addQueryWidget(m_showDeparted);
    addQueryButton();
    connect(m_showDeparted, &QCheckBox::clicked, this, &TyuangszForm::departedToggled);
}

void TyuangszForm::prepare()
{
    setChoices(staff::jobTitles(dm()));
    clearQuery();
    m_showDeparted->setChecked(false);
    reload();
    setFilter(staff::listFilter(false, {}, {}));
}

Filter TyuangszForm::queryFilter() const
{
    return staff::listFilter(m_showDeparted->isChecked(), choiceValue(), searchText());
}

void TyuangszForm::departedToggled(bool shown)
{
    // Ticking shows everyone at once; clearing goes back to the working staff only.
    setFilter(shown ? Filter() : staff::listFilter(false, {}, {}));
}

void TyuangszForm::addStaff()
{
    m_entry->prepareAdd();
    runEntry(m_entry);
}

void TyuangszForm::editStaff()
{
    if (!hasCurrentRow())
        return;
    if (!m_entry->prepareEdit(current(QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该员工已不存在！"));
        reload();
        return;
    }
    runEntry(m_entry);
}

void TyuangszForm::deleteStaff()
{
    if (!hasCurrentRow())
        return;
    const qint64 id = current(QStringLiteral("编号")).toInt();
    deleteCurrent([this, id] { return staff::remove(session().command(), id); });
}

void TyuangszForm::print()
{
    TmypreviewForm::open(TygxxreportForm::build(rows()), this);
}

} // namespace tkd::gui
