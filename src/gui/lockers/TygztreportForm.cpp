#include "TygztreportForm.h"

#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TygztreportForm::build(const ResultSet& lockers, const QString& state, const QDateTime& printedAt)
{
    Report report(Paper::A4, QStringLiteral("衣柜状态统计"));
    report.addHeaderLine(QStringLiteral("衣柜状态：") + state);
    report.addHeaderLine(QStringLiteral("打印时间：") + printedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    addResultRows(report, lockers,
                  {{QStringLiteral("衣柜编号"), {}, 20},
                   {QStringLiteral("衣柜名称"), {}, 26},
                   {QStringLiteral("状态"), {}, 14},
                   {QStringLiteral("押金"), {}, 18, Qt::AlignRight},
                   {QStringLiteral("会员卡号"), {}, 20},
                   {QStringLiteral("会员姓名"), {}, 20},
                   {QStringLiteral("到期日期"), {}, 22},
                   {QStringLiteral("备注"), QStringLiteral("备    注"), 40}});
    return report;
}

} // namespace tkd::gui
