#include "ThyxxlrForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "frontdesk/FrontDesk.h"
#include "kit/Messages.h"
#include "lockers/TxzygForm.h"
#include "members/TxzjsrForm.h"

namespace tkd::gui {

void registerMemberCommands(CommandRegistry& r)
{
    r.addWindow<ThyxxlrForm>([&r] {
        return new ThyxxlrForm(r.session(), r.app().sms(), r.window<TxzygForm>(), r.window<TxzjsrForm>(), r.frame());
    });

    r.add({QStringLiteral("addMember"), QStringLiteral("添加会员"), WithoutMember::Runs, [&r] {
               ThyxxlrForm* form = r.window<ThyxxlrForm>();
               form->prepareAdd(ThyxxlrForm::Opener::FrontDesk);
               form->exec();
           }});
    r.add({QStringLiteral("editMember"), QStringLiteral("修改会员"), WithoutMember::Refuses, [&r] {
               ThyxxlrForm* form = r.window<ThyxxlrForm>();
               if (!form->prepareEdit(ThyxxlrForm::Opener::FrontDesk, r.shownMember())) {
                   Messages::warning(r.frame(), QStringLiteral("会员卡号不存在！"));
                   return;
               }
               if (form->exec() == QDialog::Accepted)
                   r.desk()->refreshShown();
           }});
}

} // namespace tkd::gui
