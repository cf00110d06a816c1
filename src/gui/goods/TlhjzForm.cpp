#include "TlhjzForm.h"

#include "kit/FormKit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tkd::gui {

TlhjzForm::TlhjzForm(QWidget* parent) : QDialog(parent), m_dueEdit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("lhjzForm"));
    setWindowTitle(QStringLiteral("付款"));
    m_dueEdit->setObjectName(QStringLiteral("dueEdit"));
    m_dueEdit->setReadOnly(true);
    auto* top = new QFormLayout;
    kit::addRow(top, QStringLiteral("应付金额："), m_dueEdit);

    auto* group = new QGroupBox(QStringLiteral("请选择结帐方式并输入金额"), this);
    auto* grid = new QGridLayout(group);
    const struct {
        const char16_t* caption;
        const char* box;
        const char* amount;
    } parts[] = {{u"储值卡结帐", "storedValueCheck", "storedValueEdit"},
                 {u"现金结帐", "cashCheck", "cashEdit"},
                 {u"信用卡结帐", "creditCardCheck", "creditCardEdit"}};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(QString::fromUtf16(parts[i].caption), group);
        box->setObjectName(QString::fromLatin1(parts[i].box));
        auto* amount = new QLineEdit(group);
        amount->setObjectName(QString::fromLatin1(parts[i].amount));
        amount->setAccessibleName(QString::fromUtf16(parts[i].caption));
        kit::moneyOnly(amount);
        grid->addWidget(box, i, 0);
        grid->addWidget(amount, i, 1);
        m_parts[i] = {box, amount};
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) { toggled(i, on); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    // Enter pays: 确定 is the default button, as at a till.
    buttons.ok->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, &TlhjzForm::confirm);
    m_fields.add(goods::field::storedValue, m_parts[0].amount)
        .add(goods::field::cash, m_parts[1].amount)
        .add(goods::field::creditCard, m_parts[2].amount);
}

bool TlhjzForm::ask(Money due, Money balance)
{
    m_due = due;
    m_balance = balance;
    m_amounts = {};
    m_confirmed = false;
    m_dueEdit->setText(due.toString());
    for (const Part& part : m_parts) {
        const QSignalBlocker quiet(part.box);
        part.box->setChecked(false);
        part.amount->setText(QStringLiteral("0"));
        part.amount->setEnabled(false);
    }
    exec();
    return m_confirmed;
}

void TlhjzForm::toggled(int index, bool on)
{
    QLineEdit* amount = m_parts[index].amount;
    amount->setEnabled(on);
    if (!on) {
        amount->setText(QStringLiteral("0"));
        return;
    }
    amount->setText(
        goods::splitRemainder(m_due, m_parts[(index + 1) % 3].amount->text(), m_parts[(index + 2) % 3].amount->text()));
    amount->setFocus();
    amount->selectAll();
}

void TlhjzForm::confirm()
{
    goods::SplitTyped typed;
    typed.storedValueTicked = m_parts[0].box->isChecked();
    typed.cashTicked = m_parts[1].box->isChecked();
    typed.creditCardTicked = m_parts[2].box->isChecked();
    typed.storedValue = m_parts[0].amount->text();
    typed.cash = m_parts[1].amount->text();
    typed.creditCard = m_parts[2].amount->text();
    const auto checked = goods::checkSplit(m_due, m_balance, typed);
    if (checked.refused()) {
        m_fields.showRefusal(this, checked.refusal());
        return;
    }
    m_amounts = *checked;
    m_confirmed = true;
    accept();
}

} // namespace tkd::gui
