#include "TczszForm.h"

#include "TgzrysingleForm.h"
#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Operators.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
const QString kRight = QStringLiteral("操作权限");
}

TczszForm::TczszForm(Session& session, QWidget* parent) : QDialog(parent), m_context(session)
{
    setObjectName(QStringLiteral("czszForm"));
    setWindowTitle(QStringLiteral("操作人员权限设置"));
    resize(560, 480);
    m_operators = new DataGrid(this);
    m_operators->setObjectName(QStringLiteral("operatorGrid"));
    m_rights = new DataGrid(this);
    m_rights->setObjectName(QStringLiteral("rightsGrid"));
    m_newOperator = new TgzrysingleForm(session, this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_operators, 1);
    auto* leftButtons = new QHBoxLayout;
    // Neither is a default button: Enter in a grid must never press 删除.
    QPushButton* add = kit::pushButton(this, QStringLiteral("增加"), "addButton", leftButtons);
    QPushButton* remove = kit::pushButton(this, QStringLiteral("删除"), "deleteButton", leftButtons);
    left->addLayout(leftButtons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(m_rights, 1);
    m_operators->setFixedWidth(140);

    connect(m_operators, &DataGrid::rowClicked, this, [this](int row) { chooseOperator(row, true); });
    // Arrow keys move the current row: the rights follow as they do a click.
    connect(m_operators, &DataGrid::currentRowChanged, this, [this](int row) { chooseOperator(row, false); });
    connect(m_rights, &DataGrid::cellClicked, this,
            kit::guard(this, [this](int row, const QString& column) { rightClicked(row, column); }));
    connect(add, &QPushButton::clicked, this, kit::guard(this, [this] { addOperator(); }));
    connect(remove, &QPushButton::clicked, this, kit::guard(this, [this] { deleteOperator(); }));
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
    // The list moves its current row while it is refilled; the rights are chosen below.
    const QScopedValueRollback<bool> reloading(m_reloading, true);
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
    // Read first: a failed read keeps the operator shown and the ticks held for that one.
    Dataset rights = security::rightsOf(m_context.velunDMForm(), name);
    m_rightsData.emplace(std::move(rights));
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

void TczszForm::chooseOperator(int row, bool clicked)
{
    if (m_reloading || row < 0 || row >= m_operators->result().rowCount())
        return;
    // A click whose press could not move the list there (the ticks could not be written) does nothing more.
    if (clicked && row != m_operators->currentRowIndex())
        return;
    const QString name = m_operators->value(row, QStringLiteral("操作人员")).toText();
    // A click writes and reads again even on the operator shown; a move of the current row
    // onto it (the click's own selection change) has nothing to do.
    if (!clicked && name == m_shown)
        return;
    const bool done = kit::guarded(this, [&] {
        saveRights();
        showRights(name);
    });
    if (!done)
        selectShownOperator();
}

void TczszForm::selectShownOperator()
{
    const QScopedValueRollback<bool> reloading(m_reloading, true);
    const ResultSet& list = m_operators->result();
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.value(row, QStringLiteral("操作人员")).toText() == m_shown) {
            m_operators->selectRow(row);
            return;
        }
    }
}

void TczszForm::rightClicked(int row, const QString& column)
{
    if (!m_rightsData || column != kRight || row < 0 || row >= m_rightsData->rows().rowCount())
        return;
    const bool granted = m_rightsData->rows().value(row, kRight).toBool();
    m_rightsData->setValue(row, kRight, !granted);
    m_rights->setResult(m_rightsData->rows(), DataGrid::KeepRow);
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
    // Ticks that cannot be written keep the window open with the operator they belong to.
    if (!kit::guarded(this, [this] { saveRights(); }))
        return;
    QDialog::done(result);
}

} // namespace tkd::gui
