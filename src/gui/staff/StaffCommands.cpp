#include "TyuangszForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerStaffCommands(CommandRegistry& r)
{
    r.addWindow<TyuangszForm>([&r] { return new TyuangszForm(r.session(), r.frame()); });
    r.add({QStringLiteral("staff"), QStringLiteral("员工设置"), WithoutMember::Runs, [&r] {
               TyuangszForm* form = r.window<TyuangszForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
