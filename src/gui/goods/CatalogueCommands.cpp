#include "TspxxForm.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerCatalogueCommands(CommandRegistry& r)
{
    r.addWindow<TspxxForm>([&r] { return new TspxxForm(r.session(), r.frame()); });
    r.add({QStringLiteral("goodsCatalogue"), QStringLiteral("商品基本信息"), WithoutMember::Runs, [&r] {
               TspxxForm* form = r.window<TspxxForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
