#pragma once

#include <QString>

namespace tkd::security {

// Operator passwords are kept as salted hashes, never as the text itself.
// The stored password is the trimmed text; verification takes the typed text as typed,
// so a typed leading or trailing space never matches.
QString hashPassword(const QString& plainText);
bool verifyPassword(const QString& typed, const QString& storedHash);

// The text a password is stored as: leading and trailing blanks and control characters are
// dropped, but nothing else; a full-width space (U+3000) typed at either end is part of it.
QString trimPassword(const QString& typed);

// The password of the built-in super user in a new database.
inline constexpr const char16_t* kInitialSuperUserPassword = u"8888";

} // namespace tkd::security
