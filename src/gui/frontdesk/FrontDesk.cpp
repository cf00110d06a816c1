#include "FrontDesk.h"

#include "HistoryTabs.h"
#include "MemberPanel.h"
#include "ThydjForm.h"
#include "TxzjlForm.h"
#include "TxzjsrForm.h"
#include "app/AppContext.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/MemberLookup.h"
#include "kit/BackgroundSends.h"
#include "kit/DataGrid.h"
#include "kit/GatewayCalls.h"
#include "kit/Messages.h"
#include "members/Registration.h"
#include "members/TphotoForm.h"
#include "payments/PaymentSaving.h"
#include "security/Permissions.h"
#include "sms/AutoSms.h"

#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace tkd::gui {

namespace {

const QString kNoMember = QStringLiteral("XXXYYYZZZ");

void showOutcome(MemberPanel* panel, const frontdesk::Visit& outcome)
{
    panel->setValue(QStringLiteral("开卡日期："), outcome.opened);
    panel->setValue(QStringLiteral("到期日期："), outcome.expiry);
    panel->setValue(QStringLiteral("累计刷卡："), outcome.swipes);
    if (outcome.countCard)
        panel->setValue(QStringLiteral("剩余次数："), outcome.visitsLeft);
}

} // namespace

FrontDesk::FrontDesk(AppContext& context, MemberPanel* panel, HistoryTabs* tabs, QWidget* window)
    : QObject(window), m_context(context), m_panel(panel), m_tabs(tabs), m_window(window),
      m_call(kit::nonFreezingGatewayCall(window)), m_background(new kit::BackgroundSends(this)),
      m_memberPicker(new TxzjsrForm(context, window)), m_coachPicker(new TxzjlForm(context, window)),
      m_confirmation(new ThydjForm(window))
{
    connect(panel, &MemberPanel::cardNumberEntered, this, &FrontDesk::lookUp);
    panel->photo()->installEventFilter(this);
}

bool FrontDesk::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel->photo() && event->type() == QEvent::MouseButtonDblClick) {
        TphotoForm::enlarge(m_window, m_photoPath);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void FrontDesk::showPayment(const payments::Payment& payment)
{
    m_panel->setValue(QStringLiteral("到期日期："), payment.expiry);
    m_panel->setValue(QStringLiteral("会员类型："), payment.type);
    m_panel->setValue(QStringLiteral("剩余次数："), payment.visitsLeft);
    m_panel->setValue(QStringLiteral("卡内余额："), payment.balance);
    const QString card = m_panel->shownCardNumber();
    m_tabs->show({{QStringLiteral("ADOQ_hyczjl"),
                   m_context.velunDMForm().open(QStringLiteral("ADOQ_hyczjl"), {{QStringLiteral("hykh"), card}})}});
}

void FrontDesk::showEdited(const members::MemberInput& m)
{
    m_panel->setValue(QStringLiteral("会员卡号："), m.cardNumber.trimmed());
    m_panel->setValue(QStringLiteral("会员名称："), m.name.trimmed());
    m_panel->setValue(QStringLiteral("移动电话："), m.mobile.trimmed());
    m_panel->setValue(QStringLiteral("固定电话："), m.phone.trimmed());
    m_panel->setValue(QStringLiteral("衣柜编号："), m.locker.trimmed());
    m_panel->setValue(QStringLiteral("会员类型："), m.type.trimmed());
    m_panel->setValue(QStringLiteral("教练姓名："), m.coach.trimmed());
    m_panel->setValue(QStringLiteral("会籍顾问："), m.consultant.trimmed());
}

bool FrontDesk::show(const QString& cardNumber)
{
    TvelunDMForm& dm = m_context.velunDMForm();
    const QDate today = m_context.clock().now().date();
    const auto found = frontdesk::lookUpAtDesk(dm, cardNumber, today);
    QLineEdit* field = m_panel->cardNumberEdit();
    if (!found) {
        Messages::warning(m_window, QStringLiteral("会员卡号不存在！"));
        field->clear();
        field->setFocus();
        return false;
    }
    // Only a photo that could be read is offered to the photo window.
    m_photoPath = m_panel->show(found->member) ? found->member.photoPath : QString();
    m_tabs->show(found->history);
    return true;
}

void FrontDesk::lookUp(const QString& typed)
{
    const QString card = typed.trimmed();
    if (card.isEmpty())
        return;
    if (!show(card))
        return;
    if (m_context.unattended())
        checkInUnattended();
    else
        m_panel->cardNumberEdit()->clear();
    m_panel->cardNumberEdit()->setFocus();
}

void FrontDesk::checkInUnattended()
{
    TvelunDMForm& dm = m_context.velunDMForm();
    if (const MaybeRefusal refusal =
            security::checkPermission(dm, m_context.currentOperator(), QStringLiteral("学员登记"))) {
        Messages::refusal(m_window, *refusal);
        return;
    }
    const CommandContext context = m_context.command().withSms(m_context.sms());
    const auto outcome = frontdesk::checkIn(context, m_panel->shownCardNumber());
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    showOutcome(m_panel, *outcome);
    m_tabs->loadVisits(dm);
    sendCheckInSms(context, *outcome, true);
    m_panel->cardNumberEdit()->clear();
}

void FrontDesk::checkIn()
{
    TvelunDMForm& dm = m_context.velunDMForm();
    const QString card = m_panel->shownCardNumber();
    const auto check = frontdesk::prepareAttended(dm, card, m_context.clock().now());
    if (!check) {
        Messages::warning(m_window, QStringLiteral("会员卡号不存在！"));
        return;
    }
    m_confirmation->prepare(check->notices, check->photoPath);
    if (m_confirmation->exec() != QDialog::Accepted)
        return;
    if (check->refusal) {
        Messages::warning(m_window, check->refusal->message);
        return;
    }
    const CommandContext context = m_context.command().withSms(m_context.sms());
    const auto outcome = frontdesk::checkIn(context, card);
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    showOutcome(m_panel, *outcome);
    m_tabs->loadVisits(dm);
    Messages::warning(m_window, QStringLiteral("登记成功，欢迎光临！"));
    sendCheckInSms(context, *outcome, false);
}

void FrontDesk::sendCheckInSms(const CommandContext& context, const frontdesk::Visit& visit, bool quiet)
{
    if (!quiet) {
        Messages::smsResult(
            m_window, sms::sendAfterCommand(context, sms::AutoSwitch::CheckIn, visit.mobile, visit.smsText, m_call));
        return;
    }
    // Unattended: nobody reads the outcome, and the next member must be able to swipe meanwhile.
    const auto post = [this](const QString& url, const QByteArray& line) {
        m_background->post(url, line,
                           [this](const sms::GatewayReply& reply) { sms::takeSendReply(m_context.sms(), reply); });
    };
    if (const auto held = sms::postAfterCommand(context, sms::AutoSwitch::CheckIn, visit.mobile, visit.smsText, post))
        Messages::smsResult(m_window, *held);
}

void FrontDesk::deleteVisit()
{
    if (const MaybeRefusal refusal =
            security::requireSuperUser(m_context.currentOperator(), security::SuperUserOperation::DeleteVisit)) {
        Messages::refusal(m_window, *refusal);
        return;
    }
    if (!Messages::confirm(m_window, QStringLiteral("确定删除本次登记记录吗？")))
        return;
    DataGrid* visits = m_tabs->grid(QStringLiteral("visitGrid"));
    if (visits->currentRowIndex() < 0 || m_panel->shownCardNumber().isEmpty())
        return;
    TvelunDMForm& dm = m_context.velunDMForm();
    const auto outcome = frontdesk::deleteVisit(m_context.command(), m_panel->shownCardNumber(),
                                                visits->currentValue(QStringLiteral("编号")).toInt());
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    showOutcome(m_panel, *outcome);
    m_tabs->loadVisits(dm);
}

void FrontDesk::clear()
{
    m_photoPath.clear();
    m_panel->clear();
    TvelunDMForm& dm = m_context.velunDMForm();
    frontdesk::clearMemberLists(dm);
    m_tabs->load(dm, kNoMember);
    m_panel->cardNumberEdit()->setFocus();
}

void FrontDesk::coachButton()
{
    if (m_panel->value(QStringLiteral("教练姓名："))->text().isEmpty()) {
        chooseCoach();
        return;
    }
    QMenu menu(m_window);
    menu.setObjectName(QStringLiteral("coachMenu"));
    QAction* choose = menu.addAction(QStringLiteral("选择教练"));
    QAction* clearIt = menu.addAction(QStringLiteral("清除教练"));
    QAction* picked = menu.exec(QCursor::pos());
    if (picked == choose)
        chooseCoach();
    else if (picked == clearIt)
        clearCoach();
}

void FrontDesk::chooseCoach()
{
    const QString card = m_panel->shownCardNumber();
    if (card.isEmpty()) {
        Messages::warning(m_window, QStringLiteral("请首先选择会员！"));
        return;
    }
    m_coachPicker->prepare(card);
    if (m_coachPicker->exec() == QDialog::Accepted)
        m_panel->setValue(QStringLiteral("教练姓名："), m_coachPicker->chosenCoach());
}

void FrontDesk::clearCoach()
{
    const QString card = m_panel->shownCardNumber();
    if (card.isEmpty()) {
        Messages::warning(m_window, QStringLiteral("请首先选择会员！"));
        return;
    }
    frontdesk::setCoach(m_context.command(), card, QString());
    m_panel->setValue(QStringLiteral("教练姓名："), QString());
}

void FrontDesk::browseMembers()
{
    m_memberPicker->prepare(TxzjsrForm::Mode::FrontDesk);
    if (m_memberPicker->exec() != QDialog::Accepted)
        return;
    // The picker shows the member without the unattended check-in.
    m_panel->cardNumberEdit()->setText(m_memberPicker->pickedCardNumber());
    show(m_memberPicker->pickedCardNumber());
    m_panel->cardNumberEdit()->clear();
}

} // namespace tkd::gui
