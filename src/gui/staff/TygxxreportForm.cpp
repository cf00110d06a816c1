#include "TygxxreportForm.h"

#include "db/ResultSet.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TygxxreportForm::build(const ResultSet& staff)
{
    Report report(Paper::A4, QStringLiteral("员工信息列表"));
    addResultRows(report, staff,
                  {{QStringLiteral("姓名"), QStringLiteral("员工姓名"), 25},
                   {QStringLiteral("职务"), {}, 22},
                   {QStringLiteral("联系电话"), {}, 30},
                   {QStringLiteral("联系地址"), {}, 45},
                   {QStringLiteral("状态"), {}, 15},
                   {QStringLiteral("备注"), {}, 43}});
    return report;
}

} // namespace tkd::gui
