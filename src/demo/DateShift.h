#pragma once

namespace tkd {
class TvelunDMForm;
}

namespace tkd::demo {

// Moves every date and moment of a generated hall by whole days, in one transaction, so that a hall
// made on one day reads as if made on another: cards, leave, lockers and packages keep their distance
// from today. One-off reminders move too, and the expiry a days line's remark names; birthdays, monthly
// and yearly reminders (no year) stay.
void shiftDates(TvelunDMForm& dm, int days);

} // namespace tkd::demo
