#pragma once

#include "StockLineForm.h"

namespace tkd::gui {

// "进货商品录入": one line of a purchase.
class TjhsplrForm : public StockLineForm {
    Q_OBJECT
public:
    explicit TjhsplrForm(Session& session, QWidget* parent = nullptr);
};

} // namespace tkd::gui
