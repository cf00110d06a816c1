#include "TczygreportForm.h"

#include "lockers/Rentals.h"
#include "settings/UserInfo.h"

namespace tkd::gui {

namespace {

QString dayText(const QDate& day)
{
    return day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

} // namespace

Report TczygreportForm::build(TvelunDMForm& dm, const lockers::RentalTicket& ticket, Kind kind)
{
    const bool renewal = kind == Kind::Renewal;
    Report report(Paper::Receipt58, renewal ? QStringLiteral("衣柜续费") : QStringLiteral("出租衣柜"));
    report.addHeaderLine(QStringLiteral("衣柜编号:") + ticket.lockerNumber);
    report.addHeaderLine(QStringLiteral("衣柜名称:") + ticket.lockerName);
    report.addHeaderLine(QStringLiteral("租用会员:") + ticket.memberName + QStringLiteral("(") + ticket.cardNumber +
                         QStringLiteral(")"));
    report.addHeaderLine(QStringLiteral("衣柜押金:") + ticket.deposit.toYuanText());
    if (renewal)
        report.addHeaderLine(QStringLiteral("续费金额:") + ticket.amount.toYuanText());
    else if (ticket.temporary)
        report.addHeaderLine(QStringLiteral("出租类型:临时租用"));
    else
        report.addHeaderLine(QStringLiteral("收费租金:") + ticket.amount.toYuanText());
    report.addHeaderLine(QStringLiteral("起始日期:") + dayText(ticket.start));
    report.addHeaderLine(QStringLiteral("结束日期:") + dayText(ticket.end));
    const UserInfo hall = UserInfo::load(dm);
    report.addFooterLine(QStringLiteral("电话:") + hall.phone);
    report.addFooterLine(QStringLiteral("地址:") + hall.address);
    return report;
}

} // namespace tkd::gui
