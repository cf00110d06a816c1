#pragma once

#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::members {

// The member picker's list ("选择会员"): card number, name, type, joining date and remark,
// in card number order. Every window that picks a member (registration's introducer,
// payment, leave, coaching, the desk, lockers) reads this list.
ResultSet pickerList(TvelunDMForm& dm);

// Card number or name containing the typed text, literally; no filter for blank text. The
// member lists (picker, member list, SMS window, reminders) search with it.
Filter searchFilter(const QString& text);

// The picker's list narrowed by the typed text.
ResultSet search(TvelunDMForm& dm, const QString& text);

} // namespace tkd::members
