#include "ThydjszForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerCardTypeCommands(CommandRegistry& r)
{
    r.addWindow<ThydjszForm>([&r] { return new ThydjszForm(r.session(), r.frame()); });
    r.add({QStringLiteral("cardTypes"), QStringLiteral("会员类型设置"), WithoutMember::Runs, [&r] {
               ThydjszForm* form = r.window<ThydjszForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
