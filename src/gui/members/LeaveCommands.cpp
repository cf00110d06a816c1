#include "ThyqjForm.h"
#include "ThyqjlrForm.h"
#include "ThyxjForm.h"
#include "TxzjsrForm.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "app/Session.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/HistoryTabs.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "members/Leave.h"

namespace tkd::gui {

namespace {

// The leave row current in the desk's leave list, for the member shown; none without one.
std::optional<members::LeaveKey> deskLeave(CommandRegistry& r)
{
    DataGrid* leaves = r.desk()->tabs()->grid(QStringLiteral("leaveGrid"));
    if (leaves->currentRowIndex() < 0)
        return std::nullopt;
    return members::LeaveKey{leaves->currentValue(QStringLiteral("编号")).toInt(), r.shownMember()};
}

void showDeskAgain(CommandRegistry& r)
{
    r.desk()->refreshShown(HistoryTabs::Leave);
}

void endDeskLeave(CommandRegistry& r)
{
    const std::optional<members::LeaveKey> key = deskLeave(r);
    if (!key)
        return;
    Session& session = r.session();
    const Outcome<members::LeaveToEnd> leave = members::leaveToEnd(session.velunDMForm(), *key, session.now().date());
    if (leave.refused()) {
        Messages::refusal(r.frame(), leave.refusal());
        // The row may be gone or changed since the desk read it.
        showDeskAgain(r);
        return;
    }
    ThyxjForm* form = r.window<ThyxjForm>();
    form->prepare(*leave);
    if (form->exec() == QDialog::Accepted)
        showDeskAgain(r);
}

void deleteDeskLeave(CommandRegistry& r)
{
    const std::optional<members::LeaveKey> key = deskLeave(r);
    if (!key)
        return;
    Session& session = r.session();
    if (const MaybeRefusal refusal = members::checkLeaveDeletion(session.velunDMForm(), *key, session.now().date())) {
        Messages::refusal(r.frame(), *refusal);
        showDeskAgain(r);
        return;
    }
    if (!Messages::confirmDelete(r.frame()))
        return;
    const Outcome<> deleted = members::deleteLeave(session.command(), *key);
    if (deleted.refused())
        Messages::refusal(r.frame(), deleted.refusal());
    showDeskAgain(r);
}

} // namespace

void registerLeaveCommands(CommandRegistry& r)
{
    r.addWindow<ThyqjlrForm>([&r] {
        return new ThyqjlrForm(
            r.session(), [&r] { return r.window<TxzjsrForm>(); }, r.frame());
    });
    r.addWindow<ThyxjForm>([&r] { return new ThyxjForm(r.session(), r.frame()); });
    r.addWindow<ThyqjForm>([&r] {
        ThyqjForm::Windows windows;
        windows.entry = [&r] { return r.window<ThyqjlrForm>(); };
        windows.ending = [&r] { return r.window<ThyxjForm>(); };
        auto* form = new ThyqjForm(r.session(), std::move(windows), r.frame());
        // The list may change the leave of the member the desk shows.
        QObject::connect(form, &ThyqjForm::leaveChanged, &r, [&r](const QString& card) {
            if (!card.isEmpty() && card.compare(r.shownMember(), Qt::CaseInsensitive) == 0)
                showDeskAgain(r);
        });
        return form;
    });

    r.add({QStringLiteral("leaveManagement"), QStringLiteral("会员请假管理"), WithoutMember::Runs, [&r] {
               ThyqjForm* form = r.window<ThyqjForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("addLeave"), QStringLiteral("会员请假"), WithoutMember::Refuses, [&r] {
               ThyqjlrForm* form = r.window<ThyqjlrForm>();
               if (form->prepareForMember(r.shownMember()) && form->exec() == QDialog::Accepted)
                   showDeskAgain(r);
           }});
    // Both act on the current row of the desk's leave list, which is empty without a member.
    r.add({QStringLiteral("deleteLeave"), QStringLiteral("删除请假"), WithoutMember::DoesNothing,
           [&r] { deleteDeskLeave(r); }});
    r.add({QStringLiteral("endLeave"), QStringLiteral("会员销假"), WithoutMember::DoesNothing,
           [&r] { endDeskLeave(r); }});
    QObject::connect(r.desk()->tabs()->grid(QStringLiteral("leaveGrid")), &DataGrid::rowDoubleClicked, &r,
                     [&r] { r.run(QStringLiteral("endLeave")); });
}

} // namespace tkd::gui
