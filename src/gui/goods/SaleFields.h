#pragma once

class QLineEdit;

namespace tkd::gui {

// A quantity of the sale's windows: digits, "." and "-" (a line of −1 takes an item back). The
// characters only; core reads the number and refuses "1-2" or "1.2.3".
void quantityOnly(QLineEdit* edit);

} // namespace tkd::gui
