#include "Config.h"

#include <QSettings>

namespace tkd {

namespace {
QString key(const char16_t* name)
{
    return QString::fromUtf16(ini::kSection) + QLatin1Char('/') + QString::fromUtf16(name);
}
} // namespace

QString Config::defaultSignature()
{
    return QStringLiteral("澄岚软件");
}

QString Config::defaultSmsUrl()
{
    return QStringLiteral("http://sms.gateway.example/smsgbk.aspx");
}

Config Config::load(const QString& iniFile)
{
    const QSettings settings(iniFile, QSettings::IniFormat);
    Config c;
    c.inputMethod = settings.value(key(ini::kInput), QString()).toString();
    c.smsSignature = settings.value(key(ini::kSign), defaultSignature()).toString();
    c.smsUrl = settings.value(key(ini::kUrl), defaultSmsUrl()).toString();
    c.backupDir = settings.value(key(ini::kBackup), QString()).toString();
    return c;
}

void Config::writeKey(const QString& iniFile, const QString& name, const QString& value)
{
    QSettings settings(iniFile, QSettings::IniFormat);
    settings.setValue(QString::fromUtf16(ini::kSection) + QLatin1Char('/') + name, value);
    settings.sync();
}

} // namespace tkd
