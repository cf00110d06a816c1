#include "TxzygForm.h"

#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "lockers/LockerChoice.h"

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

TxzygForm::TxzygForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("xzygForm"));
    setWindowTitle(QStringLiteral("选择衣柜"));
    resize(640, 520);
    auto* lockersGroup = new QGroupBox(QStringLiteral("衣柜信息"), this);
    m_grid = new DataGrid(lockersGroup);
    m_grid->setObjectName(QStringLiteral("lockerGrid"));
    m_showAll = new QCheckBox(QStringLiteral("显示所有衣柜"), lockersGroup);
    m_showAll->setObjectName(QStringLiteral("showAllCheck"));
    m_numberFilter = new QLineEdit(lockersGroup);
    m_numberFilter->setObjectName(QStringLiteral("lockerFilterEdit"));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(m_showAll);
    filterRow->addStretch();
    filterRow->addWidget(kit::captionFor(m_numberFilter, QStringLiteral("衣柜编号："), lockersGroup));
    filterRow->addWidget(m_numberFilter);
    auto* lockersLayout = new QVBoxLayout(lockersGroup);
    lockersLayout->addWidget(m_grid, 1);
    lockersLayout->addLayout(filterRow);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("rentalPages"));
    auto* longTerm = new QWidget(m_pages);
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
    kit::addRow(form, 0, 0, QStringLiteral("衣柜编号："), m_number);
    kit::addRow(form, 0, 2, QStringLiteral("衣柜名称："), m_name);
    kit::addRow(form, 1, 0, QStringLiteral("押金："), m_deposit);
    kit::addRow(form, 1, 2, QStringLiteral("起始日期："), m_start);
    kit::addRow(form, 2, 0, QStringLiteral("结束日期："), m_end);
    kit::addRow(form, 2, 2, QStringLiteral("租金："), m_rent);
    kit::addRow(form, 3, 0, QStringLiteral("金额合计："), m_total);
    kit::addRow(form, 3, 2, QStringLiteral("备    注："), m_remark);
    m_pages->addTab(longTerm, QStringLiteral("长期租用衣柜登记"));

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

    connect(m_showAll, &QCheckBox::toggled, this, &TxzygForm::applyFilter);
    connect(m_numberFilter, &QLineEdit::textChanged, this, &TxzygForm::applyFilter);
    connect(m_grid, &DataGrid::rowClicked, this, &TxzygForm::showLocker);
    connect(m_grid, &DataGrid::currentRowChanged, this, &TxzygForm::showLocker);
    connect(m_rent, &QLineEdit::textChanged, this, &TxzygForm::updateTotal);
    connect(saveButton, &QPushButton::clicked, this, &TxzygForm::save);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
}

void TxzygForm::prepare(Mode mode, const QString&, const QString&, const QString&)
{
    m_mode = mode;
    m_chosen.clear();
    // Registration only holds the choice: no ticket yet.
    m_printTicket->setVisible(false);
    const QDate today = m_context.clock().now().date();
    m_numberFilter->blockSignals(true);
    m_numberFilter->clear();
    m_numberFilter->blockSignals(false);
    m_remark->clear();
    m_start->setDate(today);
    m_end->setDate(today.addDays(30));
    m_rent->setText(QStringLiteral("0"));
    m_showAll->blockSignals(true);
    m_showAll->setChecked(false);
    m_showAll->blockSignals(false);
    m_lockers = m_context.velunDMForm().open(QStringLiteral("ADODS_ygsz"));
    applyFilter();
    showLocker(m_grid->result().isEmpty() ? -1 : 0);
}

void TxzygForm::applyFilter()
{
    const Filter filter = lockers::chooserFilter(m_showAll->isChecked(), m_numberFilter->text());
    if (filter.isEmpty())
        m_lockers.clearFilter();
    else
        m_lockers.setFilter(filter);
    m_grid->setResult(m_lockers);
    m_grid->hideColumn(QStringLiteral("编号"));
    m_grid->setColumnWidths({{QStringLiteral("衣柜编号"), 80},
                             {QStringLiteral("衣柜名称"), 110},
                             {QStringLiteral("押金"), 80},
                             {QStringLiteral("状态"), 80},
                             {QStringLiteral("备注"), 200}});
}

void TxzygForm::showLocker(int row)
{
    const ResultSet& rows = m_grid->result();
    if (row < 0 || row >= rows.rowCount()) {
        m_number->clear();
        m_name->clear();
        m_deposit->clear();
    } else {
        m_number->setText(rows.value(row, QStringLiteral("衣柜编号")).toText());
        m_name->setText(rows.value(row, QStringLiteral("衣柜名称")).toText());
        m_deposit->setText(rows.value(row, QStringLiteral("押金")).toMoney().toYuanText());
        m_deposit->setProperty("amount",
                               QVariant::fromValue(rows.value(row, QStringLiteral("押金")).toMoney().units()));
    }
    updateTotal();
}

void TxzygForm::updateTotal()
{
    Money rent;
    Money::parse(m_rent->text().trimmed().isEmpty() ? QStringLiteral("0") : m_rent->text().trimmed(), &rent);
    const Money deposit = Money::fromUnits(m_deposit->property("amount").toLongLong());
    m_total->setText(m_number->text().isEmpty() ? QString() : (deposit + rent).toYuanText());
}

void TxzygForm::save()
{
    if (m_number->text().isEmpty()) {
        Messages::warning(this, QStringLiteral("请选择衣柜！"));
        return;
    }
    lockers::RentalChoice choice;
    choice.lockerNumber = m_number->text();
    choice.lockerName = m_name->text();
    choice.start = m_start->date();
    choice.end = m_end->date();
    if (!Money::parse(m_rent->text().trimmed().isEmpty() ? QStringLiteral("0") : m_rent->text().trimmed(),
                      &choice.rent)) {
        Messages::error(this, QStringLiteral("租金必须是金额！"));
        m_rent->setFocus();
        return;
    }
    choice.deposit = Money::fromUnits(m_deposit->property("amount").toLongLong());
    choice.remark = m_remark->text();
    if (const Outcome<> held = lockers::holdForRegistration(m_context.command(), choice); held.refused()) {
        Messages::refusal(this, held.refusal());
        return;
    }
    m_chosen = choice.lockerNumber;
    accept();
}

} // namespace tkd::gui
