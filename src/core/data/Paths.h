#pragma once

#include <QString>

namespace tkd {

// Where the program keeps its files, all relative to the program's folder.
struct AppPaths {
    QString programDir;
    QString programFile;

    static AppPaths forProgram(const QString& programFilePath);
    // A program folder chosen by hand (tests, demo halls): the file names stay the same.
    static AppPaths inFolder(const QString& folder, const QString& programName = QStringLiteral("tkd"));

    QString dataDir() const;
    QString databaseFile() const;
    // The compaction work file beside the live one.
    QString compactionFile() const;
    // The program's path with its extension replaced by ".INI"; a file without one gets ".INI" appended.
    QString iniFile() const;
    QString defaultAutoBackupDir() const;
    QString defaultManualBackupDir() const;
    QString manualFile() const;
};

// The fixed key of the database file.
inline constexpr const char16_t* kDatabaseKey = u"mq47zk25bvhd";

} // namespace tkd
