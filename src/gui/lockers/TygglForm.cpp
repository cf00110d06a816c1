#include "TygglForm.h"

#include "TczygForm.h"
#include "TczygreportForm.h"
#include "ThytgForm.h"
#include "TygczreportForm.h"
#include "TygxfForm.h"
#include "TygztreportForm.h"
#include "app/Session.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/ResultTableModel.h"
#include "kit/report/TmypreviewForm.h"
#include "lockers/LockerQueries.h"
#include "lockers/LockerRegister.h"
#include "lockers/Rentals.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QComboBox* pickOnly(QWidget* parent, const char* name, const QStringList& entries)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(entries);
    return combo;
}

} // namespace

TygglForm::TygglForm(Session& session, TxzjsrForm* memberPicker, QWidget* parent)
    : QDialog(parent), m_session(session), m_rental(new TczygForm(session, memberPicker, this)),
      m_renewal(new TygxfForm(session, this)), m_return(new ThytgForm(session, this))
{
    setObjectName(QStringLiteral("ygglForm"));
    setWindowTitle(QStringLiteral("衣柜管理"));
    resize(860, 560);

    auto* buttons = new QHBoxLayout;
    m_rentButton = kit::pushButton(this, QStringLiteral("衣柜出租"), "rentButton", buttons);
    m_renewButton = kit::pushButton(this, QStringLiteral("衣柜续费"), "renewButton", buttons);
    m_returnButton = kit::pushButton(this, QStringLiteral("会员退柜"), "returnButton", buttons);
    QPushButton* printButton = kit::pushButton(this, QStringLiteral("打印"), "printButton", buttons);
    QPushButton* exitButton = kit::pushButton(this, QStringLiteral("退出"), "exitButton", buttons);
    buttons->addStretch();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));

    auto* statePage = new QWidget(m_pages);
    m_stateNumber = new QLineEdit(statePage);
    m_stateNumber->setObjectName(QStringLiteral("stateNumberEdit"));
    InputMethodFields::markFreeText(m_stateNumber);
    m_state = pickOnly(statePage, "stateCombo", lockers::stateChoices());
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(kit::captionFor(m_stateNumber, QStringLiteral("衣柜编号："), statePage));
    stateRow->addWidget(m_stateNumber);
    stateRow->addWidget(kit::captionFor(m_state, QStringLiteral("衣柜状态："), statePage));
    stateRow->addWidget(m_state);
    QPushButton* stateQuery = kit::pushButton(statePage, QStringLiteral("查询"), "stateSearchButton", stateRow);
    stateRow->addStretch();
    m_stateGrid = new DataGrid(statePage);
    m_stateGrid->setObjectName(QStringLiteral("stateGrid"));
    m_stateGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_stateGrid->resultModel()->setRowColour(
        [](const ResultSet& rows, int row) { return stateColour(rows.value(row, QStringLiteral("状态")).toText()); });
    auto* stateLayout = new QVBoxLayout(statePage);
    stateLayout->addLayout(stateRow);
    stateLayout->addWidget(m_stateGrid, 1);
    m_pages->addTab(statePage, QStringLiteral("衣柜状态"));

    auto* recordPage = new QWidget(m_pages);
    m_dates = new DateRangeBar(QStringLiteral("登记日期："), recordPage);
    m_dates->setStartRule(DateRangeBar::sameDay());
    m_dates->queryButton()->setObjectName(QStringLiteral("recordSearchButton"));
    m_recordNumber = new QLineEdit(recordPage);
    m_recordNumber->setObjectName(QStringLiteral("recordNumberEdit"));
    InputMethodFields::markFreeText(m_recordNumber);
    m_recordKind = pickOnly(recordPage, "recordKindCombo", lockers::recordChoices());
    m_dates->addWidget(kit::captionFor(m_recordNumber, QStringLiteral("衣柜编号："), recordPage));
    m_dates->addWidget(m_recordNumber);
    m_dates->addWidget(kit::captionFor(m_recordKind, QStringLiteral("出租状态："), recordPage));
    m_dates->addWidget(m_recordKind);
    m_recordGrid = new DataGrid(recordPage);
    m_recordGrid->setObjectName(QStringLiteral("recordGrid"));
    m_recordGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    auto* recordLayout = new QVBoxLayout(recordPage);
    recordLayout->addWidget(m_dates);
    recordLayout->addWidget(m_recordGrid, 1);
    m_pages->addTab(recordPage, QStringLiteral("衣柜出租记录"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pages, 1);

    connect(m_rentButton, &QPushButton::clicked, this, kit::guard(this, [this] { rent(); }));
    connect(m_renewButton, &QPushButton::clicked, this, kit::guard(this, [this] { renew(); }));
    connect(m_returnButton, &QPushButton::clicked, this, kit::guard(this, [this] { giveBack(); }));
    connect(printButton, &QPushButton::clicked, this, kit::guard(this, [this] { print(); }));
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(stateQuery, &QPushButton::clicked, this, kit::guard(this, [this] { queryStates(); }));
    connect(m_stateNumber, &QLineEdit::returnPressed, this, kit::guard(this, [this] { queryStates(); }));
    connect(m_dates, &DateRangeBar::queryRequested, this, kit::guard(this, [this] { queryRecords(); }));
    connect(m_recordNumber, &QLineEdit::returnPressed, this, kit::guard(this, [this] { queryRecords(); }));
    connect(m_stateGrid, &DataGrid::rowClicked, this, &TygglForm::rowChosen);
    kit::markEnterSubmits(m_stateNumber);
    kit::markEnterSubmits(m_recordNumber);
}

QColor TygglForm::stateColour(const QString& state)
{
    return state == lockers::kRented ? QColor(Qt::red) : QColor(Qt::blue);
}

void TygglForm::prepare()
{
    m_stateNumber->clear();
    m_recordNumber->clear();
    m_state->setCurrentIndex(0);
    m_recordKind->setCurrentIndex(0);
    m_dates->reset(m_session.now().date());
    queryStates();
    queryRecords();
    m_stateGrid->setColumnWidths({{QStringLiteral("衣柜编号"), 80},
                                  {QStringLiteral("衣柜名称"), 80},
                                  {QStringLiteral("状态"), 80},
                                  {QStringLiteral("会员卡号"), 80},
                                  {QStringLiteral("会员姓名"), 80},
                                  {QStringLiteral("到期日期"), 80},
                                  {QStringLiteral("备注"), 250}});
    for (const char16_t* hidden : {u"编号", u"押金", u"会员类型", u"临时出租", u"出租编号"})
        m_stateGrid->hideColumn(QString::fromUtf16(hidden));
    m_recordGrid->setColumnWidths({{QStringLiteral("会员卡号"), 70},
                                   {QStringLiteral("会员姓名"), 70},
                                   {QStringLiteral("衣柜编号"), 70},
                                   {QStringLiteral("登记日期"), 73},
                                   {QStringLiteral("出租状态"), 70},
                                   {QStringLiteral("起始日期"), 70},
                                   {QStringLiteral("截止日期"), 70},
                                   {QStringLiteral("租金"), 56},
                                   {QStringLiteral("押金"), 56},
                                   {QStringLiteral("备注"), 122}});
    for (const char16_t* hidden : {u"编号", u"会员类型"})
        m_recordGrid->hideColumn(QString::fromUtf16(hidden));
    for (QPushButton* b : {m_rentButton, m_renewButton, m_returnButton})
        b->setEnabled(true);
    m_pages->setCurrentIndex(0);
}

void TygglForm::queryStates(bool keepRow)
{
    m_states = lockers::lockerStates(m_session.velunDMForm());
    m_states.setFilter(lockers::stateFilter(m_state->currentText(), m_stateNumber->text()));
    m_stateGrid->setResult(m_states, keepRow ? DataGrid::KeepRow : DataGrid::FirstRow);
}

void TygglForm::queryRecords()
{
    m_records = lockers::rentalRecords(m_session.velunDMForm(), m_dates->range());
    m_records.setFilter(lockers::recordFilter(m_recordKind->currentText(), m_recordNumber->text()));
    m_recordGrid->setResult(m_records);
}

void TygglForm::rowChosen(int row)
{
    if (row < 0)
        return;
    const QString state = m_stateGrid->value(row, QStringLiteral("状态")).toText();
    // Other states leave the buttons as they were.
    if (state != lockers::kFree && state != lockers::kRented)
        return;
    const bool free = state == lockers::kFree;
    m_rentButton->setEnabled(free);
    m_renewButton->setEnabled(!free);
    m_returnButton->setEnabled(!free);
}

void TygglForm::rent()
{
    if (m_stateGrid->currentRowIndex() < 0)
        return;
    TvelunDMForm& dm = m_session.velunDMForm();
    const QString number = m_stateGrid->currentValue(QStringLiteral("衣柜编号")).toText();
    const std::optional<lockers::LockerView> locker = lockers::findLocker(dm, number);
    if (const MaybeRefusal refused = lockers::refuseRenting(dm, number); refused || !locker) {
        Messages::refusal(this, refused ? *refused : Refusal::warning(QStringLiteral("该衣柜已不存在！")));
        queryStates(true);
        return;
    }
    m_rental->prepare(*locker);
    if (m_rental->exec() != QDialog::Accepted)
        return;
    const lockers::RentalTicket ticket = m_rental->ticket();
    queryStates(true);
    queryRecords();
    Q_EMIT memberLockerChanged(ticket.cardNumber);
    if (m_rental->printTicket())
        TmypreviewForm::open(TczygreportForm::build(dm, ticket, TczygreportForm::Kind::Rental), this);
}

void TygglForm::renew()
{
    if (m_stateGrid->currentRowIndex() < 0)
        return;
    TvelunDMForm& dm = m_session.velunDMForm();
    const QString number = m_stateGrid->currentValue(QStringLiteral("衣柜编号")).toText();
    if (const MaybeRefusal refused = lockers::refuseRenewal(dm, number)) {
        Messages::refusal(this, *refused);
        queryStates(true);
        return;
    }
    m_renewal->prepare(*lockers::findLocker(dm, number));
    if (m_renewal->exec() != QDialog::Accepted)
        return;
    const lockers::RentalTicket ticket = m_renewal->ticket();
    queryStates(true);
    queryRecords();
    Q_EMIT memberLockerChanged(ticket.cardNumber);
    if (m_renewal->printTicket())
        TmypreviewForm::open(TczygreportForm::build(dm, ticket, TczygreportForm::Kind::Renewal), this);
}

void TygglForm::giveBack()
{
    if (m_stateGrid->currentRowIndex() < 0)
        return;
    TvelunDMForm& dm = m_session.velunDMForm();
    const QString number = m_stateGrid->currentValue(QStringLiteral("衣柜编号")).toText();
    if (const MaybeRefusal refused = lockers::refuseReturn(dm, number)) {
        Messages::refusal(this, *refused);
        queryStates(true);
        return;
    }
    m_return->prepare(*lockers::findLocker(dm, number));
    if (m_return->exec() != QDialog::Accepted)
        return;
    queryStates(true);
    queryRecords();
    Q_EMIT memberLockerChanged(m_return->returned().cardNumber);
}

void TygglForm::print()
{
    const QDateTime now = m_session.now();
    if (m_pages->currentIndex() == 0)
        TmypreviewForm::open(TygztreportForm::build(m_stateGrid->result(), m_state->currentText(), now), this);
    else
        TmypreviewForm::open(TygczreportForm::build(m_recordGrid->result(), m_dates->from(), m_dates->to(), now), this);
}

void TygglForm::done(int result)
{
    // Closing drops both lists and their filters.
    m_states = {};
    m_records = {};
    for (DataGrid* grid : {m_stateGrid, m_recordGrid}) {
        grid->clearColumnLayout();
        grid->setResult({});
    }
    QDialog::done(result);
}

} // namespace tkd::gui
