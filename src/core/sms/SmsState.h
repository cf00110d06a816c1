#pragma once

#include <QString>

namespace tkd {

class TvelunDMForm;
struct Config;

// The SMS session of the running program; nothing of it is stored except the three switches.
struct SmsState {
    QString loginState = QStringLiteral("未登录");
    QString account;
    QString password;
    QString remaining = QStringLiteral("0");
    QString url;
    QString signature;
    bool afterConsumption = false;
    bool afterPayment = false;
    bool afterCheckIn = false;
    // A new number at every login and logout. A reply to a request made under an earlier one
    // (a background send still on its way) belongs to a session that is gone and changes nothing.
    quint64 session = 0;

    bool loggedIn() const { return loginState == QStringLiteral("已登录"); }
    // The state a new main window starts with: signature and address from the INI file,
    // the switches from the database, not logged in.
    static SmsState initial(const Config& config, TvelunDMForm& dm);
};

} // namespace tkd
