#pragma once

#include "StockLineForm.h"

namespace tkd::gui {

// "采购退货商品录入": one line of a return to the supplier.
class TthsplrForm : public StockLineForm {
    Q_OBJECT
public:
    explicit TthsplrForm(Session& session, QWidget* parent = nullptr);
};

} // namespace tkd::gui
