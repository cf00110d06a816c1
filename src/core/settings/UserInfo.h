#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QString>

namespace tkd {

class TvelunDMForm;

// The hall's own data, printed on receipts and shown in the main window.
struct UserInfo {
    QString name;
    QString phone;
    QString email;
    QString website;
    QString address;

    static UserInfo load(TvelunDMForm& dm);
};

namespace userinfo_field {
inline const QString name = QStringLiteral("name");
}

// Saves the five trimmed texts into the one row; the name must not be empty.
Outcome<> saveUserInfo(const CommandContext& context, const UserInfo& info);

} // namespace tkd
