#include "Paths.h"

#include <QDir>
#include <QFileInfo>

namespace tkd {

AppPaths AppPaths::forProgram(const QString& programFilePath)
{
    const QFileInfo info(programFilePath);
    return {info.absolutePath(), info.absoluteFilePath()};
}

AppPaths AppPaths::inFolder(const QString& folder, const QString& programName)
{
    const QString dir = QDir(folder).absolutePath();
    return {dir, QDir(dir).filePath(programName)};
}

QString AppPaths::dataDir() const
{
    return QDir(programDir).filePath(QStringLiteral("data"));
}

QString AppPaths::databaseFile() const
{
    return QDir(dataDir()).filePath(QStringLiteral("tkd.cld"));
}

QString AppPaths::compactionFile() const
{
    return QDir(dataDir()).filePath(QStringLiteral("tkd1.cld"));
}

QString AppPaths::iniFile() const
{
    const QFileInfo info(programFile);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return programFile + QStringLiteral(".INI");
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".INI"));
}

QString AppPaths::defaultAutoBackupDir() const
{
    return QDir(programDir).filePath(QStringLiteral("clbak"));
}

QString AppPaths::defaultManualBackupDir() const
{
    return QDir(programDir).filePath(QStringLiteral("backup"));
}

QString AppPaths::manualFile() const
{
    return QDir(programDir).filePath(QStringLiteral("readme.htm"));
}

} // namespace tkd
