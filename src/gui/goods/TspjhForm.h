#pragma once

#include "StockEntryForm.h"

namespace tkd::gui {

// "商品进货": stock bought in.
class TspjhForm : public StockEntryForm {
    Q_OBJECT
public:
    explicit TspjhForm(Session& session, QWidget* parent = nullptr);
};

} // namespace tkd::gui
