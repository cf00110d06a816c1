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

    bool loggedIn() const { return loginState == QStringLiteral("已登录"); }
    // The state a new main window starts with: signature and address from the INI file,
    // the switches from the database, not logged in.
    static SmsState initial(const Config& config, TvelunDMForm& dm);
};

} // namespace tkd
