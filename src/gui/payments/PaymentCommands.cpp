#include "ThyczjlreportForm.h"
#include "ThyjfForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "frontdesk/FrontDesk.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "members/TxzjsrForm.h"

namespace tkd::gui {

void registerPaymentCommands(CommandRegistry& r)
{
    r.addWindow<ThyjfForm>(
        [&r] { return new ThyjfForm(r.session(), r.app().sms(), r.window<TxzjsrForm>(), r.frame()); });

    r.add({QStringLiteral("addPayment"), QStringLiteral("增加交费"), WithoutMember::Refuses, [&r] {
               ThyjfForm* form = r.window<ThyjfForm>();
               if (!form->prepare(ThyjfForm::Opener::FrontDesk, r.shownMember())) {
                   Messages::warning(r.frame(), QStringLiteral("会员卡号不存在！"));
                   return;
               }
               if (form->exec() == QDialog::Accepted)
                   r.desk()->refreshShown(HistoryTabs::Payments);
           }});
    // With no member shown the print does nothing, as the tab's own button always did.
    r.add({QStringLiteral("printPayments"), {}, WithoutMember::DoesNothing, [&r] {
               Session& s = r.session();
               TmypreviewForm::open(ThyczjlreportForm::forMember(s.velunDMForm(), r.shownMember(), s.now()), r.frame());
           }});
}

} // namespace tkd::gui
