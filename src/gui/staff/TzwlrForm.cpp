#include "TzwlrForm.h"

#include "TzwlrsForm.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"
#include "staff/Staff.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TzwlrForm::TzwlrForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("zwlrForm"));
    setWindowTitle(QStringLiteral("职务"));
    resize(300, 360);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("jobTitleGrid"));
    m_entry = new TzwlrsForm(context, this);
    auto* tools = new QHBoxLayout;
    auto button = [&](const QString& text, const char* name) { return kit::pushButton(this, text, name, tools); };
    connect(button(QStringLiteral("增加"), "addTitleButton"), &QPushButton::clicked, this, &TzwlrForm::addTitle);
    connect(button(QStringLiteral("删除"), "deleteTitleButton"), &QPushButton::clicked, this, &TzwlrForm::deleteTitle);
    connect(button(QStringLiteral("确定"), "chooseTitleButton"), &QPushButton::clicked, this, &TzwlrForm::choose);
    connect(button(QStringLiteral("退出"), "closeTitlesButton"), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &DataGrid::rowDoubleClicked, this, &TzwlrForm::choose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_grid, 1);
}

void TzwlrForm::prepare()
{
    m_chosen.clear();
    reload();
}

void TzwlrForm::reload()
{
    m_grid->setResult(m_context.velunDMForm().open(QStringLiteral("ADODS_zw")));
    m_grid->hideColumn(QStringLiteral("编号"));
    m_grid->setColumnWidth(QStringLiteral("职务名称"), 226);
}

void TzwlrForm::addTitle()
{
    m_entry->prepare();
    if (m_entry->exec() == QDialog::Accepted) {
        reload();
        m_grid->selectRow(m_grid->result().rowCount() - 1);
    }
}

void TzwlrForm::deleteTitle()
{
    if (m_grid->currentRowIndex() < 0 || !Messages::confirmDelete(this))
        return;
    staff::removeJobTitle(m_context.command(), m_grid->currentValue(QStringLiteral("编号")).toInt());
    reload();
}

void TzwlrForm::choose()
{
    if (m_grid->currentRowIndex() < 0)
        return;
    m_chosen = m_grid->currentValue(QStringLiteral("职务名称")).toText();
    accept();
}

} // namespace tkd::gui
