#include "TxzjsrForm.h"

#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "sms/SmsRecipients.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TxzjsrForm::TxzjsrForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("xzjsrForm"));
    setWindowTitle(QStringLiteral("选择会员"));
    resize(560, 420);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("memberSearchEdit"));
    InputMethodFields::markFreeText(m_search);
    kit::markEnterSubmits(m_search);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("memberGrid"));
    auto* choose = kit::pushButton(this, QStringLiteral("选中"), "pickButton");
    auto* cancel = kit::pushButton(this, QStringLiteral("取消"), "cancelButton");

    auto* top = new QHBoxLayout;
    top->addWidget(kit::captionFor(m_search, QStringLiteral("输入会员卡号或名称："), this));
    top->addWidget(m_search, 1);
    top->addWidget(choose);
    top->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);

    connect(m_search, &QLineEdit::textChanged, this, &TxzjsrForm::filter);
    connect(m_search, &QLineEdit::returnPressed, this, &TxzjsrForm::pick);
    connect(choose, &QPushButton::clicked, this, &TxzjsrForm::pick);
    connect(m_grid, &DataGrid::rowDoubleClicked, this, &TxzjsrForm::pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TxzjsrForm::prepare(Mode mode)
{
    m_mode = mode;
    m_picked.clear();
    m_pickedName.clear();
    m_members = m_context.velunDMForm().open(QStringLiteral("ADODS_jsrxx"));
    m_search->blockSignals(true);
    m_search->clear();
    m_search->blockSignals(false);
    filter({});
    m_search->setFocus();
}

void TxzjsrForm::filter(const QString& text)
{
    // Number or name, matched literally.
    const Filter f = sms::memberSearch(text);
    if (f.isEmpty())
        m_members.clearFilter();
    else
        m_members.setFilter(f);
    m_grid->setResult(m_members);
    m_grid->setColumnWidths({{QStringLiteral("会员卡号"), 80},
                             {QStringLiteral("会员姓名"), 80},
                             {QStringLiteral("会员类型"), 80},
                             {QStringLiteral("加入时间"), 80},
                             {QStringLiteral("备注说明"), 160}});
}

void TxzjsrForm::pick()
{
    if (m_grid->currentRowIndex() < 0)
        return;
    m_picked = m_grid->currentValue(QStringLiteral("会员卡号")).toText();
    m_pickedName = m_grid->currentValue(QStringLiteral("会员姓名")).toText();
    accept();
}

void TxzjsrForm::done(int result)
{
    m_members = ResultSet();
    m_grid->setResult(m_members);
    QDialog::done(result);
}

} // namespace tkd::gui
