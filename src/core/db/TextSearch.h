#pragma once

#include "Filter.h"

#include <QString>
#include <QStringList>

namespace tkd {

// A list search as the operator types it: the rows where any of the columns contains the
// trimmed text. The text is a value, never filter syntax, so a quote, "*", "%" or "_" is just
// a character. Blank text gives no filter (the whole list).
Filter containsAny(const QStringList& columns, const QString& text);

} // namespace tkd
