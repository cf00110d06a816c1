#include "TxykhreportForm.h"

#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TxykhreportForm::build(const ResultSet& results)
{
    Report report(Paper::A4, QStringLiteral("学员考核信息"));
    addResultRows(report, results,
                  {{QStringLiteral("考核时间"), {}, 24, Qt::AlignLeft, CellFormat::Date},
                   {QStringLiteral("会员卡号"), {}, 22},
                   {QStringLiteral("会员姓名"), {}, 22},
                   {QStringLiteral("报考级别"), {}, 22},
                   {QStringLiteral("考核结果"), {}, 18},
                   {QStringLiteral("备注"), QStringLiteral("备    注"), 50},
                   {QStringLiteral("考核费用"), {}, 22, Qt::AlignRight}});
    Money total;
    for (int row = 0; row < results.rowCount(); ++row)
        total += results.value(row, QStringLiteral("考核费用")).toMoney();
    report.addFooterField(QStringLiteral("费用合计"), total.toString());
    report.addFooterField(QStringLiteral("汇总人数"), QString::number(results.rowCount()));
    return report;
}

} // namespace tkd::gui
