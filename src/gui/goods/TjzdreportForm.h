#pragma once

#include "goods/Checkout.h"
#include "kit/report/Report.h"

namespace tkd::gui {

// "结帐单": the 58 mm receipt of a sale, 68 mm long and 6 mm more for each line.
class TjzdreportForm {
public:
    static QString caption() { return QStringLiteral("结帐单"); }
    static qreal lengthMm(int lines) { return 68 + 6 * lines; }
    static Report build(const goods::SaleReceipt& receipt);
};

} // namespace tkd::gui
