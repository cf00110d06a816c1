#include "TxjjzForm.h"

#include "goods/Checkout.h"
#include "kit/FormKit.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {
namespace {

QLineEdit* amountEdit(QWidget* parent, const char* name, bool readOnly)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    kit::moneyOnly(edit);
    return edit;
}

} // namespace

TxjjzForm::TxjjzForm(QWidget* parent)
    : QDialog(parent), m_dueEdit(amountEdit(this, "dueEdit", true)), m_paidEdit(amountEdit(this, "paidEdit", false)),
      m_changeEdit(amountEdit(this, "changeEdit", true))
{
    setObjectName(QStringLiteral("xjjzForm"));
    setWindowTitle(QStringLiteral("付款"));
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("应付金额："), m_dueEdit);
    kit::addRow(form, QStringLiteral("付款金额："), m_paidEdit);
    kit::addRow(form, QStringLiteral("找零金额："), m_changeEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    // Enter pays: 确定 is the default button, as at a till.
    buttons.ok->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, &TxjjzForm::confirm);
    connect(m_paidEdit, &QLineEdit::textChanged, this, &TxjjzForm::showChange);
    m_fields.add(goods::field::paid, m_paidEdit);
}

bool TxjjzForm::ask(Money due)
{
    m_due = due;
    m_paid = Money();
    m_confirmed = false;
    m_dueEdit->setText(due.toString());
    m_paidEdit->setText(due.toString());
    showChange();
    m_paidEdit->selectAll();
    m_paidEdit->setFocus();
    exec();
    return m_confirmed;
}

void TxjjzForm::showChange()
{
    const auto change = goods::cashChange(m_due, m_paidEdit->text());
    m_changeEdit->setText(change ? change->toString() : QString());
}

void TxjjzForm::confirm()
{
    const auto checked = goods::checkCash(m_due, m_paidEdit->text());
    if (checked.refused()) {
        m_fields.showRefusal(this, checked.refusal());
        return;
    }
    m_paid = checked->paid;
    m_confirmed = true;
    accept();
}

} // namespace tkd::gui
