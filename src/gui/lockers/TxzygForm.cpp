#include "TxzygForm.h"

#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/Chooser.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "lockers/LockerChoice.h"
#include "lockers/Rent.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tkd::gui {

TxzygForm::TxzygForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("xzygForm"));
    setWindowTitle(QStringLiteral("选择衣柜"));
    resize(640, 520);
    auto* lockersGroup = new QGroupBox(QStringLiteral("衣柜信息"), this);
    m_showAll = new QCheckBox(QStringLiteral("显示所有衣柜"), lockersGroup);
    m_showAll->setObjectName(QStringLiteral("showAllCheck"));
    m_list = new ChooserPanel(ChooserSpec::lockers(session.velunDMForm(), [this] { return m_showAll->isChecked(); }),
                              ChooserPanel::SearchPlace::Below, lockersGroup);
    m_list->searchRow()->insertWidget(0, m_showAll);
    auto* lockersLayout = new QVBoxLayout(lockersGroup);
    lockersLayout->addWidget(m_list, 1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("rentalPages"));

    m_temporaryPage = new QWidget(m_pages);
    m_tempNumber = new QLabel(m_temporaryPage);
    m_tempNumber->setObjectName(QStringLiteral("tempLockerNumberValue"));
    m_tempName = new QLabel(m_temporaryPage);
    m_tempName->setObjectName(QStringLiteral("tempLockerNameValue"));
    m_tempDeposit = new QLabel(m_temporaryPage);
    m_tempDeposit->setObjectName(QStringLiteral("tempDepositValue"));
    m_tempRemark = new QLineEdit(m_temporaryPage);
    m_tempRemark->setObjectName(QStringLiteral("tempRemarkEdit"));
    InputMethodFields::markFreeText(m_tempRemark);
    auto* note = new QLabel(QStringLiteral("提示说明：临时衣柜只在会员健身时有效，会员退场时需要把临时衣柜退掉。"),
                            m_temporaryPage);
    note->setWordWrap(true);
    auto* temporaryForm = new QGridLayout(m_temporaryPage);
    kit::addRow(temporaryForm, 0, 0, QStringLiteral("衣柜编号："), m_tempNumber);
    kit::addRow(temporaryForm, 0, 2, QStringLiteral("衣柜名称："), m_tempName);
    kit::addRow(temporaryForm, 1, 0, QStringLiteral("押金："), m_tempDeposit);
    kit::addRow(temporaryForm, 1, 2, QStringLiteral("备注信息："), m_tempRemark);
    temporaryForm->addWidget(note, 2, 0, 1, 4);
    m_pages->addTab(m_temporaryPage, QStringLiteral("临时租用衣柜登记"));

    m_longTermPage = new QWidget(m_pages);
    QWidget* longTerm = m_longTermPage;
    m_number = new QLabel(longTerm);
    m_number->setObjectName(QStringLiteral("lockerNumberValue"));
    m_name = new QLabel(longTerm);
    m_name->setObjectName(QStringLiteral("lockerNameValue"));
    m_deposit = new QLabel(longTerm);
    m_deposit->setObjectName(QStringLiteral("depositValue"));
    m_start = new QDateEdit(longTerm);
    m_start->setObjectName(QStringLiteral("startDateEdit"));
    m_end = new QDateEdit(longTerm);
    m_end->setObjectName(QStringLiteral("endDateEdit"));
    for (QDateEdit* d : {m_start, m_end}) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
    }
    m_rent = new QLineEdit(longTerm);
    m_rent->setObjectName(QStringLiteral("rentEdit"));
    kit::moneyOnly(m_rent);
    m_total = new QLabel(longTerm);
    m_total->setObjectName(QStringLiteral("totalValue"));
    m_remark = new QLineEdit(longTerm);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);
    auto* form = new QGridLayout(longTerm);
    // Laid out as the management window's rental dialog: the two dates side by side, the rent
    // beside its total.
    kit::addRow(form, 0, 0, QStringLiteral("衣柜编号："), m_number);
    kit::addRow(form, 0, 2, QStringLiteral("衣柜名称："), m_name);
    kit::addRow(form, 1, 0, QStringLiteral("押金："), m_deposit);
    kit::addRow(form, 2, 0, QStringLiteral("起始日期："), m_start);
    kit::addRow(form, 2, 2, QStringLiteral("结束日期："), m_end);
    kit::addRow(form, 3, 0, QStringLiteral("租金："), m_rent);
    kit::addRow(form, 3, 2, QStringLiteral("金额合计："), m_total);
    kit::addRow(form, 4, 0, QStringLiteral("备    注："), m_remark, 3);
    m_pages->addTab(longTerm, QStringLiteral("长期租用衣柜登记"));
    for (QLabel* value : {m_tempNumber, m_tempName, m_tempDeposit, m_number, m_name, m_deposit, m_total})
        kit::captionValue(value, value->accessibleName());

    m_printTicket = new QCheckBox(QStringLiteral("打印出租小票"), this);
    m_printTicket->setObjectName(QStringLiteral("printTicketCheck"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_printTicket);
    buttons->addStretch();
    QPushButton* saveButton = kit::pushButton(this, QStringLiteral("保存"), "saveButton", buttons);
    QPushButton* quit = kit::pushButton(this, QStringLiteral("退出"), "exitButton", buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lockersGroup, 1);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(m_showAll, &QCheckBox::toggled, m_list, &ChooserPanel::refilter);
    // The locker on the pages is always the one the list shows as current, filtered or not.
    connect(m_list, &ChooserPanel::shownRowChanged, this, &TxzygForm::showLocker);
    connect(m_rent, &QLineEdit::textChanged, this, &TxzygForm::updateTotal);
    connect(saveButton, &QPushButton::clicked, this, &TxzygForm::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
}

DataGrid* TxzygForm::grid() const
{
    return m_list->grid();
}

void TxzygForm::prepare(Mode mode, const QString& cardNumber, const QString&, const QString&)
{
    m_mode = mode;
    m_card = cardNumber;
    m_chosen.clear();
    m_ticket = {};
    const bool desk = mode == Mode::FrontDesk;
    // Registration only holds the choice, for a period: no ticket and no day's locker yet.
    m_printTicket->setVisible(desk);
    m_pages->setTabVisible(m_pages->indexOf(m_temporaryPage), desk);
    m_pages->setCurrentWidget(desk ? m_temporaryPage : m_longTermPage);
    const QDate today = m_session.now().date();
    m_remark->clear();
    m_tempRemark->clear();
    m_start->setDate(today);
    m_end->setDate(lockers::defaultRentalEnd(today));
    m_rent->setText(QStringLiteral("0"));
    {
        const QSignalBlocker quiet(m_showAll);
        m_showAll->setChecked(false);
    }
    m_list->open();
}

bool TxzygForm::printTicket() const
{
    return m_printTicket->isChecked();
}

void TxzygForm::showLocker(int row)
{
    const ResultSet& rows = m_list->rows();
    if (row < 0 || row >= rows.rowCount()) {
        for (QLabel* value : {m_number, m_name, m_deposit, m_tempNumber, m_tempName, m_tempDeposit})
            value->clear();
        m_depositAmount = Money();
    } else {
        m_number->setText(rows.value(row, QStringLiteral("衣柜编号")).toText());
        m_name->setText(rows.value(row, QStringLiteral("衣柜名称")).toText());
        m_depositAmount = rows.value(row, QStringLiteral("押金")).toMoney();
        m_deposit->setText(m_depositAmount.toYuanText());
        m_tempNumber->setText(m_number->text());
        m_tempName->setText(m_name->text());
        m_tempDeposit->setText(m_deposit->text());
    }
    updateTotal();
}

void TxzygForm::updateTotal()
{
    m_total->setText(m_number->text().isEmpty() ? QString()
                                                : lockers::rentalTotal(m_depositAmount, m_rent->text()).toYuanText());
}

void TxzygForm::save()
{
    if (m_number->text().isEmpty()) {
        Messages::warning(this, QStringLiteral("请选择衣柜！"));
        return;
    }
    if (m_mode == Mode::Registration)
        hold();
    else
        rent();
}

void TxzygForm::hold()
{
    const Outcome<Money> rent = lockers::rentFromText(m_rent->text());
    if (rent.refused()) {
        Messages::refusal(this, rent.refusal());
        m_rent->setFocus();
        return;
    }
    lockers::RentalChoice choice;
    choice.lockerNumber = m_number->text();
    choice.lockerName = m_name->text();
    choice.start = m_start->date();
    choice.end = m_end->date();
    choice.rent = rent.value();
    choice.deposit = m_depositAmount;
    choice.remark = m_remark->text();
    if (const Outcome<> held = lockers::holdForRegistration(m_session.command(), choice); held.refused()) {
        Messages::refusal(this, held.refusal());
        if (held.refusal().field == lockers::rentalField::end)
            m_end->setFocus();
        return;
    }
    m_chosen = choice.lockerNumber;
    accept();
}

void TxzygForm::rent()
{
    const bool temporary = m_pages->currentWidget() == m_temporaryPage;
    lockers::RentalInput input;
    input.cardNumber = m_card;
    input.lockerNumber = m_number->text();
    input.kind = temporary ? lockers::RentalKind::Temporary : lockers::RentalKind::LongTerm;
    input.start = m_start->date();
    input.end = m_end->date();
    input.rent = m_rent->text();
    input.remark = temporary ? m_tempRemark->text() : m_remark->text();
    const Outcome<lockers::RentalTicket> rented = lockers::rentLocker(m_session.command(), input);
    if (rented.refused()) {
        Messages::refusal(this, rented.refusal());
        if (rented.refusal().field == lockers::rentalField::rent)
            m_rent->setFocus();
        else if (rented.refusal().field == lockers::rentalField::end)
            m_end->setFocus();
        return;
    }
    m_ticket = rented.value();
    m_chosen = m_ticket.lockerNumber;
    accept();
}

void TxzygForm::done(int result)
{
    m_list->close();
    QDialog::done(result);
}

} // namespace tkd::gui
