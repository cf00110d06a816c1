#include "TgmsjmxreportForm.h"

#include "ReportLines.h"
#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TgmsjmxreportForm::build(const ResultSet& purchases, const QDate& from, const QDate& to,
                                const QDateTime& printed)
{
    Report report(Paper::A4, QStringLiteral("会员购买私教明细记录"));
    coachingreport::addPeriod(report, QStringLiteral("查询时间："), from, to, printed);
    addResultRows(report, purchases,
                  {{QStringLiteral("购买日期"), {}, 22, Qt::AlignLeft, CellFormat::Date},
                   {QStringLiteral("会员卡号"), {}, 20},
                   {QStringLiteral("会员姓名"), {}, 20},
                   {QStringLiteral("教练姓名"), {}, 22},
                   {QStringLiteral("数量"), {}, 14, Qt::AlignRight},
                   {QStringLiteral("单价"), {}, 20, Qt::AlignRight},
                   {QStringLiteral("总金额"), {}, 24, Qt::AlignRight},
                   {QStringLiteral("状态"), {}, 12},
                   {QStringLiteral("操作员"), {}, 18}});
    report.addTotals({{},
                      {},
                      {},
                      QStringLiteral("数量合计："),
                      coachingreport::total(purchases, QStringLiteral("数量"), false),
                      QStringLiteral("金额合计："),
                      coachingreport::total(purchases, QStringLiteral("总金额"), true),
                      {},
                      {}});
    return report;
}

} // namespace tkd::gui
