#include "TestDatabase.h"

#include "data/Paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tkd::test {

namespace {

const QString& templateFile()
{
    static QTemporaryDir folder;
    static const QString file = [] {
        const QString path = QDir(folder.path()).filePath(QStringLiteral("template.cld"));
        TvelunDMForm dm;
        dm.connect(path, databaseKey());
        dm.disconnect();
        return path;
    }();
    return file;
}

} // namespace

QString databaseKey()
{
    return QString::fromUtf16(kDatabaseKey);
}

QDateTime fixedMoment()
{
    return QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0));
}

TestDatabase::TestDatabase()
{
    m_folderPath = m_folder.path();
    m_file = QDir(m_folderPath).filePath(QStringLiteral("data/tkd.cld"));
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    if (!QFile::copy(templateFile(), m_file))
        ADD_FAILURE() << "could not copy the template database";
    m_dm.connect(m_file, databaseKey());
}

} // namespace tkd::test
