#include "TygxfForm.h"

#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "lockers/Rent.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(120);
    return label;
}

} // namespace

TygxfForm::TygxfForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("ygxfForm"));
    setWindowTitle(QStringLiteral("衣柜续费"));
    auto* lockerGroup = new QGroupBox(QStringLiteral("衣柜信息"), this);
    m_number = valueLabel(lockerGroup, "lockerNumberValue");
    m_name = valueLabel(lockerGroup, "lockerNameValue");
    m_member = valueLabel(lockerGroup, "memberValue");
    m_deposit = valueLabel(lockerGroup, "depositValue");
    m_expiry = valueLabel(lockerGroup, "expiryValue");
    auto* lockerForm = new QGridLayout(lockerGroup);
    const std::pair<const char16_t*, QLabel*> values[] = {{u"衣柜编号：", m_number},
                                                          {u"衣柜名称：", m_name},
                                                          {u"租用会员：", m_member},
                                                          {u"衣柜押金：", m_deposit},
                                                          {u"到期日期：", m_expiry}};
    int row = 0;
    for (const auto& [caption, value] : values) {
        kit::addRow(lockerForm, row++, 0, QString::fromUtf16(caption), value);
        kit::captionValue(value, QString::fromUtf16(caption));
    }

    auto* payGroup = new QGroupBox(QStringLiteral("衣柜续费交费"), this);
    m_newEnd = new QDateEdit(payGroup);
    m_newEnd->setObjectName(QStringLiteral("newEndEdit"));
    m_newEnd->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_newEnd->setCalendarPopup(true);
    m_amount = new QLineEdit(payGroup);
    m_amount->setObjectName(QStringLiteral("amountEdit"));
    kit::moneyOnly(m_amount);
    m_remark = new QLineEdit(payGroup);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);
    auto* payForm = new QGridLayout(payGroup);
    kit::addRow(payForm, 0, 0, QStringLiteral("截止日期："), m_newEnd);
    kit::addRow(payForm, 1, 0, QStringLiteral("续费金额："), m_amount);
    kit::addRow(payForm, 2, 0, QStringLiteral("备注信息："), m_remark);

    m_print = new QCheckBox(QStringLiteral("打印续费小票"), this);
    m_print->setObjectName(QStringLiteral("printTicketCheck"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addStretch();
    QPushButton* save = kit::pushButton(this, QStringLiteral("保存"), "saveButton", buttons);
    QPushButton* quit = kit::pushButton(this, QStringLiteral("退出"), "exitButton", buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lockerGroup);
    layout->addWidget(payGroup);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TygxfForm::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
    m_fields.add(lockers::rentalField::end, m_newEnd).add(lockers::rentalField::amount, m_amount);
}

void TygxfForm::prepare(const lockers::LockerView& locker)
{
    m_locker = locker;
    m_ticket = {};
    m_number->setText(locker.number);
    m_name->setText(locker.name);
    m_member->setText(locker.memberName);
    m_deposit->setText(locker.deposit.toYuanText());
    m_expiry->setText(locker.expiry.isValid() ? locker.expiry.toString(QStringLiteral("yyyy-MM-dd")) : QString());
    const QDate from = locker.expiry.isValid() ? locker.expiry : m_session.now().date();
    m_newEnd->setDate(lockers::defaultRenewalEnd(from));
    m_amount->setText(QStringLiteral("0"));
    m_remark->clear();
    m_newEnd->setFocus();
}

bool TygxfForm::printTicket() const
{
    return m_print->isChecked();
}

void TygxfForm::save()
{
    const Outcome<lockers::RentalTicket> renewed =
        lockers::renewLocker(m_session.command(), {m_locker.number, m_locker.cardNumber, m_newEnd->date(),
                                                   m_amount->text(), m_remark->text()});
    if (renewed.refused()) {
        m_fields.showRefusal(this, renewed.refusal());
        return;
    }
    m_ticket = renewed.value();
    // The ticket names the locker and the renter as this dialog showed them.
    m_ticket.lockerName = m_locker.name;
    m_ticket.memberName = m_locker.memberName;
    accept();
}

} // namespace tkd::gui
