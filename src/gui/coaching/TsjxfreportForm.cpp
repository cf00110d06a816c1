#include "TsjxfreportForm.h"

#include "ReportLines.h"
#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TsjxfreportForm::build(const ResultSet& lessons, const QDate& from, const QDate& to, const QDateTime& printed)
{
    Report report(Paper::A4, QStringLiteral("会员消费私教记录"));
    coachingreport::addPeriod(report, QStringLiteral("消费时间："), from, to, printed);
    addResultRows(report, lessons,
                  {{QStringLiteral("消费日期"), {}, 22, Qt::AlignLeft, CellFormat::Date},
                   {QStringLiteral("会员卡号"), {}, 20},
                   {QStringLiteral("会员姓名"), {}, 20},
                   {QStringLiteral("消费数量"), {}, 18, Qt::AlignRight},
                   {QStringLiteral("教练"), QStringLiteral("教练姓名"), 22},
                   {QStringLiteral("项目名称"), {}, 24},
                   {QStringLiteral("备注"), QStringLiteral("备    注"), 34},
                   {QStringLiteral("操作员"), {}, 18}});
    report.addTotals({{},
                      {},
                      QStringLiteral("消费合计："),
                      coachingreport::total(lessons, QStringLiteral("消费数量"), false),
                      {},
                      {},
                      {},
                      {}});
    return report;
}

} // namespace tkd::gui
