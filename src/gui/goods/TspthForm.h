#pragma once

#include "StockEntryForm.h"

namespace tkd::gui {

// "采购退货": stock sent back to the supplier.
class TspthForm : public StockEntryForm {
    Q_OBJECT
public:
    explicit TspthForm(Session& session, QWidget* parent = nullptr);
};

} // namespace tkd::gui
