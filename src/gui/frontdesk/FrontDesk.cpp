#include "FrontDesk.h"

#include "HistoryTabs.h"
#include "MemberPanel.h"
#include "ThydjForm.h"
#include "TxzjlForm.h"
#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/MemberLookup.h"
#include "kit/BackgroundSends.h"
#include "kit/DataGrid.h"
#include "kit/GatewayCalls.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "members/TphotoForm.h"
#include "members/TxzjsrForm.h"
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

} // namespace

FrontDesk::FrontDesk(Session& session, SmsState& sms, MemberPanel* panel, HistoryTabs* tabs, QWidget* window)
    : QObject(window), m_context(session), m_sms(sms), m_panel(panel), m_tabs(tabs), m_window(window),
      m_call(kit::nonFreezingGatewayCall(window)), m_background(new kit::BackgroundSends(this))
{
    connect(panel, &MemberPanel::cardNumberEntered, this,
            kit::guard(window, [this](const QString& typed) { lookUp(typed); }));
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

void FrontDesk::refreshShown(HistoryTabs::Lists lists)
{
    const QString card = m_panel->shownCardNumber();
    if (card.isEmpty())
        return;
    // Everything is read before anything is shown, so a failed read leaves the panel as it was.
    const auto again = frontdesk::lookUpAgain(m_context.velunDMForm(), card, m_context.clock().today(),
                                              lists ? HistoryTabs::entries(lists) : QStringList());
    if (!again)
        return;
    m_photoPath = m_panel->show(again->member) ? again->member.photoPath : QString();
    if (lists)
        m_tabs->show(again->history, lists);
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
    const CommandContext context = m_context.command().withSms(m_sms);
    const auto outcome = frontdesk::checkIn(context, m_panel->shownCardNumber());
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    refreshShown(HistoryTabs::Visits);
    sendCheckInSms(context, *outcome, true);
    m_panel->cardNumberEdit()->clear();
}

void FrontDesk::checkIn(ThydjForm* confirmation)
{
    TvelunDMForm& dm = m_context.velunDMForm();
    const QString card = m_panel->shownCardNumber();
    const auto check = frontdesk::prepareAttended(dm, card, m_context.clock().now());
    if (!check) {
        Messages::warning(m_window, QStringLiteral("会员卡号不存在！"));
        return;
    }
    confirmation->prepare(check->notices, check->photoPath);
    if (confirmation->exec() != QDialog::Accepted)
        return;
    if (check->refusal) {
        Messages::warning(m_window, check->refusal->message);
        return;
    }
    const CommandContext context = m_context.command().withSms(m_sms);
    const auto outcome = frontdesk::checkIn(context, card);
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    refreshShown(HistoryTabs::Visits);
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
    // Unattended: nobody reads the outcome, and the next member must be able to swipe meanwhile. The
    // reply counts only while the login it was sent under lasts.
    const auto post = [this](const QString& url, const QByteArray& line, quint64 sentInSession) {
        m_background->post(url, line, [this, sentInSession](const sms::GatewayReply& reply) {
            sms::takeSendReply(m_sms, reply, sentInSession);
        });
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
    const auto outcome = frontdesk::deleteVisit(m_context.command(), m_panel->shownCardNumber(),
                                                visits->currentValue(QStringLiteral("编号")).toInt());
    if (outcome.refused()) {
        Messages::refusal(m_window, outcome.refusal());
        return;
    }
    refreshShown(HistoryTabs::Visits);
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

void FrontDesk::coachButton(TxzjlForm* picker)
{
    if (m_panel->value(QStringLiteral("教练姓名："))->text().isEmpty()) {
        chooseCoach(picker);
        return;
    }
    QMenu menu(m_window);
    menu.setObjectName(QStringLiteral("coachMenu"));
    QAction* choose = menu.addAction(QStringLiteral("选择教练"));
    QAction* clearIt = menu.addAction(QStringLiteral("清除教练"));
    QAction* picked = menu.exec(QCursor::pos());
    if (picked == choose)
        chooseCoach(picker);
    else if (picked == clearIt)
        clearCoach();
}

void FrontDesk::chooseCoach(TxzjlForm* picker)
{
    const QString card = m_panel->shownCardNumber();
    if (card.isEmpty()) {
        Messages::warning(m_window, QStringLiteral("请首先选择会员！"));
        return;
    }
    picker->prepare(card);
    if (picker->exec() == QDialog::Accepted)
        m_panel->setValue(QStringLiteral("教练姓名："), picker->chosenCoach());
}

void FrontDesk::clearCoach()
{
    const QString card = m_panel->shownCardNumber();
    if (card.isEmpty()) {
        Messages::warning(m_window, QStringLiteral("请首先选择会员！"));
        return;
    }
    if (const Outcome<> cleared = frontdesk::setCoach(m_context.command(), card, QString()); cleared.refused()) {
        Messages::refusal(m_window, cleared.refusal());
        return;
    }
    m_panel->setValue(QStringLiteral("教练姓名："), QString());
}

void FrontDesk::browseMembers(TxzjsrForm* picker)
{
    picker->prepare(TxzjsrForm::Mode::FrontDesk);
    if (picker->exec() != QDialog::Accepted)
        return;
    // The picker shows the member without the unattended check-in.
    m_panel->cardNumberEdit()->setText(picker->pickedCardNumber());
    show(picker->pickedCardNumber());
    m_panel->cardNumberEdit()->clear();
}

} // namespace tkd::gui
