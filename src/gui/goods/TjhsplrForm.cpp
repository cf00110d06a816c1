#include "TjhsplrForm.h"

namespace tkd::gui {

TjhsplrForm::TjhsplrForm(Session& session, QWidget* parent)
    : StockLineForm(session, goods::purchasing::Direction::Purchase, parent)
{
}

} // namespace tkd::gui
