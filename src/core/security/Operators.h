#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Dataset.h"

#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::security {

// Field names the refusals below point at.
namespace field {
inline const QString name = QStringLiteral("name");
inline const QString password = QStringLiteral("password");
inline const QString confirm = QStringLiteral("confirm");
inline const QString oldPassword = QStringLiteral("oldPassword");
} // namespace field

// Operators other than the super user, as the permission window lists them.
QStringList ordinaryOperators(TvelunDMForm& dm);

// Checks the operator chosen for a shift change and the password as typed. Like the login, it
// decides who the operator becomes, so it takes the data module alone.
Outcome<> checkShiftChange(TvelunDMForm& dm, const QString& operatorName, const QString& typedPassword);

struct PasswordChange {
    QString oldPassword;
    QString newPassword;
    QString confirmation;
};
// The context's operator changes his own password.
Outcome<> changePassword(const CommandContext& context, const PasswordChange& change);

struct NewOperator {
    QString name;
    QString password;
    QString confirmation;
};
// Adds the operator with one right per guarded function, every one off, in one transaction.
Outcome<> addOperator(const CommandContext& context, const NewOperator& input);

// Removes an operator and all of its rights; the super user cannot be removed.
Outcome<> deleteOperator(const CommandContext& context, const QString& operatorName);

// The operator's rights, edited in memory and written with applyBatch().
Dataset rightsOf(TvelunDMForm& dm, const QString& operatorName);

} // namespace tkd::security
