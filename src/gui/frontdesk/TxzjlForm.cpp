#include "TxzjlForm.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "frontdesk/MemberLookup.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TxzjlForm::TxzjlForm(Session& session, QWidget* parent) : QDialog(parent), m_context(session)
{
    setObjectName(QStringLiteral("xzjlForm"));
    setWindowTitle(QStringLiteral("选择教练"));
    resize(520, 360);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("coachGrid"));
    auto* choose = kit::pushButton(this, QStringLiteral("选中"), "pickButton");
    auto* cancel = kit::pushButton(this, QStringLiteral("取消"), "cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(choose);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    connect(choose, &QPushButton::clicked, this, kit::guard(this, [this] { TxzjlForm::choose(); }));
    connect(m_grid, &DataGrid::rowDoubleClicked, this, kit::guard(this, [this] { TxzjlForm::choose(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TxzjlForm::prepare(const QString& cardNumber)
{
    m_cardNumber = cardNumber;
    m_chosen.clear();
    m_grid->setResult(m_context.velunDMForm().open(QStringLiteral("ADODS_jlxx")));
    m_grid->setColumnWidths({{QStringLiteral("姓名"), 100},
                             {QStringLiteral("职务"), 100},
                             {QStringLiteral("状态"), 100},
                             {QStringLiteral("备注"), 180}});
}

void TxzjlForm::choose()
{
    if (m_grid->currentRowIndex() < 0)
        return;
    const QString coach = m_grid->currentValue(QStringLiteral("姓名")).toText();
    if (const Outcome<> set = frontdesk::setCoach(m_context.command(), m_cardNumber, coach); set.refused()) {
        Messages::refusal(this, set.refusal());
        reject();
        return;
    }
    m_chosen = coach;
    accept();
}

} // namespace tkd::gui
