#include "ThyczdjreportForm.h"

namespace tkd::gui {

Report ThyczdjreportForm::build(const payments::Receipt& receipt)
{
    Report report(Paper::Receipt58, receipt.title);
    // The hall's receipt roll: 58 by 80 mm, a wider margin on the right where the printer cuts.
    report.setReceiptPaper(80, QMarginsF(5, 5, 8, 5));
    for (const QString& line : receipt.lines)
        report.addHeaderLine(line);
    return report;
}

} // namespace tkd::gui
