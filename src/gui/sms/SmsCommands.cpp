#include "TfsdxForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerSmsCommands(CommandRegistry& r)
{
    // The SMS window logs in and out of the gateway: it holds the whole context.
    r.addWindow<TfsdxForm>([&r] { return new TfsdxForm(r.app(), r.frame()); });
    r.add({QStringLiteral("smsBroadcast"), {}, WithoutMember::Runs, [&r] {
               TfsdxForm* form = r.window<TfsdxForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
