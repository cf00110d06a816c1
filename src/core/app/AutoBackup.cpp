#include "AutoBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tkd {

QString AutoBackup::fileNameFor(const QDate& day)
{
    return QStringLiteral("tkd") + day.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".clb");
}

QDate AutoBackup::creationDate(const QString& file)
{
    const QFileInfo info(file);
    QDateTime created = info.birthTime();
    if (!created.isValid())
        created = info.lastModified();
    return created.toUTC().date();
}

namespace {

// Copies through a temporary file so that a failed copy never leaves a truncated backup
// in place of the day's good one.
bool copyReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace

AutoBackupResult AutoBackup::run(const QString& databaseFile, const QString& backupDir, const QDate& today)
{
    AutoBackupResult result;
    QDir dir(backupDir);
    if (!dir.exists() && !QDir().mkpath(backupDir))
        return result;
    if (!QFileInfo(backupDir).isDir())
        return result;
    result.target = dir.filePath(fileNameFor(today));
    result.copied = copyReplacing(databaseFile, result.target);
    result.removed = removeExpired(backupDir, today);
    return result;
}

QStringList AutoBackup::removeExpired(const QString& backupDir, const QDate& today)
{
    QStringList removed;
    const QDir dir(backupDir);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.clb")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!entry.isFile() || entry.isSymLink())
            continue;
        if (isExpired(creationDate(entry.absoluteFilePath()), today) && QFile::remove(entry.absoluteFilePath()))
            removed << entry.fileName();
    }
    return removed;
}

} // namespace tkd
