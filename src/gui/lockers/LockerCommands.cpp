#include "DeskLockers.h"
#include "ThytgForm.h"
#include "TxzygForm.h"
#include "TygglForm.h"
#include "TygszForm.h"
#include "TygxfForm.h"
#include "app/AppContext.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "members/TxzjsrForm.h"

namespace tkd::gui {

void registerLockerWindows(CommandRegistry& r)
{
    r.addWindow<TxzygForm>([&r] { return new TxzygForm(r.session(), r.frame()); });
    r.addWindow<TygszForm>([&r] { return new TygszForm(r.session(), r.frame()); });
    r.addWindow<TygglForm>([&r] {
        auto* form = new TygglForm(r.session(), r.window<TxzjsrForm>(), r.frame());
        QObject::connect(form, &TygglForm::memberLockerChanged, &r,
                         [&r](const QString& card) { deskLockerChanged(r, card); });
        return form;
    });
    // The desk's own renewal and return; the management window has its pair.
    r.addWindow<TygxfForm>([&r] { return new TygxfForm(r.session(), r.frame()); });
    r.addWindow<ThytgForm>([&r] { return new ThytgForm(r.session(), r.frame()); });

    r.add({QStringLiteral("lockerSetup"), QStringLiteral("衣柜设置"), WithoutMember::Runs, [&r] {
               TygszForm* form = r.window<TygszForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("lockerQuery"), QStringLiteral("衣柜查询管理"), WithoutMember::Runs, [&r] {
               TygglForm* form = r.window<TygglForm>();
               form->prepare();
               form->exec();
           }});
    r.add({QStringLiteral("chooseLocker"), {}, WithoutMember::Refuses, [&r] { deskLockerButton(r); }});
}

} // namespace tkd::gui
