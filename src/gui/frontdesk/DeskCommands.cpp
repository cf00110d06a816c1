#include "FrontDesk.h"
#include "ThydjForm.h"
#include "TxzjlForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "members/TxzjsrForm.h"

namespace tkd::gui {

void registerDeskCommands(CommandRegistry& r)
{
    r.addWindow<ThydjForm>([&r] { return new ThydjForm(r.frame()); });
    r.addWindow<TxzjlForm>([&r] { return new TxzjlForm(r.session(), r.frame()); });
    // One member picker for every window that picks a member; each sets its mode.
    r.addWindow<TxzjsrForm>([&r] { return new TxzjsrForm(r.session(), r.frame()); });

    FrontDesk* desk = r.desk();
    r.add({QStringLiteral("clearPanel"), {}, WithoutMember::Runs, [desk] { desk->clear(); }});
    r.add({QStringLiteral("browseMembers"), {}, WithoutMember::Runs, [&r, desk] {
               desk->browseMembers(r.window<TxzjsrForm>());
           }});
    r.add({QStringLiteral("checkIn"), QStringLiteral("学员登记"), WithoutMember::Refuses,
           [&r, desk] { desk->checkIn(r.window<ThydjForm>()); }});
    // Super user only: the desk makes that check itself.
    r.add({QStringLiteral("deleteVisit"), {}, WithoutMember::Runs, [desk] { desk->deleteVisit(); }});
    r.add({QStringLiteral("chooseCoach"), {}, WithoutMember::Refuses, [&r, desk] {
               desk->coachButton(r.window<TxzjlForm>());
           }});
}

} // namespace tkd::gui
