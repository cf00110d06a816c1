#include "TygczreportForm.h"

#include "kit/report/ResultRows.h"
#include "lockers/LockerQueries.h"

namespace tkd::gui {

Report TygczreportForm::build(const ResultSet& records, const QDate& from, const QDate& to, const QDateTime& printedAt)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    Report report(Paper::A4, QStringLiteral("衣柜出租记录"));
    report.setLandscape(true);
    report.addHeaderLine(QStringLiteral("登记日期：") + from.toString(day) + QStringLiteral(" 至 ") + to.toString(day));
    report.addHeaderLine(QStringLiteral("打印时间：") + printedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    addResultRows(report, records,
                  {{QStringLiteral("会员卡号"), {}, 24},
                   {QStringLiteral("会员姓名"), {}, 24},
                   {QStringLiteral("衣柜编号"), {}, 22},
                   {QStringLiteral("登记日期"), {}, 38},
                   {QStringLiteral("出租状态"), {}, 20},
                   {QStringLiteral("起始日期"), {}, 26},
                   {QStringLiteral("截止日期"), {}, 26},
                   {QStringLiteral("租金"), {}, 22, Qt::AlignRight},
                   {QStringLiteral("押金"), {}, 22, Qt::AlignRight}});
    const lockers::RecordTotals totals = lockers::recordTotals(records);
    report.addFooterLine(QStringLiteral("租金合计：") + totals.rent.toString());
    report.addFooterLine(QStringLiteral("押金合计：") + totals.deposit.toString());
    return report;
}

} // namespace tkd::gui
