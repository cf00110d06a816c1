#include "TspjhForm.h"
#include "TspthForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerPurchasingCommands(CommandRegistry& r)
{
    r.addWindow<TspjhForm>([&r] { return new TspjhForm(r.session(), r.frame()); });
    r.addWindow<TspthForm>([&r] { return new TspthForm(r.session(), r.frame()); });
    r.add({QStringLiteral("purchasing"), QStringLiteral("商品进货"), WithoutMember::Runs, [&r] {
               TspjhForm* form = r.window<TspjhForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("supplierReturns"), QStringLiteral("商品退货"), WithoutMember::Runs, [&r] {
               TspthForm* form = r.window<TspthForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
