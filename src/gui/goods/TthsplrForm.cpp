#include "TthsplrForm.h"

namespace tkd::gui {

TthsplrForm::TthsplrForm(Session& session, QWidget* parent)
    : StockLineForm(session, goods::purchasing::Direction::SupplierReturn, parent)
{
}

} // namespace tkd::gui
