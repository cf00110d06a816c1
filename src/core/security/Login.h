#pragma once

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::security {

inline constexpr const char16_t* kSuperUser = u"超级用户";

// Every operator, in the order the database returns them.
QStringList operatorNames(TvelunDMForm& dm);

struct LoginOutcome {
    enum class Result { Accepted, NoSuchOperator, WrongPassword };
    Result result = Result::Accepted;
    QString message;
    bool accepted() const { return result == Result::Accepted; }
};

// Checks the chosen operator and the password as typed (not trimmed).
LoginOutcome checkLogin(TvelunDMForm& dm, const QString& operatorName, const QString& typedPassword);

// The hall's name from its one row of user information; empty when missing.
QString hallName(TvelunDMForm& dm);

} // namespace tkd::security
