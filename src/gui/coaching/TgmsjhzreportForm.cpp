#include "TgmsjhzreportForm.h"

#include "ReportLines.h"
#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TgmsjhzreportForm::build(const ResultSet& summary)
{
    Report report(Paper::A4, QStringLiteral("购买私教汇总表"));
    addResultRows(report, summary,
                  {{QStringLiteral("会员卡号"), {}, 35},
                   {QStringLiteral("会员姓名"), {}, 35},
                   {QStringLiteral("教练姓名"), {}, 35},
                   {QStringLiteral("项目名称"), {}, 40},
                   {QStringLiteral("数量"), {}, 25, Qt::AlignRight}});
    report.addTotals(
        {{}, {}, {}, QStringLiteral("合计："), coachingreport::total(summary, QStringLiteral("数量"), false)});
    return report;
}

} // namespace tkd::gui
