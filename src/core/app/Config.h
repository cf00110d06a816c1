#pragma once

#include <QString>

namespace tkd {

// The settings of the INI file beside the program, section "ordix".
// Missing file or keys give the defaults; loading never writes anything. The file is read and
// written as the Windows profile functions do (values taken literally, commas and backslashes
// included); a file in the Chinese code page, as the original program wrote it, is read as such.
struct Config {
    QString inputMethod;
    QString smsSignature;
    QString smsUrl;
    // Folder of the automatic backups; empty means the folder "clbak" beside the program.
    QString backupDir;

    static Config load(const QString& iniFile);
    // Writes one key of the section, leaving the others as they are.
    static void writeKey(const QString& iniFile, const QString& key, const QString& value);

    static QString defaultSignature();
    // A placeholder host: the hall enters its provider's real address by hand.
    static QString defaultSmsUrl();
};

namespace ini {
inline constexpr const char16_t* kSection = u"ordix";
inline constexpr const char16_t* kInput = u"Input";
inline constexpr const char16_t* kSign = u"sign";
inline constexpr const char16_t* kUrl = u"url";
inline constexpr const char16_t* kBackup = u"backup";
} // namespace ini

} // namespace tkd
