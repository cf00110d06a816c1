#include "TczszForm.h"

#include "TgzrysingleForm.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "security/Operators.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
const QString kRight = QStringLiteral("操作权限");
}

TczszForm::TczszForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("czszForm"));
    setWindowTitle(QStringLiteral("操作人员权限设置"));
    resize(560, 480);
    m_operators = new DataGrid(this);
    m_operators->setObjectName(QStringLiteral("operatorGrid"));
    m_rights = new DataGrid(this);
    m_rights->setObjectName(QStringLiteral("rightsGrid"));
    m_newOperator = new TgzrysingleForm(context, this);

    auto* add = new QPushButton(QStringLiteral("增加"), this);
    add->setObjectName(QStringLiteral("addButton"));
    auto* remove = new QPushButton(QStringLiteral("删除"), this);
    remove->setObjectName(QStringLiteral("deleteButton"));
    auto* left = new QVBoxLayout;
    left->addWidget(m_operators, 1);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(add);
    leftButtons->addWidget(remove);
    left->addLayout(leftButtons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(m_rights, 1);
    m_operators->setFixedWidth(140);

    connect(m_operators, &DataGrid::rowClicked, this, &TczszForm::operatorClicked);
    connect(m_rights, &DataGrid::cellClicked, this, &TczszForm::rightClicked);
    connect(add, &QPushButton::clicked, this, &TczszForm::addOperator);
    connect(remove, &QPushButton::clicked, this, &TczszForm::deleteOperator);
}

void TczszForm::prepare()
{
    m_rightsData.reset();
    m_shown.clear();
    m_rights->setResult(ResultSet());
    reloadOperators(0);
}

void TczszForm::reloadOperators(int selectRow)
{
    const ResultSet list = m_context.velunDMForm().open(QStringLiteral("ADODS_gzry"));
    m_operators->setResult(list);
    m_operators->setColumnWidth(QStringLiteral("操作人员"), 80);
    if (list.rowCount() == 0) {
        m_rightsData.reset();
        m_shown.clear();
        m_rights->setResult(ResultSet());
        return;
    }
    const int row = std::clamp(selectRow, 0, list.rowCount() - 1);
    m_operators->selectRow(row);
    showRights(list.value(row, 0).toText());
}

void TczszForm::showRights(const QString& name)
{
    m_rightsData.emplace(security::rightsOf(m_context.velunDMForm(), name));
    m_shown = name;
    m_rights->setResult(m_rightsData->rows());
    m_rights->hideColumn(QStringLiteral("操作人员"));
    m_rights->setColumnWidth(QStringLiteral("系统功能类别"), 120);
    m_rights->setColumnWidth(QStringLiteral("系统功能名称"), 150);
    m_rights->setColumnWidth(kRight, 80);
}

void TczszForm::saveRights()
{
    if (m_rightsData)
        m_rightsData->applyBatch();
}

void TczszForm::operatorClicked(int row)
{
    if (row < 0 || row >= m_operators->result().rowCount())
        return;
    saveRights();
    showRights(m_operators->value(row, QStringLiteral("操作人员")).toText());
}

void TczszForm::rightClicked(int row, const QString& column)
{
    if (!m_rightsData || column != kRight || row < 0 || row >= m_rightsData->rows().rowCount())
        return;
    const bool granted = m_rightsData->rows().value(row, kRight).toBool();
    m_rightsData->setValue(row, kRight, !granted);
    m_rights->setResult(m_rightsData->rows());
    m_rights->selectRow(row);
}

void TczszForm::addOperator()
{
    saveRights();
    m_newOperator->prepare();
    if (m_newOperator->exec() == QDialog::Accepted)
        reloadOperators(0);
}

void TczszForm::deleteOperator()
{
    const int row = m_operators->currentRowIndex();
    if (row < 0 || m_operators->result().rowCount() == 0)
        return;
    if (!Messages::confirmDelete(this))
        return;
    const QString name = m_operators->value(row, QStringLiteral("操作人员")).toText();
    // Ticks pending for the one being removed are dropped with it.
    if (m_shown != name)
        saveRights();
    m_rightsData.reset();
    if (const Outcome<> deleted = security::deleteOperator(m_context.command(), name); deleted.refused()) {
        Messages::refusal(this, deleted.refusal());
        return;
    }
    reloadOperators(row);
    if (m_operators->result().rowCount() == 0)
        close();
}

void TczszForm::done(int result)
{
    saveRights();
    QDialog::done(result);
}

} // namespace tkd::gui
