#include "TspthForm.h"

namespace tkd::gui {

TspthForm::TspthForm(Session& session, QWidget* parent)
    : StockEntryForm(session, goods::purchasing::Direction::SupplierReturn, parent)
{
}

} // namespace tkd::gui
