#include "DeskLockers.h"

#include "TczygreportForm.h"
#include "ThytgForm.h"
#include "TxzygForm.h"
#include "TygxfForm.h"
#include "app/CommandRegistry.h"
#include "app/Session.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/MemberPanel.h"
#include "kit/report/TmypreviewForm.h"
#include "lockers/Rentals.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>

namespace tkd::gui {

namespace {

void chooseLocker(CommandRegistry& r, const QString& card)
{
    MemberPanel* panel = r.desk()->panel();
    TxzygForm* chooser = r.window<TxzygForm>();
    chooser->prepare(TxzygForm::Mode::FrontDesk, card, panel->value(QStringLiteral("会员名称："))->text(),
                     panel->value(QStringLiteral("会员类型："))->text());
    if (chooser->exec() != QDialog::Accepted)
        return;
    const lockers::RentalTicket ticket = chooser->ticket();
    r.desk()->refreshShown();
    if (chooser->printTicket())
        TmypreviewForm::open(TczygreportForm::build(r.session().velunDMForm(), ticket, TczygreportForm::Kind::Rental),
                             r.frame());
}

// What the desk's renewal and return show: the desk names the locker by its number and the renter
// as the panel shows the member.
lockers::LockerView asTheDeskShowsIt(CommandRegistry& r, lockers::LockerView locker)
{
    locker.name = locker.number + QStringLiteral("衣柜");
    locker.memberName = r.desk()->panel()->value(QStringLiteral("会员名称："))->text();
    return locker;
}

void renew(CommandRegistry& r, const lockers::LockerView& locker)
{
    TygxfForm* renewal = r.window<TygxfForm>();
    renewal->prepare(asTheDeskShowsIt(r, locker));
    if (renewal->exec() != QDialog::Accepted)
        return;
    const lockers::RentalTicket ticket = renewal->ticket();
    r.desk()->refreshShown();
    if (renewal->printTicket())
        TmypreviewForm::open(TczygreportForm::build(r.session().velunDMForm(), ticket, TczygreportForm::Kind::Renewal),
                             r.frame());
}

void giveBack(CommandRegistry& r, const lockers::LockerView& locker)
{
    ThytgForm* giveBack = r.window<ThytgForm>();
    giveBack->prepare(asTheDeskShowsIt(r, locker));
    if (giveBack->exec() == QDialog::Accepted)
        r.desk()->refreshShown();
}

} // namespace

void deskLockerButton(CommandRegistry& r)
{
    MemberPanel* panel = r.desk()->panel();
    const QString card = panel->shownCardNumber();
    if (card.isEmpty())
        return;
    const QString number = panel->value(QStringLiteral("衣柜编号："))->text();
    // A number on the member's row that names no locker of theirs counts as none.
    const std::optional<lockers::LockerView> locker = lockers::deskLocker(r.session().velunDMForm(), card, number);
    if (!locker) {
        chooseLocker(r, card);
        return;
    }
    if (locker->temporary) {
        giveBack(r, *locker);
        return;
    }
    QMenu menu(r.frame());
    menu.setObjectName(QStringLiteral("lockerMenu"));
    QAction* renewal = menu.addAction(QStringLiteral("衣柜续费"));
    QAction* back = menu.addAction(QStringLiteral("会员退柜"));
    QAction* picked = menu.exec(QCursor::pos());
    if (picked == renewal)
        renew(r, *locker);
    else if (picked == back)
        giveBack(r, *locker);
}

void deskLockerChanged(CommandRegistry& r, const QString& cardNumber)
{
    const QString shown = r.desk()->panel()->shownCardNumber();
    if (!shown.isEmpty() && shown.compare(cardNumber, Qt::CaseInsensitive) == 0)
        r.desk()->refreshShown();
}

} // namespace tkd::gui
