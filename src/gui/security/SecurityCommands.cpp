#include "TchangemmForm.h"
#include "TczszForm.h"
#include "TreloginForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerSecurityCommands(CommandRegistry& r)
{
    r.addWindow<TchangemmForm>([&r] { return new TchangemmForm(r.session(), r.frame()); });
    // The shift change sets the current operator: it holds the whole context.
    r.addWindow<TreloginForm>([&r] {
        auto* form = new TreloginForm(r.app(), r.frame());
        QObject::connect(form, &TreloginForm::operatorChanged, &r, &CommandRegistry::operatorChanged);
        return form;
    });
    r.addWindow<TczszForm>([&r] { return new TczszForm(r.session(), r.frame()); });

    r.add({QStringLiteral("changePassword"), {}, WithoutMember::Runs, [&r] {
               TchangemmForm* form = r.window<TchangemmForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("shiftChange"), {}, WithoutMember::Runs, [&r] {
               TreloginForm* form = r.window<TreloginForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("permissions"), QStringLiteral("操作权限"), WithoutMember::Runs, [&r] {
               TczszForm* form = r.window<TczszForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
