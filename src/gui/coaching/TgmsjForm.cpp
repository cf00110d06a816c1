#include "TgmsjForm.h"

#include "CoachingMemberBox.h"
#include "app/Session.h"
#include "coaching/CoachingLists.h"
#include "coaching/Items.h"
#include "coaching/Packages.h"
#include "goods/Quantities.h"
#include "kit/CaptionedValue.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "members/TxzjsrForm.h"
#include "staff/Staff.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

QDate TgmsjForm::noDate()
{
    return QDate(2000, 1, 1);
}

TgmsjForm::TgmsjForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent)
    : QDialog(parent), m_session(session), m_picker(std::move(picker))
{
    setObjectName(QStringLiteral("gmsjForm"));
    setWindowTitle(QStringLiteral("购买私教"));
    m_member = new CoachingMemberBox(this);

    auto* group = new QGroupBox(QStringLiteral("购买私教"), this);
    m_coach = new QComboBox(group);
    m_coach->setObjectName(QStringLiteral("coachCombo"));
    m_date = new QDateEdit(group);
    m_date->setObjectName(QStringLiteral("purchaseDateEdit"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_item = new QComboBox(group);
    m_item->setObjectName(QStringLiteral("itemCombo"));
    m_price = new QLineEdit(group);
    m_price->setObjectName(QStringLiteral("priceEdit"));
    kit::moneyOnly(m_price);
    m_quantity = new QLineEdit(group);
    m_quantity->setObjectName(QStringLiteral("quantityEdit"));
    kit::digitsOnly(m_quantity);
    // The earliest date shows as empty: the package has no last day.
    m_validUntil = new QDateEdit(group);
    m_validUntil->setObjectName(QStringLiteral("validUntilEdit"));
    m_validUntil->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_validUntil->setCalendarPopup(true);
    m_validUntil->setMinimumDate(noDate());
    m_validUntil->setSpecialValueText(QStringLiteral(" "));
    // Its calendar is made when first needed: a popup made up front would be one more window.
    m_validUntil->installEventFilter(this);
    m_gift = new QCheckBox(QStringLiteral("赠送"), group);
    m_gift->setObjectName(QStringLiteral("giftCheck"));
    m_total = new QLabel(group);
    m_total->setObjectName(QStringLiteral("totalLabel"));
    kit::captionValue(m_total, QStringLiteral("总计金额："));
    m_remark = new QLineEdit(group);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);

    auto* grid = new QGridLayout(group);
    kit::addRow(grid, 0, 0, QStringLiteral("教练姓名："), m_coach);
    kit::addRow(grid, 0, 2, QStringLiteral("购买日期："), m_date);
    kit::addRow(grid, 1, 0, QStringLiteral("项目名称："), m_item);
    kit::addRow(grid, 1, 2, QStringLiteral("单价："), m_price);
    kit::addRow(grid, 2, 0, QStringLiteral("数量："), m_quantity);
    auto* clearValidUntil = new QToolButton(group);
    clearValidUntil->setObjectName(QStringLiteral("clearValidUntilButton"));
    clearValidUntil->setText(QStringLiteral("×"));
    clearValidUntil->setToolTip(QStringLiteral("不限有效日期"));
    clearValidUntil->setAccessibleName(QStringLiteral("不限有效日期"));
    connect(clearValidUntil, &QToolButton::clicked, this, [this] { m_validUntil->setDate(noDate()); });
    auto* validUntilRow = new QHBoxLayout;
    validUntilRow->addWidget(m_validUntil, 1);
    validUntilRow->addWidget(clearValidUntil);
    QLabel* validUntilCaption = kit::captionFor(m_validUntil, QStringLiteral("有效日期："), group);
    validUntilCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(validUntilCaption, 2, 2);
    grid->addLayout(validUntilRow, 2, 3);
    grid->addWidget(m_gift, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("总计金额："), group), 3, 2, Qt::AlignRight);
    grid->addWidget(m_total, 3, 3);
    kit::addRow(grid, 4, 0, QStringLiteral("备注信息："), m_remark, 3);

    auto* historyBox = new QGroupBox(QStringLiteral("购买记录"), this);
    m_history = new DataGrid(historyBox);
    m_history->setObjectName(QStringLiteral("historyGrid"));
    m_history->setAccessibleName(QStringLiteral("购买记录"));
    auto* historyLayout = new QVBoxLayout(historyBox);
    historyLayout->addWidget(m_history);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_member);
    layout->addWidget(group);
    layout->addWidget(historyBox, 1);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    buttons.cancel->setText(QStringLiteral("退出"));
    buttons.cancel->setObjectName(QStringLiteral("exitButton"));
    resize(640, 560);

    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(m_member, &CoachingMemberBox::pickRequested, this, kit::guard(this, [this] { pickMember(); }));
    connect(m_item, &QComboBox::activated, this, kit::guard(this, [this] { itemChosen(); }));
    connect(m_price, &QLineEdit::textChanged, this, [this] { showTotal(); });
    connect(m_quantity, &QLineEdit::textChanged, this, [this](const QString& text) {
        // An emptied count reads 0 again, selected so that the next digit replaces it.
        if (text.isEmpty()) {
            m_quantity->setText(QStringLiteral("0"));
            m_quantity->selectAll();
            return;
        }
        showTotal();
    });

    const QWidget* order[] = {
        m_member->cardEdit(), m_member->pickButton(), m_coach, m_date,   m_item,     m_price,
        m_quantity,           m_validUntil,           m_gift,  m_remark, buttons.ok, buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    kit::installEnterMovesFocus(this);
    m_fields.add(coaching::field::card, m_member->pickButton())
        .add(coaching::field::coach, m_coach)
        .add(coaching::field::price, m_price)
        .add(coaching::field::quantity, m_quantity)
        .add(coaching::field::validUntil, m_validUntil);
}

bool TgmsjForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_validUntil && !m_calendar && (type == QEvent::MouseButtonPress || type == QEvent::KeyPress)) {
        m_calendar = m_validUntil->calendarWidget();
        m_calendar->installEventFilter(this);
    }
    // The empty date is a day in 2000: its calendar would open there, not near the purchase.
    if (type == QEvent::Show && watched == m_calendar && m_validUntil->date() == noDate())
        m_calendar->setCurrentPage(m_date->date().year(), m_date->date().month());
    return QDialog::eventFilter(watched, event);
}

void TgmsjForm::reset()
{
    TvelunDMForm& dm = m_session.velunDMForm();
    m_savedId = 0;
    m_coach->clear();
    m_coach->addItems(staff::coachNames(dm));
    m_coach->setCurrentIndex(-1);
    m_item->clear();
    m_item->addItems(coaching::itemNames(dm));
    m_item->setCurrentIndex(-1);
    m_date->setDate(m_session.now().date());
    m_validUntil->setDate(noDate());
    m_gift->setChecked(false);
    m_price->setText(QStringLiteral("0"));
    m_quantity->setText(QStringLiteral("0"));
    m_remark->clear();
    showTotal();
}

bool TgmsjForm::prepareForMember(const QString& cardNumber)
{
    const std::optional<coaching::MemberInfo> member =
        CoachingMemberBox::readMember(m_session.velunDMForm(), cardNumber, parentWidget());
    if (!member)
        return false;
    m_opener = CoachingOpener::FrontDesk;
    reset();
    m_member->clear(false);
    m_member->show(*member);
    m_history->setResult(coaching::purchaseHistory(m_session.velunDMForm(), member->cardNumber));
    m_coach->setFocus();
    return true;
}

void TgmsjForm::prepareToPick()
{
    m_opener = CoachingOpener::Management;
    reset();
    m_member->clear(true);
    m_history->setResult(coaching::purchaseHistory(m_session.velunDMForm(), coaching::kNoMember));
    m_member->pickButton()->setFocus();
}

void TgmsjForm::pickMember()
{
    TxzjsrForm* picker = m_picker();
    picker->prepare(TxzjsrForm::Mode::CoachingPurchase);
    if (picker->exec() != QDialog::Accepted)
        return;
    showMember(picker->pickedCardNumber());
}

void TgmsjForm::showMember(const QString& cardNumber)
{
    const std::optional<coaching::MemberInfo> member =
        CoachingMemberBox::readMember(m_session.velunDMForm(), cardNumber, this);
    if (!member)
        return;
    m_member->show(*member);
    m_history->setResult(coaching::purchaseHistory(m_session.velunDMForm(), member->cardNumber));
    m_coach->setFocus();
}

void TgmsjForm::itemChosen()
{
    if (const std::optional<Money> price = coaching::itemPrice(m_session.velunDMForm(), m_item->currentText()))
        m_price->setText(goods::priceText(*price));
}

void TgmsjForm::showTotal()
{
    m_total->setText(coaching::purchaseTotal(m_price->text(), m_quantity->text()).toYuanText());
}

void TgmsjForm::save()
{
    coaching::PurchaseInput input;
    input.cardNumber = m_member->cardNumber();
    input.coach = m_coach->currentText();
    input.item = m_item->currentText();
    input.purchaseDate = m_date->date();
    input.price = m_price->text();
    input.quantity = m_quantity->text();
    if (m_validUntil->date() != noDate())
        input.validUntil = m_validUntil->date();
    input.gift = m_gift->isChecked();
    input.remark = m_remark->text();
    const Outcome<qint64> bought = coaching::purchase(m_session.command(), input);
    if (bought.refused()) {
        m_fields.showRefusal(this, bought.refusal());
        return;
    }
    m_savedId = *bought;
    accept();
}

} // namespace tkd::gui
