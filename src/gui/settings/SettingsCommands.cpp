#include "TqtszForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "settings/OtherSettings.h"

namespace tkd::gui {

void registerSettingsCommands(CommandRegistry& r)
{
    // The settings switch the desk's mode: they hold the whole context.
    r.addWindow<TqtszForm>([&r] {
        auto* form = new TqtszForm(r.app(), r.frame());
        QObject::connect(form, &TqtszForm::saved, &r,
                         [&r](const settings::OtherSettings& s) { Q_EMIT r.deskModeChanged(s.unattended); });
        return form;
    });
    r.add({QStringLiteral("otherSettings"), QStringLiteral("其它设置"), WithoutMember::Runs, [&r] {
               TqtszForm* form = r.window<TqtszForm>();
               form->prepare(TqtszForm::Opener::MainWindow);
               form->exec();
           }});
}

} // namespace tkd::gui
