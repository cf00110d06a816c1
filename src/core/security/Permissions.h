#pragma once

#include "app/Refusal.h"

#include <QString>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::security {

struct GuardedCommand {
    QString function;
    QString refusal;
};

// Every function name a command checks, with the message that command shows when refused.
const std::vector<GuardedCommand>& guardedCommands();
// The refusal message of a function name; a generic one for a name not in the table.
QString refusalFor(const QString& function);

bool isSuperUser(const QString& operatorName);

// The check every guarded command makes before it prepares anything. The super user
// passes; anyone else needs a right that is on. A function with no row for the operator
// (a name added after the operator was made) is refused: rights are granted, never assumed.
MaybeRefusal checkPermission(TvelunDMForm& dm, const QString& operatorName, const QString& function);

enum class SuperUserOperation { DeleteVisit, DeleteMember, AdjustMemberData };
MaybeRefusal requireSuperUser(const QString& operatorName, SuperUserOperation operation);

} // namespace tkd::security
