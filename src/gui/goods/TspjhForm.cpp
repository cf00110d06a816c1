#include "TspjhForm.h"

namespace tkd::gui {

TspjhForm::TspjhForm(Session& session, QWidget* parent)
    : StockEntryForm(session, goods::purchasing::Direction::Purchase, parent)
{
}

} // namespace tkd::gui
