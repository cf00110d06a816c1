#include "ThyjfForm.h"

#include "ThyczdjreportForm.h"
#include "TxftsForm.h"
#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/GatewayCalls.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "members/TxzjsrForm.h"
#include "sms/AutoSms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {
namespace {

const QString kCash = QStringLiteral("现金");

QComboBox* methodCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->addItems({kCash, QStringLiteral("银行卡")});
    InputMethodFields::markFreeText(combo->lineEdit());
    return combo;
}

QLineEdit* lineEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* valueLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    kit::captionValue(label, caption);
    return label;
}

void addValueRow(QGridLayout* grid, int row, int column, const QString& caption, QLabel* value)
{
    auto* captionLabel = new QLabel(caption, value->parentWidget());
    captionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(captionLabel, row, column);
    grid->addWidget(value, row, column + 1);
}

QLabel* redNote(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("color: red;"));
    return label;
}

// An emptied count box reads "0" again, as the operator expects from a number.
void zeroWhenEmptied(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (text.isEmpty())
            edit->setText(QStringLiteral("0"));
    });
}

} // namespace

ThyjfForm::ThyjfForm(Session& session, SmsState& sms, TxzjsrForm* memberPicker, QWidget* parent)
    : QDialog(parent), m_context(session), m_sms(sms), m_call(kit::nonFreezingGatewayCall(this)),
      m_prompt(new TxftsForm(this)), m_picker(memberPicker)
{
    setObjectName(QStringLiteral("hyjfForm"));
    setWindowTitle(QStringLiteral("会员交费"));

    auto* group = new QGroupBox(QStringLiteral("会员信息"), this);
    auto* info = new QGridLayout(group);
    m_card = lineEdit(group, "cardNumberEdit");
    m_card->setEnabled(false);
    m_chooser = new QToolButton(group);
    m_chooser->setObjectName(QStringLiteral("chooseMemberButton"));
    m_chooser->setText(QStringLiteral("…"));
    m_chooser->setToolTip(QStringLiteral("请点击按钮查询会员"));
    m_chooser->setAccessibleName(QStringLiteral("选择会员"));
    auto* cardRow = new QHBoxLayout;
    cardRow->addWidget(m_card, 1);
    cardRow->addWidget(m_chooser);
    QLabel* cardCaption = kit::captionFor(m_card, QStringLiteral("会员卡号："), group);
    cardCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    info->addWidget(cardCaption, 0, 0);
    info->addLayout(cardRow, 0, 1);
    m_name = valueLabel(group, "nameLabel", QStringLiteral("会员姓名："));
    m_type = valueLabel(group, "typeLabel", QStringLiteral("会员类型："));
    m_balance = valueLabel(group, "balanceLabel", QStringLiteral("卡内余额："));
    m_visits = valueLabel(group, "visitsLabel", QStringLiteral("剩余次数："));
    m_expiry = valueLabel(group, "expiryLabel", QStringLiteral("到期日期："));
    addValueRow(info, 0, 2, QStringLiteral("会员姓名："), m_name);
    addValueRow(info, 1, 0, QStringLiteral("会员类型："), m_type);
    addValueRow(info, 1, 2, QStringLiteral("卡内余额："), m_balance);
    addValueRow(info, 2, 0, QStringLiteral("剩余次数："), m_visits);
    addValueRow(info, 2, 2, QStringLiteral("到期日期："), m_expiry);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    auto* renewal = new QWidget(m_pages);
    auto* custom = new QWidget(m_pages);
    auto* recharge = new QWidget(m_pages);
    buildRenewalPage(renewal);
    buildCustomPage(custom);
    buildRechargePage(recharge);
    m_pages->addTab(renewal, QStringLiteral("会籍续费"));
    m_pages->addTab(custom, QStringLiteral("自定义续费"));
    m_pages->addTab(recharge, QStringLiteral("储值卡充值"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* save = kit::pushButton(this, QStringLiteral("保存"), "saveButton", buttons);
    QPushButton* close = kit::pushButton(this, QStringLiteral("退出"), "closeButton", buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, kit::guard(this, [this] { ThyjfForm::save(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_chooser, &QToolButton::clicked, this, kit::guard(this, [this] { chooseMember(); }));
    kit::installEnterMovesFocus(this);
    using namespace payments;
    m_fields.add(field::type, m_renewType)
        .add(field::amount, m_renewAmount)
        .add(field::days, m_customDays)
        .add(field::visits, m_customVisits)
        .add(field::customAmount, m_customAmount)
        .add(field::deposit, m_deposit)
        .add(field::paid, m_paid);
}

void ThyjfForm::buildRenewalPage(QWidget* page)
{
    m_renewType = new QComboBox(page);
    m_renewType->setObjectName(QStringLiteral("renewTypeCombo"));
    m_renewAmount = lineEdit(page, "renewAmountEdit");
    kit::moneyOnly(m_renewAmount);
    m_renewRemark = lineEdit(page, "renewRemarkEdit");
    InputMethodFields::markFreeText(m_renewRemark);
    m_changeGrade = new QCheckBox(QStringLiteral("补差价更换等级"), page);
    m_changeGrade->setObjectName(QStringLiteral("changeGradeCheck"));
    m_renewMethod = methodCombo(page, "renewMethodCombo");
    m_renewExpiry = valueLabel(page, "renewExpiryLabel", QStringLiteral("到期日期："));
    m_renewVisits = valueLabel(page, "renewVisitsLabel", QStringLiteral("累计次数："));
    QPushButton* hintButton = kit::pushButton(page, QStringLiteral("提示信息"), "hintButton");
    m_hint = redNote(page, "hintPanel",
                     QStringLiteral("如果选中该功能，更换会员类型时，只需补交两个等级的差价就\n"
                                    "可以换成新的等级，截止日期会根据开卡日期重新计算，累计次\n"
                                    "数也会重新计算，适合更换会员等级的会员。如果不选中该功能\n"
                                    "截止日期会在以前的截止日期上累加，适合续费的会员。"));
    m_hint->setFrameShape(QFrame::Box);
    m_hint->hide();
    m_hint->installEventFilter(this);

    auto* grid = new QGridLayout(page);
    kit::addRow(grid, 0, 0, QStringLiteral("会员类型："), m_renewType);
    kit::addRow(grid, 0, 2, QStringLiteral("交费金额："), m_renewAmount);
    kit::addRow(grid, 1, 0, QStringLiteral("备注信息："), m_renewRemark);
    grid->addWidget(m_changeGrade, 1, 3);
    kit::addRow(grid, 2, 0, QStringLiteral("结帐方式："), m_renewMethod);
    grid->addWidget(hintButton, 2, 3);
    addValueRow(grid, 3, 0, QStringLiteral("到期日期："), m_renewExpiry);
    addValueRow(grid, 3, 2, QStringLiteral("累计次数："), m_renewVisits);
    grid->addWidget(m_hint, 4, 0, 1, 4);

    connect(m_renewType, &QComboBox::currentIndexChanged, this, kit::guard(this, [this] { proposeRenewal(); }));
    connect(m_changeGrade, &QCheckBox::toggled, this, kit::guard(this, [this] { proposeRenewal(); }));
    connect(hintButton, &QPushButton::clicked, this, [this] { m_hint->setVisible(!m_hint->isVisible()); });
}

void ThyjfForm::buildCustomPage(QWidget* page)
{
    m_customDays = lineEdit(page, "customDaysEdit");
    m_customVisits = lineEdit(page, "customVisitsEdit");
    for (QLineEdit* e : {m_customDays, m_customVisits}) {
        kit::digitsOnly(e);
        zeroWhenEmptied(e);
        connect(e, &QLineEdit::textChanged, this, &ThyjfForm::previewCustom);
    }
    m_customAmount = lineEdit(page, "customAmountEdit");
    kit::moneyOnly(m_customAmount);
    m_customRemark = lineEdit(page, "customRemarkEdit");
    InputMethodFields::markFreeText(m_customRemark);
    m_customMethod = methodCombo(page, "customMethodCombo");
    m_customExpiry = valueLabel(page, "customExpiryLabel", QStringLiteral("到期日期："));
    m_customVisitsPreview = valueLabel(page, "customVisitsLabel", QStringLiteral("累计次数："));

    auto* grid = new QGridLayout(page);
    kit::addRow(grid, 0, 0, QStringLiteral("可用天数："), m_customDays);
    kit::addRow(grid, 0, 2, QStringLiteral("可用次数："), m_customVisits);
    kit::addRow(grid, 1, 0, QStringLiteral("交费金额："), m_customAmount);
    kit::addRow(grid, 1, 2, QStringLiteral("备注信息："), m_customRemark);
    kit::addRow(grid, 2, 0, QStringLiteral("结帐方式："), m_customMethod);
    addValueRow(grid, 3, 0, QStringLiteral("到期日期："), m_customExpiry);
    addValueRow(grid, 3, 2, QStringLiteral("累计次数："), m_customVisitsPreview);
}

void ThyjfForm::buildRechargePage(QWidget* page)
{
    m_deposit = lineEdit(page, "depositEdit");
    m_paid = lineEdit(page, "paidEdit");
    kit::moneyOnly(m_deposit);
    kit::moneyOnly(m_paid);
    m_rechargeRemark = lineEdit(page, "rechargeRemarkEdit");
    InputMethodFields::markFreeText(m_rechargeRemark);
    m_rechargeMethod = methodCombo(page, "rechargeMethodCombo");

    auto* grid = new QGridLayout(page);
    kit::addRow(grid, 0, 0, QStringLiteral("卡内存入金额："), m_deposit);
    kit::addRow(grid, 0, 2, QStringLiteral("实际需要交费："), m_paid);
    kit::addRow(grid, 1, 0, QStringLiteral("备注信息："), m_rechargeRemark);
    kit::addRow(grid, 1, 2, QStringLiteral("结帐方式："), m_rechargeMethod);
    grid->addWidget(redNote(page, "rechargeNote",
                            QStringLiteral("卡内存入金额是实际充到卡内的金额，实际需要交费是用户需要交纳的金额！")),
                    2, 0, 1, 4);
    connect(m_deposit, &QLineEdit::textChanged, m_paid, &QLineEdit::setText);
}

bool ThyjfForm::prepare(Opener opener, const QString& cardNumber)
{
    m_opener = opener;
    m_chosenByPicker = false;
    m_outcome = {};
    m_chooser->setVisible(opener == Opener::Statistics);
    m_pages->setCurrentIndex(0);
    {
        const QSignalBlocker blocker(m_renewType);
        m_renewType->clear();
        m_renewType->addItems(payments::cardTypeNames(m_context.velunDMForm()));
        m_renewType->setCurrentIndex(-1);
    }
    for (QLineEdit* e : {m_renewRemark, m_customRemark, m_rechargeRemark, m_renewAmount})
        e->clear();
    for (QLineEdit* e : {m_customDays, m_customVisits, m_customAmount, m_deposit, m_paid})
        e->setText(QStringLiteral("0"));
    for (QComboBox* c : {m_renewMethod, m_customMethod, m_rechargeMethod})
        c->setCurrentText(kCash);
    m_hint->hide();
    clearMember();
    if (cardNumber.trimmed().isEmpty())
        return opener == Opener::Statistics;
    const auto member = payments::loadMember(m_context.velunDMForm(), cardNumber, opener);
    if (!member)
        return false;
    load(*member);
    return true;
}

void ThyjfForm::clearMember()
{
    m_member.reset();
    m_card->clear();
    for (QLabel* l : {m_name, m_type, m_balance, m_visits, m_expiry, m_renewExpiry, m_renewVisits, m_customExpiry,
                      m_customVisitsPreview})
        l->clear();
}

void ThyjfForm::load(const payments::PayingMember& member)
{
    m_member = member;
    m_card->setText(member.cardNumber);
    m_name->setText(member.name);
    m_type->setText(member.type);
    m_balance->setText(payments::plainAmount(member.balance) + QStringLiteral("元"));
    m_visits->setText(QString::number(member.visitsLeft) + QStringLiteral("次"));
    m_expiry->setText(member.expiry.isValid() ? member.expiry.toString(QStringLiteral("yyyy-MM-dd")) : QString());
    {
        const QSignalBlocker blocker(m_renewType);
        m_renewType->setCurrentIndex(m_renewType->findText(member.type));
    }
    if (const auto type = cardtypes::find(m_context.velunDMForm(), member.type);
        type && m_renewType->currentIndex() >= 0) {
        // A member chosen in the statistics window is filled as the member list fills it.
        const Opener rounding = m_chosenByPicker ? Opener::MemberList : m_opener;
        const auto p =
            payments::initialRenewal(member, *type, m_changeGrade->isChecked(), rounding, m_context.clock().today());
        m_renewAmount->setText(payments::plainAmount(p.amount));
        m_renewExpiry->setText(p.expiry);
        m_renewVisits->setText(p.visits);
    }
    previewCustom();
}

void ThyjfForm::chooseMember()
{
    m_picker->prepare(TxzjsrForm::Mode::Payment);
    if (m_picker->exec() != QDialog::Accepted)
        return;
    // Filled as the member list fills it, from the chosen member's record.
    if (const auto member =
            payments::loadMember(m_context.velunDMForm(), m_picker->pickedCardNumber(), Opener::MemberList)) {
        m_chosenByPicker = true;
        load(*member);
    }
}

void ThyjfForm::proposeRenewal()
{
    if (!m_member || m_renewType->currentIndex() < 0)
        return;
    const auto type = cardtypes::find(m_context.velunDMForm(), m_renewType->currentText());
    if (!type)
        return;
    const auto p = payments::proposeRenewal(*m_member, *type, m_changeGrade->isChecked(), m_context.clock().today());
    m_renewAmount->setText(payments::plainAmount(p.amount));
    m_renewExpiry->setText(p.expiry);
    m_renewVisits->setText(p.visits);
}

void ThyjfForm::previewCustom()
{
    if (!m_member)
        return;
    const auto p = payments::previewCustom(*m_member, m_customDays->text(), m_customVisits->text());
    m_customExpiry->setText(p.expiry);
    m_customVisitsPreview->setText(p.visits);
}

bool ThyjfForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_hint && event->type() == QEvent::MouseButtonPress) {
        m_hint->hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ThyjfForm::save()
{
    TvelunDMForm& dm = m_context.velunDMForm();
    const QString card = m_member ? m_member->cardNumber : QString();
    const CommandContext context = m_context.command().withSms(m_sms);
    if (const MaybeRefusal refusal = payments::precheck(context, card)) {
        Messages::refusal(this, *refusal);
        return;
    }
    const QDate today = context.now.date();
    std::optional<Outcome<payments::Payment>> outcome;
    // The prompt is answered before the save's transaction begins.
    switch (m_pages->currentIndex()) {
    case 0: {
        payments::RenewalInput input{card,
                                     m_renewType->currentIndex() < 0 ? QString() : m_renewType->currentText(),
                                     m_renewAmount->text(),
                                     m_renewRemark->text(),
                                     m_renewMethod->currentText(),
                                     m_changeGrade->isChecked()};
        // Input that can never be saved is refused before the operator answers the prompt.
        if (const MaybeRefusal refusal = payments::checkRenewal(input)) {
            m_fields.showRefusal(this, *refusal);
            return;
        }
        if (const auto dates = payments::renewalPrompt(dm, card, input.typeName, today))
            input.choice = m_prompt->ask(*m_member, input.typeName,
                                         payments::amountFromText(input.amount).value_or(Money()), *dates);
        outcome = payments::renew(context, input);
        break;
    }
    case 1: {
        payments::CustomInput input{card,
                                    m_customDays->text(),
                                    m_customVisits->text(),
                                    m_customAmount->text(),
                                    m_customRemark->text(),
                                    m_customMethod->currentText()};
        if (const MaybeRefusal refusal = payments::checkCustom(input)) {
            m_fields.showRefusal(this, *refusal);
            return;
        }
        if (const auto dates = payments::customPrompt(dm, card, input.days, today))
            input.choice = m_prompt->ask(*m_member, m_member->type,
                                         payments::amountFromText(input.amount).value_or(Money()), *dates);
        outcome = payments::renewCustom(context, input);
        break;
    }
    default:
        outcome = payments::recharge(context, {card, m_deposit->text(), m_paid->text(), m_rechargeRemark->text(),
                                               m_rechargeMethod->currentText()});
    }
    // A cancelled prompt shows nothing.
    if (outcome->refused()) {
        m_fields.showRefusal(this, outcome->refusal());
        return;
    }
    m_outcome = outcome->value();
    afterSaving();
}

void ThyjfForm::afterSaving()
{
    const CommandContext context = m_context.command().withSms(m_sms);
    Messages::smsResult(
        this, sms::sendAfterCommand(context, sms::AutoSwitch::Payment, m_outcome.mobile, m_outcome.smsText, m_call));
    TmypreviewForm::open(ThyczdjreportForm::build(m_outcome.receipt), parentWidget());
    accept();
}

} // namespace tkd::gui
