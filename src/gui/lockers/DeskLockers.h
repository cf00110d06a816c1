#pragma once

#include <QString>

namespace tkd::gui {

class CommandRegistry;

// The desk's locker button ("选择衣柜") for the member shown: the chooser when the member holds no
// locker under the number shown, the return at once for a day's locker, else the menu
// "衣柜续费" / "会员退柜". The panel shows the member again after every change.
void deskLockerButton(CommandRegistry& registry);

// After a locker window changed the locker of that member: the desk shows the member again when
// it is the one on the panel.
void deskLockerChanged(CommandRegistry& registry, const QString& cardNumber);

} // namespace tkd::gui
