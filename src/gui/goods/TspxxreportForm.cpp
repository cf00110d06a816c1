#include "TspxxreportForm.h"

#include "db/ResultSet.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report TspxxreportForm::build(const ResultSet& goods)
{
    Report report(Paper::A4, QStringLiteral("商品信息列表"));
    addResultRows(report, goods,
                  {{QStringLiteral("商品编号"), {}, 28},
                   {QStringLiteral("商品名称"), {}, 50},
                   {QStringLiteral("单位"), {}, 16},
                   {QStringLiteral("预设进价"), {}, 25, Qt::AlignRight},
                   {QStringLiteral("预售单价"), {}, 25, Qt::AlignRight},
                   {QStringLiteral("数量"), {}, 22, Qt::AlignRight}});
    return report;
}

} // namespace tkd::gui
