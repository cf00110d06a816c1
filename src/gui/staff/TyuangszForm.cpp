#include "TyuangszForm.h"

#include "TyglrForm.h"
#include "TygxxreportForm.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "staff/Staff.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
const QString kAllTitles = QStringLiteral("所有职务");
}

TyuangszForm::TyuangszForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("yuangszForm"));
    setWindowTitle(QStringLiteral("员工信息"));
    resize(760, 460);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("staffGrid"));
    m_entry = new TyglrForm(context, this);

    auto* tools = new QHBoxLayout;
    auto button = [this](QBoxLayout* row, const QString& text, const char* name) {
        return kit::pushButton(this, text, name, row);
    };
    connect(button(tools, QStringLiteral("添加"), "addButton"), &QPushButton::clicked, this, &TyuangszForm::addStaff);
    connect(button(tools, QStringLiteral("修改"), "editButton"), &QPushButton::clicked, this, &TyuangszForm::editStaff);
    connect(button(tools, QStringLiteral("删除"), "deleteButton"), &QPushButton::clicked, this,
            &TyuangszForm::deleteStaff);
    connect(button(tools, QStringLiteral("全部"), "allButton"), &QPushButton::clicked, this, &TyuangszForm::showAll);
    connect(button(tools, QStringLiteral("打印"), "printButton"), &QPushButton::clicked, this, &TyuangszForm::print);
    connect(button(tools, QStringLiteral("退出"), "exitButton"), &QPushButton::clicked, this, &QDialog::accept);
    tools->addStretch();

    auto* query = new QGroupBox(QStringLiteral("员工信息查询"), this);
    auto* queryRow = new QHBoxLayout(query);
    m_titleFilter = new QComboBox(query);
    m_titleFilter->setObjectName(QStringLiteral("titleFilterCombo"));
    m_nameFilter = new QLineEdit(query);
    m_nameFilter->setObjectName(QStringLiteral("nameFilterEdit"));
    InputMethodFields::markFreeText(m_nameFilter);
    m_showDeparted = new QCheckBox(QStringLiteral("显示离职员工"), query);
    m_showDeparted->setObjectName(QStringLiteral("showDepartedCheck"));
    queryRow->addWidget(kit::captionFor(m_titleFilter, QStringLiteral("职务分类："), query));
    queryRow->addWidget(m_titleFilter);
    queryRow->addWidget(kit::captionFor(m_nameFilter, QStringLiteral("员工名称："), query));
    queryRow->addWidget(m_nameFilter);
    queryRow->addWidget(m_showDeparted);
    connect(button(queryRow, QStringLiteral("查询"), "searchButton"), &QPushButton::clicked, this,
            &TyuangszForm::search);
    queryRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(query);
    layout->addWidget(m_grid, 1);

    connect(m_grid, &DataGrid::rowDoubleClicked, this, &TyuangszForm::editStaff);
    connect(m_showDeparted, &QCheckBox::clicked, this, &TyuangszForm::departedToggled);
    connect(m_nameFilter, &QLineEdit::returnPressed, this, &TyuangszForm::search);
    kit::markEnterSubmits(m_nameFilter);
}

void TyuangszForm::prepare()
{
    m_filter = staff::listFilter(false, {}, {});
    reload();
    m_titleFilter->clear();
    m_titleFilter->addItem(kAllTitles);
    m_titleFilter->addItems(staff::jobTitles(m_context.velunDMForm()));
    m_titleFilter->setCurrentIndex(0);
    m_nameFilter->clear();
    m_showDeparted->setChecked(false);
}

void TyuangszForm::reload()
{
    m_rows = m_context.velunDMForm().open(QStringLiteral("ADODS_ygxx"));
    applyFilter(m_filter);
}

void TyuangszForm::applyFilter(const Filter& filter)
{
    m_filter = filter;
    if (m_filter.isEmpty())
        m_rows.clearFilter();
    else
        m_rows.setFilter(m_filter);
    m_grid->setResult(m_rows);
    m_grid->hideColumn(QStringLiteral("编号"));
    m_grid->setColumnWidths({{QStringLiteral("姓名"), 80},
                             {QStringLiteral("职务"), 80},
                             {QStringLiteral("联系电话"), 100},
                             {QStringLiteral("联系地址"), 120},
                             {QStringLiteral("状态"), 80},
                             {QStringLiteral("备注"), 200}});
}

void TyuangszForm::search()
{
    const QString title = m_titleFilter->currentIndex() > 0 ? m_titleFilter->currentText() : QString();
    applyFilter(staff::listFilter(m_showDeparted->isChecked(), title, m_nameFilter->text()));
}

void TyuangszForm::showAll()
{
    applyFilter({});
}

void TyuangszForm::departedToggled(bool shown)
{
    // Ticking shows everyone at once; clearing goes back to the working staff only.
    applyFilter(shown ? Filter() : staff::listFilter(false, {}, {}));
}

void TyuangszForm::addStaff()
{
    m_entry->prepareAdd();
    if (m_entry->exec() == QDialog::Accepted)
        reload();
}

void TyuangszForm::editStaff()
{
    if (m_grid->currentRowIndex() < 0)
        return;
    if (!m_entry->prepareEdit(m_grid->currentValue(QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该员工已不存在！"));
        reload();
        return;
    }
    if (m_entry->exec() == QDialog::Accepted)
        reload();
}

void TyuangszForm::deleteStaff()
{
    if (m_grid->currentRowIndex() < 0 || !Messages::confirmDelete(this))
        return;
    staff::remove(m_context.command(), m_grid->currentValue(QStringLiteral("编号")).toInt());
    reload();
}

void TyuangszForm::print()
{
    TmypreviewForm::open(TygxxreportForm::build(m_rows), this);
}

} // namespace tkd::gui
