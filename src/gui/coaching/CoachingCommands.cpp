#include "TgmsjForm.h"
#include "TsjglForm.h"
#include "TsjxfForm.h"
#include "TsjxmglForm.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "app/Session.h"
#include "frontdesk/FrontDesk.h"
#include "kit/Messages.h"
#include "members/TxzjsrForm.h"
#include "security/Permissions.h"

namespace tkd::gui {

void registerCoachingCommands(CommandRegistry& r)
{
    const auto picker = [&r] { return r.window<TxzjsrForm>(); };
    r.addWindow<TgmsjForm>([&r, picker] { return new TgmsjForm(r.session(), picker, r.frame()); });
    r.addWindow<TsjxfForm>([&r, picker] { return new TsjxfForm(r.session(), picker, r.frame()); });
    r.addWindow<TsjxmglForm>([&r] { return new TsjxmglForm(r.session(), r.frame()); });
    r.addWindow<TsjglForm>([&r] {
        TsjglForm::Windows windows;
        windows.purchase = [&r] { return r.window<TgmsjForm>(); };
        windows.booking = [&r] { return r.window<TsjxfForm>(); };
        windows.items = [&r] { return r.window<TsjxmglForm>(); };
        // A purchase needs its own right, from the management window as from the desk.
        windows.mayBuy = [&r] {
            Session& session = r.session();
            const MaybeRefusal refusal =
                security::checkPermission(session.velunDMForm(), session.currentOperator(), QStringLiteral("购买私教"));
            if (refusal)
                Messages::refusal(r.window<TsjglForm>(), *refusal);
            return !refusal;
        };
        return new TsjglForm(r.session(), std::move(windows), r.frame());
    });

    r.add({QStringLiteral("coachingManagement"), QStringLiteral("私教管理"), WithoutMember::Runs, [&r] {
               TsjglForm* form = r.window<TsjglForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("buyCoaching"), QStringLiteral("购买私教"), WithoutMember::Refuses, [&r] {
               TgmsjForm* form = r.window<TgmsjForm>();
               if (form->prepareForMember(r.shownMember()) && form->exec() == QDialog::Accepted)
                   r.desk()->refreshShown(HistoryTabs::Coaching);
           }});
    r.add({QStringLiteral("addLesson"), {}, WithoutMember::Refuses, [&r] {
               TsjxfForm* form = r.window<TsjxfForm>();
               if (form->prepareForMember(r.shownMember()) && form->exec() == QDialog::Accepted)
                   r.desk()->refreshShown(HistoryTabs::Coaching);
           }});
}

} // namespace tkd::gui
