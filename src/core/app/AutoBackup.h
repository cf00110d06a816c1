#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace tkd {

struct AutoBackupResult {
    bool copied = false;
    QString target;
    QStringList removed;
};

// The copy of the database taken at every exit: "tkd" + yymmdd + ".clb" in the backup
// folder, one per day (a later exit overwrites it), then every "*.clb" file created more
// than 30 days before today is removed. A folder or copy that cannot be made is skipped
// without a word; the caller closes the connection first.
class AutoBackup {
public:
    static QString fileNameFor(const QDate& day);
    static AutoBackupResult run(const QString& databaseFile, const QString& backupDir, const QDate& today);
    // The retention step alone; returns the names of the files removed.
    static QStringList removeExpired(const QString& backupDir, const QDate& today);
    // The day a backup file was made: its birth time where the file system records it,
    // its modification time otherwise; the date part in UTC.
    static QDate creationDate(const QString& file);
    static bool isExpired(const QDate& created, const QDate& today) { return today.addDays(-30) > created; }
};

} // namespace tkd
