#include "TdhspForm.h"
#include "app/AreaCommands.h"
#include "app/CommandRegistry.h"
#include "app/Session.h"
#include "frontdesk/FrontDesk.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "points/Exchange.h"
#include "settings/TqtszForm.h"

namespace tkd::gui {

namespace {

// "删除商品": the exchange history's current row undone for the member shown.
void undoShownExchange(CommandRegistry& r)
{
    FrontDesk* desk = r.desk();
    const Value id = desk->tabs()->grid(QStringLiteral("exchangeGrid"))->currentValue(QStringLiteral("编号"));
    if (id.isNull())
        return;
    if (!Messages::confirmDelete(r.frame()))
        return;
    const Outcome<points::UndoneExchange> undone =
        points::undoExchange(r.session().command(), r.shownMember(), id.toInt());
    if (undone.refused())
        Messages::refusal(r.frame(), undone.refusal());
    // A refused undo found the list stale: it is read again either way.
    desk->refreshShown(HistoryTabs::Exchanges);
}

} // namespace

void registerPointsCommands(CommandRegistry& r)
{
    r.addWindow<TdhspForm>([&r] {
        return new TdhspForm(
            r.session(), [&r] { return r.window<TqtszForm>(); }, r.frame());
    });
    r.add({QStringLiteral("addExchange"), QStringLiteral("增加兑换商品"), WithoutMember::Refuses, [&r] {
               TdhspForm* form = r.window<TdhspForm>();
               if (form->prepare(r.shownMember()) && form->exec() == QDialog::Accepted)
                   r.desk()->refreshShown(HistoryTabs::Exchanges);
           }});
    r.add({QStringLiteral("deleteExchange"), QStringLiteral("删除兑换商品"), WithoutMember::DoesNothing,
           [&r] { undoShownExchange(r); }});
}

} // namespace tkd::gui
