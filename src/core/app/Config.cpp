#include "Config.h"

#include "sms/GbkCodec.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <optional>
#include <utility>

namespace tkd {

namespace {

// The file read the way the Windows profile functions read it. QSettings is not used: it would
// take a comma for a list separator and a backslash for an escape ("D:\clbak").
struct IniFile {
    QStringList lines;
    QString newline = QStringLiteral("\r\n");
    bool gbk = false; // written by the original program in the Chinese code page
    bool byteOrderMark = false;
    bool endsWithNewline = true;
};

IniFile readIni(const QString& path)
{
    IniFile ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.byteOrderMark = true;
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    // Text that is not valid UTF-8 comes from a Windows program writing its ANSI code page.
    if (utf8.hasError()) {
        ini.gbk = true;
        text = gbk::decode(bytes);
    }
    if (!text.contains(QStringLiteral("\r\n")) && text.contains(QLatin1Char('\n')))
        ini.newline = QStringLiteral("\n");
    ini.endsWithNewline = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ini.lines = text.split(QLatin1Char('\n'));
    if (ini.lines.size() > 1 && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    else if (ini.lines.size() == 1 && ini.lines.first().isEmpty())
        ini.lines.clear();
    return ini;
}

bool isSectionLine(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype end = t.indexOf(QLatin1Char(']'));
    *name = (end < 0 ? t.mid(1) : t.mid(1, end - 1)).trimmed();
    return true;
}

// The key of a "key=value" line, empty for any other line (comments, blanks).
QString keyOf(const QString& line)
{
    if (line.trimmed().startsWith(QLatin1Char(';')))
        return {};
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

// As the Windows functions give it: blanks around it dropped, then one pair of enclosing quotes.
QString valueOf(const QString& line)
{
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

// Quotes keep what reading would otherwise strip: blanks at either end, or quotes of its own.
QString storedForm(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool quoted = value.size() >= 2 &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
                        value.back() == value.front();
    if (value != value.trimmed() || quoted)
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The line range [first, end) of the section's body; first is -1 when the section is missing.
std::pair<qsizetype, qsizetype> sectionBody(const QStringList& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (!isSectionLine(lines[i], &name) || !sameName(name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !isSectionLine(lines[end], &name))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

std::optional<QString> readValue(const IniFile& ini, const QString& section, const QString& key)
{
    const auto [first, end] = sectionBody(ini.lines, section);
    for (qsizetype i = first; first >= 0 && i < end; ++i)
        if (sameName(keyOf(ini.lines[i]), key))
            return valueOf(ini.lines[i]);
    return std::nullopt;
}

QString read(const IniFile& ini, const char16_t* key, const QString& fallback)
{
    return readValue(ini, QString::fromUtf16(ini::kSection), QString::fromUtf16(key)).value_or(fallback);
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
    const IniFile ini = readIni(iniFile);
    Config c;
    c.inputMethod = read(ini, ini::kInput, QString());
    c.smsSignature = read(ini, ini::kSign, defaultSignature());
    c.smsUrl = read(ini, ini::kUrl, defaultSmsUrl());
    c.backupDir = read(ini, ini::kBackup, QString());
    return c;
}

void Config::writeKey(const QString& iniFile, const QString& name, const QString& value)
{
    IniFile ini = readIni(iniFile);
    const QString section = QString::fromUtf16(ini::kSection);
    auto [first, end] = sectionBody(ini.lines, section);
    if (first < 0) {
        ini.lines << QLatin1Char('[') + section + QLatin1Char(']');
        first = end = ini.lines.size();
    }
    const QString stored = storedForm(value);
    bool replaced = false;
    for (qsizetype i = first; i < end && !replaced; ++i) {
        const QString key = keyOf(ini.lines[i]);
        if (sameName(key, name)) {
            ini.lines[i] = key + QLatin1Char('=') + stored;
            replaced = true;
        }
    }
    if (!replaced) {
        // After the section's last entry, before the blank lines that part it from the next one.
        qsizetype at = end;
        while (at > first && ini.lines[at - 1].trimmed().isEmpty())
            --at;
        ini.lines.insert(at, name + QLatin1Char('=') + stored);
    }

    QString text = ini.lines.join(ini.newline);
    if (ini.endsWithNewline)
        text += ini.newline;
    // A file in the Chinese code page stays in it while it can hold the text, so the original program reads it too.
    QByteArray bytes;
    if (ini.gbk && gbk::decode(gbk::encode(text)) == text)
        bytes = gbk::encode(text);
    else
        bytes = (ini.byteOrderMark ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    QSaveFile file(iniFile);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.commit();
    }
}

} // namespace tkd
