#include "TczygForm.h"

#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "lockers/Rent.h"
#include "members/TxzjsrForm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(100);
    return label;
}

QDateEdit* dateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

TczygForm::TczygForm(Session& session, TxzjsrForm* memberPicker, QWidget* parent)
    : QDialog(parent), m_session(session), m_picker(memberPicker)
{
    setObjectName(QStringLiteral("czygForm"));
    setWindowTitle(QStringLiteral("出租衣柜"));

    auto* memberGroup = new QGroupBox(QStringLiteral("选择要出租的会员"), this);
    m_card = new QLineEdit(memberGroup);
    m_card->setObjectName(QStringLiteral("cardNumberEdit"));
    m_find = new QToolButton(memberGroup);
    m_find->setObjectName(QStringLiteral("findMemberButton"));
    m_find->setText(QStringLiteral("…"));
    m_find->setToolTip(QStringLiteral("查找会员"));
    m_find->setAccessibleName(QStringLiteral("查找会员"));
    m_name = valueLabel(memberGroup, "memberNameValue");
    m_type = valueLabel(memberGroup, "memberTypeValue");
    auto* memberForm = new QGridLayout(memberGroup);
    auto* cardCell = new QHBoxLayout;
    cardCell->addWidget(m_card);
    cardCell->addWidget(m_find);
    memberForm->addWidget(kit::captionFor(m_card, QStringLiteral("会员卡号："), memberGroup), 0, 0, Qt::AlignRight);
    memberForm->addLayout(cardCell, 0, 1);
    kit::addRow(memberForm, 1, 0, QStringLiteral("会员姓名："), m_name);
    kit::addRow(memberForm, 1, 2, QStringLiteral("会员类型："), m_type);

    auto* lockerGroup = new QGroupBox(QStringLiteral("租用衣柜登记"), this);
    m_number = valueLabel(lockerGroup, "lockerNumberValue");
    m_lockerName = valueLabel(lockerGroup, "lockerNameValue");
    m_deposit = valueLabel(lockerGroup, "depositValue");
    m_start = dateEdit(lockerGroup, "startDateEdit");
    m_end = dateEdit(lockerGroup, "endDateEdit");
    m_rent = new QLineEdit(lockerGroup);
    m_rent->setObjectName(QStringLiteral("rentEdit"));
    kit::moneyOnly(m_rent);
    m_total = valueLabel(lockerGroup, "totalValue");
    m_remark = new QLineEdit(lockerGroup);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);
    auto* lockerForm = new QGridLayout(lockerGroup);
    kit::addRow(lockerForm, 0, 0, QStringLiteral("衣柜编号："), m_number);
    kit::addRow(lockerForm, 0, 2, QStringLiteral("衣柜名称："), m_lockerName);
    kit::addRow(lockerForm, 1, 0, QStringLiteral("押金："), m_deposit);
    kit::addRow(lockerForm, 2, 0, QStringLiteral("起始日期："), m_start);
    kit::addRow(lockerForm, 2, 2, QStringLiteral("结束日期："), m_end);
    kit::addRow(lockerForm, 3, 0, QStringLiteral("租金："), m_rent);
    kit::addRow(lockerForm, 3, 2, QStringLiteral("金额合计："), m_total);
    kit::addRow(lockerForm, 4, 0, QStringLiteral("备    注："), m_remark, 3);
    for (QLabel* value : {m_name, m_type, m_number, m_lockerName, m_deposit, m_total})
        kit::captionValue(value, value->accessibleName());

    // Off when the program starts; keeps its last state after that.
    m_print = new QCheckBox(QStringLiteral("打印出租小票"), this);
    m_print->setObjectName(QStringLiteral("printTicketCheck"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memberGroup);
    layout->addWidget(lockerGroup);
    layout->addWidget(m_print);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);

    connect(m_find, &QToolButton::clicked, this, &TczygForm::pickMember);
    connect(m_rent, &QLineEdit::textChanged, this, &TczygForm::updateTotal);
    connect(buttons.ok, &QPushButton::clicked, this, &TczygForm::save);
    kit::installEnterMovesFocus(this);
    m_fields.add(lockers::rentalField::card, m_card)
        .add(lockers::rentalField::start, m_start)
        .add(lockers::rentalField::end, m_end)
        .add(lockers::rentalField::rent, m_rent);
}

void TczygForm::prepare(const lockers::LockerView& locker)
{
    const QDate today = m_session.now().date();
    m_ticket = {};
    m_card->clear();
    m_card->setReadOnly(false);
    m_name->clear();
    m_type->clear();
    m_number->setText(locker.number);
    m_lockerName->setText(locker.name);
    m_depositAmount = locker.deposit;
    m_deposit->setText(locker.deposit.toYuanText());
    m_start->setDate(today);
    m_end->setDate(lockers::defaultRentalEnd(today));
    m_rent->setText(QStringLiteral("0"));
    m_remark->clear();
    updateTotal();
    m_card->setFocus();
}

bool TczygForm::printTicket() const
{
    return m_print->isChecked();
}

void TczygForm::pickMember()
{
    m_picker->prepare(TxzjsrForm::Mode::LockerRental);
    if (m_picker->exec() != QDialog::Accepted)
        return;
    m_card->setText(m_picker->pickedCardNumber());
    m_name->setText(m_picker->pickedName());
    m_type->setText(m_picker->picked(QStringLiteral("会员类型")).toText());
    m_card->setReadOnly(true);
    m_start->setFocus();
}

void TczygForm::updateTotal()
{
    m_total->setText(lockers::rentalTotal(m_depositAmount, m_rent->text()).toYuanText());
}

void TczygForm::save()
{
    // The member is the one picked: a card typed by hand names nobody yet.
    if (m_name->text().isEmpty()) {
        m_fields.showRefusal(this, Refusal::warning(QStringLiteral("请首先选择会员！"), lockers::rentalField::card));
        return;
    }
    lockers::RentalInput input;
    input.cardNumber = m_card->text();
    input.lockerNumber = m_number->text();
    input.start = m_start->date();
    input.end = m_end->date();
    input.rent = m_rent->text();
    input.remark = m_remark->text();
    const Outcome<lockers::RentalTicket> rented = lockers::rentLocker(m_session.command(), input);
    if (rented.refused()) {
        m_fields.showRefusal(this, rented.refusal());
        return;
    }
    m_ticket = rented.value();
    accept();
}

} // namespace tkd::gui
