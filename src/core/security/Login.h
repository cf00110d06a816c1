#pragma once

#include "app/Outcome.h"

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::security {

inline constexpr const char16_t* kSuperUser = u"超级用户";

// Every operator, in the order the database returns them.
QStringList operatorNames(TvelunDMForm& dm);

// Checks the chosen operator and the password as typed (not trimmed). It runs before anyone is
// logged in, so it takes the data module alone. An unknown operator is refused on the name field
// (the choice emptied), a wrong password on the password field (emptied).
Outcome<> checkLogin(TvelunDMForm& dm, const QString& operatorName, const QString& typedPassword);

// The hall's name from its one row of user information; empty when missing.
QString hallName(TvelunDMForm& dm);

} // namespace tkd::security
