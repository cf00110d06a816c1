#include "ThydjszForm.h"

#include "TklxszForm.h"
#include "app/AppContext.h"
#include "cardtypes/CardTypes.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

ThydjszForm::ThydjszForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("hydjszForm"));
    setWindowTitle(QStringLiteral("会员卡类型"));
    resize(680, 420);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("cardTypeGrid"));
    m_entry = new TklxszForm(context, this);

    auto* tools = new QHBoxLayout;
    auto button = [&](const QString& text, const char* name) { return kit::pushButton(this, text, name, tools); };
    QPushButton* add = button(QStringLiteral("增加类型"), "addTypeButton");
    QPushButton* edit = button(QStringLiteral("修改类型"), "editTypeButton");
    QPushButton* remove = button(QStringLiteral("删除类型"), "deleteTypeButton");
    QPushButton* quit = button(QStringLiteral("退出"), "exitButton");
    tools->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_grid, 1);

    connect(add, &QPushButton::clicked, this, &ThydjszForm::addType);
    connect(edit, &QPushButton::clicked, this, &ThydjszForm::editType);
    connect(remove, &QPushButton::clicked, this, &ThydjszForm::deleteType);
    connect(quit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid, &DataGrid::rowDoubleClicked, this, &ThydjszForm::editType);
}

void ThydjszForm::prepare()
{
    reload();
}

void ThydjszForm::reload()
{
    m_grid->setResult(m_context.velunDMForm().open(QStringLiteral("ADODS_hyklx")));
    m_grid->hideColumn(QStringLiteral("编号"));
    m_grid->setColumnWidths({{QStringLiteral("类型编号"), 80},
                             {QStringLiteral("类型名称"), 100},
                             {QStringLiteral("有效次数"), 80},
                             {QStringLiteral("有效天数"), 80},
                             {QStringLiteral("售价"), 80},
                             {QStringLiteral("折扣率"), 80},
                             {QStringLiteral("是否有时间段"), 100}});
}

void ThydjszForm::addType()
{
    m_entry->prepareAdd();
    if (m_entry->exec() == QDialog::Accepted)
        reload();
}

void ThydjszForm::editType()
{
    const int row = m_grid->currentRowIndex();
    if (row < 0)
        return;
    if (!m_entry->prepareEdit(m_grid->value(row, QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该会员卡类型已不存在！"));
        reload();
        return;
    }
    if (m_entry->exec() == QDialog::Accepted)
        reload();
}

void ThydjszForm::deleteType()
{
    const int row = m_grid->currentRowIndex();
    if (row < 0)
        return;
    const QString name = m_grid->value(row, QStringLiteral("类型名称")).toText();
    if (cardtypes::inUse(m_context.velunDMForm(), name)) {
        Messages::warning(this, QStringLiteral("该类型已经有会员在使用，不能删除！"));
        return;
    }
    if (!Messages::confirmDelete(this))
        return;
    if (const Outcome<> removed =
            cardtypes::remove(m_context.command(), m_grid->value(row, QStringLiteral("编号")).toInt(), name);
        removed.refused())
        Messages::refusal(this, removed.refusal());
    reload();
}

} // namespace tkd::gui
