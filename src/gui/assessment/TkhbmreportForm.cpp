#include "TkhbmreportForm.h"

namespace tkd::gui {

Report TkhbmreportForm::build(const assessment::Receipt& receipt)
{
    Report report(Paper::Receipt58, receipt.title);
    report.setReceiptPaper(76, QMarginsF(10, 10, 10, 10));
    for (const QString& line : receipt.lines)
        report.addHeaderLine(line);
    return report;
}

} // namespace tkd::gui
