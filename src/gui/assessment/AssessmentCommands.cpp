#include "TbkjbForm.h"
#include "TxykhForm.h"
#include "TxykhcxForm.h"
#include "TxykhlrForm.h"
#include "TxykhpllrForm.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"

namespace tkd::gui {

void registerAssessmentCommands(CommandRegistry& r)
{
    r.addWindow<TxykhlrForm>([&r] { return new TxykhlrForm(r.session(), r.frame()); });
    r.addWindow<TxykhpllrForm>([&r] { return new TxykhpllrForm(r.session(), r.frame()); });
    r.addWindow<TxykhcxForm>([&r] { return new TxykhcxForm(r.session(), r.frame()); });
    r.addWindow<TbkjbForm>([&r] { return new TbkjbForm(r.session(), r.frame()); });
    r.addWindow<TxykhForm>([&r] {
        TxykhForm::Windows windows;
        windows.entry = [&r] { return r.window<TxykhlrForm>(); };
        windows.batch = [&r] { return r.window<TxykhpllrForm>(); };
        windows.search = [&r] { return r.window<TxykhcxForm>(); };
        windows.levels = [&r] { return r.window<TbkjbForm>(); };
        return new TxykhForm(r.session(), std::move(windows), r.frame());
    });

    r.add({QStringLiteral("assessmentManagement"), QStringLiteral("学员考核管理"), WithoutMember::Runs, [&r] {
               TxykhForm* form = r.window<TxykhForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
