#include "TxzygForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

// The locker commands come with the locker windows; the chooser serves registration already.
void registerLockerWindows(CommandRegistry& r)
{
    r.addWindow<TxzygForm>([&r] { return new TxzygForm(r.session(), r.frame()); });
}

} // namespace tkd::gui
