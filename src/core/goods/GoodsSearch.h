#pragma once

#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

// The goods picker's list of the sale window: code, name, unit, price, stock and whether the
// item is a service, in code order; every item, stock-counted or not.
ResultSet saleList(TvelunDMForm& dm);

// Code or name containing the typed text, literally; no filter for blank text.
Filter searchFilter(const QString& text);

// The sale list narrowed by the typed text.
ResultSet search(TvelunDMForm& dm, const QString& text);

} // namespace tkd::goods
