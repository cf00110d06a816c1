#include "ThyxfForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "frontdesk/FrontDesk.h"

namespace tkd::gui {

void registerCheckoutCommands(CommandRegistry& r)
{
    r.addWindow<ThyxfForm>([&r] {
        auto* form = new ThyxfForm(r.session(), r.app().sms(), r.frame());
        FrontDesk* desk = r.desk();
        // The panel's balance and points and the consumption list, before the receipt is shown.
        form->setAfterSale([desk] { desk->refreshShown(HistoryTabs::Consumption); });
        return form;
    });
    r.add({QStringLiteral("addConsumption"), QStringLiteral("增加消费"), WithoutMember::Refuses, [&r] {
               ThyxfForm* form = r.window<ThyxfForm>();
               if (form->prepare(r.shownMember()))
                   form->exec();
           }});
}

} // namespace tkd::gui
