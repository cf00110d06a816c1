#include "TvelunDMForm.h"

#include "Schema.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace tkd {

void TvelunDMForm::connect(const QString& databaseFile, const QString& key)
{
    disconnect();
    const QFileInfo info(databaseFile);
    const bool creating = !info.exists();
    if (creating && !QDir().mkpath(info.absolutePath()))
        throw DbError(QStringLiteral("无法创建数据目录：%1").arg(info.absolutePath()));
    try {
        m_db.open(databaseFile, key, creating ? Database::OpenMode::CreateIfMissing : Database::OpenMode::ExistingOnly);
        schema::migrate(m_db);
        schema::createScratchTables(m_db);
    } catch (...) {
        m_db.close();
        // A half-made new file would be taken for a real one at the next start.
        if (creating)
            QFile::remove(databaseFile);
        throw;
    }
    // The log is folded into the file once the event loop is idle again, after the window that
    // committed has shown its result; a fold must not meet an open transaction, and checkpoint() checks.
    m_db.setLogFullHandler([this] { QTimer::singleShot(0, this, [this] { m_db.checkpoint(); }); });
    m_file = info.absoluteFilePath();
    m_key = key;
    if (m_wasConnected)
        Q_EMIT reconnected();
    m_wasConnected = true;
}

void TvelunDMForm::disconnect()
{
    m_db.close();
}

void TvelunDMForm::reconnect()
{
    if (m_file.isEmpty())
        throw DbError(QStringLiteral("数据库尚未打开过"));
    const QString file = m_file;
    const QString key = m_key;
    connect(file, key);
}

const CatalogueEntry& TvelunDMForm::entry(const QString& name, const Params& params) const
{
    const CatalogueEntry* e = findEntry(name);
    if (!e)
        throw DbError(QStringLiteral("数据模块中没有 %1").arg(name));
    for (const auto& p : params.values())
        if (!e->parameters.contains(p.first))
            throw DbError(QStringLiteral("%1 没有参数 %2").arg(name, p.first));
    return *e;
}

ResultSet TvelunDMForm::open(const QString& name, const Params& params)
{
    return m_db.select(entry(name, params).sql, params);
}

Dataset TvelunDMForm::openForEdit(const QString& name, const Params& params)
{
    const CatalogueEntry& e = entry(name, params);
    return Dataset(m_db, e.sql, params,
                   e.kind == EntryKind::BatchQuery ? Dataset::Mode::Batch : Dataset::Mode::Immediate);
}

qint64 TvelunDMForm::change(const QString& statement, const Params& params)
{
    return m_db.execute(statement, params);
}

ResultSet TvelunDMForm::list(const QString& statement, const Params& params)
{
    return m_db.select(statement, params);
}

} // namespace tkd
