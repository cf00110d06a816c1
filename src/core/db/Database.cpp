#include "Database.h"

#include "DbError.h"
#include "ParameterUses.h"
#include "SqlDialect.h"

#include <QFile>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace tkd {

Params& Params::set(const QString& name, const Value& value)
{
    for (auto& entry : m_values) {
        if (entry.first == name) {
            entry.second = value;
            return *this;
        }
    }
    m_values.emplace_back(name, value);
    return *this;
}

const Value* Params::find(const QString& name) const
{
    for (const auto& entry : m_values)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return &entry.second;
    return nullptr;
}

namespace {

// A changed schema may change which columns hold date-times.
bool changesSchema(const QString& statement)
{
    const QString head = statement.trimmed();
    for (const char16_t* word : {u"create", u"alter", u"drop"})
        if (head.startsWith(QStringView(word), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

Database::~Database()
{
    close();
}

void Database::fail(int rc, const QString& context) const
{
    QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (!context.isEmpty())
        message += QStringLiteral("\n") + context;
    throw DbError(message, rc);
}

void Database::open(const QString& path, const QString& key, OpenMode mode)
{
    close();
    if (mode == OpenMode::ExistingOnly && !QFileInfo(path).isFile()) {
        throw DbError(QStringLiteral("unable to open database file\n%1").arg(path), SQLITE_CANTOPEN);
    }
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    const QByteArray k = key.toUtf8();
    const auto tryOpen = [&](int pageSize, sqlite3** opened) {
        int rc = sqlite3_open_v2(path.toUtf8().constData(), opened, flags, nullptr);
        if (rc != SQLITE_OK)
            return rc;
        // A file busy with another connection's write is waited for a moment rather than failing at once.
        sqlite3_busy_timeout(*opened, static_cast<int>(busyTimeout.count()));
        rc = sqlite3_key(*opened, k.constData(), static_cast<int>(k.size()));
        if (rc == SQLITE_OK)
            rc =
                sqlite3_exec(*opened, QByteArray("PRAGMA cipher_page_size=" + QByteArray::number(pageSize)).constData(),
                             nullptr, nullptr, nullptr);
        // Reading the schema proves the key: a wrong key or a file that is no database fails here.
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(*opened, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
        return rc;
    };
    const auto message = [&path](sqlite3* failed, int rc) {
        const QString text = failed ? QString::fromUtf8(sqlite3_errmsg(failed)) : QString::fromUtf8(sqlite3_errstr(rc));
        return text + QStringLiteral("\n") + path;
    };
    // Files are written in pages of 4 KB: each page is decrypted and checked on its own, so larger pages
    // read a long list in half the time. Files written before that have pages of 1 KB and still open.
    sqlite3* db = nullptr;
    int rc = tryOpen(kPageSize, &db);
    if (rc == SQLITE_NOTADB) {
        sqlite3_close(db);
        db = nullptr;
        rc = tryOpen(kOlderPageSize, &db);
    }
    if (rc != SQLITE_OK) {
        const QString text = message(db, rc);
        sqlite3_close(db);
        throw DbError(text, rc);
    }
    m_db = db;
    m_path = path;
    ++m_generation;
    // Every page read is decrypted: a larger page cache keeps the desk's lists in memory. The program
    // runs once per folder, so the connection keeps the file to itself and commits by appending to a
    // write-ahead log: one synced write per commit instead of three, and no lock or journal check at
    // each transaction's start. Every commit is still synced in full, so a payment written is a payment
    // kept. Closing folds the log back into the file and removes it, so a file copied after closing is whole.
    executeScript(QStringLiteral("PRAGMA cache_size=-32000; PRAGMA synchronous=FULL; PRAGMA temp_store=MEMORY;"
                                 " PRAGMA foreign_keys=OFF; PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=WAL"));
    m_foldAsked = false;
    sqlite3_wal_hook(m_db, &Database::onLogCommit, this);
}

void Database::clearCache()
{
    for (sqlite3_stmt* stmt : std::as_const(m_cache))
        sqlite3_finalize(stmt);
    m_cache.clear();
    m_dateRoles.clear();
    m_orderShapes.clear();
}

void Database::close()
{
    if (!m_db)
        return;
    clearCache();
    if (m_transactionDepth > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_transactionDepth = 0;
    sqlite3_close(m_db);
    m_db = nullptr;
    ++m_generation;
}

bool Database::isDateTimeColumn(const QStringList& tables, const QString& column) const
{
    const QByteArray name = column.toUtf8();
    for (const QString& table : tables) {
        const char* declared = nullptr;
        const int rc = sqlite3_table_column_metadata(m_db, nullptr, table.toUtf8().constData(), name.constData(),
                                                     &declared, nullptr, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK && declared && qstricmp(declared, "DATETIME") == 0)
            return true;
    }
    return false;
}

Database::DateRole Database::dateRole(const QString& statement, const QString& parameter)
{
    auto found = m_dateRoles.constFind(statement);
    if (found == m_dateRoles.constEnd()) {
        QHash<QString, DateRole> roles;
        const sql::StatementUses uses = sql::parameterUses(statement);
        for (const sql::ParameterUse& use : uses.uses) {
            if (!isDateTimeColumn(uses.tables, use.column))
                continue;
            const QString name = use.parameter.toLower();
            const DateRole role = use.upperBound ? DateRole::WholeDayUpTo : DateRole::Moment;
            // A parameter that is also used as a plain moment keeps midnight.
            roles.insert(name, roles.contains(name) && roles.value(name) != role ? DateRole::Moment : role);
        }
        found = m_dateRoles.insert(statement, roles);
    }
    return found->value(parameter.toLower(), DateRole::None);
}

QString Database::boundText(const QString& statement, const QString& parameter, const QString& text)
{
    // Most text is no date: look at the statement only for what could be one.
    const QString t = text.trimmed();
    if ((t.size() != 10 && t.size() != 19) || t[4] != QLatin1Char('-'))
        return text;
    const DateRole role = dateRole(statement, parameter);
    if (role == DateRole::None)
        return text;
    const QDateTime moment = Value::parseDateTime(t);
    if (!moment.isValid())
        return text;
    if (t.size() == 10 && role == DateRole::WholeDayUpTo)
        return Value::canonicalDateTime(QDateTime(moment.date(), QTime(23, 59, 59)));
    return Value::canonicalDateTime(moment);
}

sqlite3_stmt* Database::prepare(const QString& statement)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未打开"));
    if (sqlite3_stmt* cached = m_cache.value(statement, nullptr)) {
        sqlite3_reset(cached);
        sqlite3_clear_bindings(cached);
        return cached;
    }
    const QByteArray text = sql::toEngine(statement).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &stmt, &tail);
    if (rc != SQLITE_OK)
        fail(rc, statement);
    if (!stmt)
        throw DbError(QStringLiteral("空语句"));
    if (tail && *tail && QByteArray(tail).trimmed() != ";" && !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(stmt);
        throw DbError(QStringLiteral("一次只能执行一条语句：%1").arg(statement));
    }
    m_cache.insert(statement, stmt);
    return stmt;
}

void Database::bind(sqlite3_stmt* stmt, const QString& statement, const Params& params)
{
    const int count = sqlite3_bind_parameter_count(stmt);
    int bound = 0;
    for (int i = 1; i <= count; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(stmt, i);
        const QString name = rawName ? QString::fromUtf8(rawName + 1) : QString();
        const Value* v = params.find(name);
        if (!v)
            throw DbError(QStringLiteral("参数 :%1 没有赋值\n%2").arg(name, statement));
        ++bound;
        int rc = SQLITE_OK;
        switch (v->type()) {
        case ValueType::Null:
            rc = sqlite3_bind_null(stmt, i);
            break;
        case ValueType::Text: {
            const QByteArray utf8 = boundText(statement, name, v->toText()).toUtf8();
            rc = sqlite3_bind_text(stmt, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
            break;
        }
        case ValueType::Integer:
            rc = sqlite3_bind_int64(stmt, i, v->toInt());
            break;
        case ValueType::YesNo:
            rc = sqlite3_bind_int64(stmt, i, v->toBool() ? -1 : 0);
            break;
        case ValueType::Real:
        case ValueType::Money:
            rc = sqlite3_bind_double(stmt, i, v->toDouble());
            break;
        case ValueType::DateTime: {
            const QByteArray utf8 = Value::canonicalDateTime(v->toDateTime()).toUtf8();
            rc = sqlite3_bind_text(stmt, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK)
            fail(rc, statement);
    }
    if (bound < static_cast<int>(params.values().size())) {
        for (const auto& entry : params.values()) {
            bool used = false;
            for (int i = 1; i <= count && !used; ++i) {
                const char* rawName = sqlite3_bind_parameter_name(stmt, i);
                used = rawName && QString::fromUtf8(rawName + 1).compare(entry.first, Qt::CaseInsensitive) == 0;
            }
            if (!used)
                throw DbError(QStringLiteral("语句中没有参数 :%1\n%2").arg(entry.first, statement));
        }
    }
}

qint64 Database::execute(const QString& statement, const Params& params)
{
    if (changesSchema(statement)) {
        m_dateRoles.clear();
        m_orderShapes.clear();
    }
    sqlite3_stmt* stmt = prepare(statement);
    bind(stmt, statement, params);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        sqlite3_reset(stmt);
        fail(rc, statement);
    }
    sqlite3_reset(stmt);
    return sqlite3_changes(m_db);
}

void Database::executeScript(const QString& script)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未打开"));
    if (changesSchema(script)) {
        m_dateRoles.clear();
        m_orderShapes.clear();
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql::toEngine(script).toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        throw DbError(message, rc);
    }
}

qint64 Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

Value Database::scalar(const QString& statement, const Params& params)
{
    const ResultSet result = select(statement, params);
    return result.rowCount() == 0 || result.columns().isEmpty() ? Value() : result.value(0, 0);
}

void Database::compactInto(const QString& targetPath, const QString& key)
{
    if (m_transactionDepth > 0)
        throw DbError(QStringLiteral("事务进行中，不能压缩数据库"));
    if (QFileInfo::exists(targetPath))
        throw DbError(QStringLiteral("目标文件已存在：%1").arg(targetPath));
    const int version = userVersion();
    {
        // An attached file is opened with this connection's flags, which never create one. An empty
        // file is an empty database: opening it here would write its header in the page size of
        // this program before the attach has been told that size.
        QFile target(targetPath);
        if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw DbError(QStringLiteral("无法创建文件：%1").arg(targetPath), SQLITE_CANTOPEN);
    }
    execute(QStringLiteral("attach database :path as [tkd_compact] key :key"),
            {{QStringLiteral("path"), targetPath}, {QStringLiteral("key"), key}});
    try {
        // A compacted file gets today's page size, whatever the page size of the file it copies.
        executeScript(QStringLiteral("PRAGMA tkd_compact.cipher_page_size=%1").arg(kPageSize));
        // The export copies every table, index and row into the new file, page by page anew.
        scalar(QStringLiteral("select sqlcipher_export('tkd_compact')"));
        executeScript(QStringLiteral("PRAGMA tkd_compact.user_version=%1").arg(version));
    } catch (...) {
        executeScript(QStringLiteral("detach database [tkd_compact]"));
        QFile::remove(targetPath);
        throw;
    }
    executeScript(QStringLiteral("detach database [tkd_compact]"));
}

int Database::pageSize()
{
    return static_cast<int>(scalar(QStringLiteral("PRAGMA page_size")).toInt());
}

int Database::userVersion()
{
    return static_cast<int>(scalar(QStringLiteral("PRAGMA user_version")).toInt());
}

void Database::setUserVersion(int version)
{
    executeScript(QStringLiteral("PRAGMA user_version=%1").arg(version));
}

bool Database::tableExists(const QString& name)
{
    const QString sql = QStringLiteral("select count(*) from (select name from sqlite_master where type='table' and "
                                       "name=:n union all select name from sqlite_temp_master where type='table' and "
                                       "name=:n)");
    return scalar(sql, {{QStringLiteral("n"), name}}).toInt() > 0;
}

Transaction::Transaction(Database& db) : m_db(db), m_level(db.m_transactionDepth), m_generation(db.m_generation)
{
    // Prepared once and kept, as every statement is: the desk begins and ends a few hundred a day.
    if (m_level == 0)
        m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
    else
        m_db.execute(QStringLiteral("SAVEPOINT tkd_level_%1").arg(m_level));
    ++m_db.m_transactionDepth;
}

Transaction::~Transaction()
{
    // Closing the connection already undid this guard's work; a later connection is none of its business.
    if (m_done || !m_db.isOpen() || m_db.m_generation != m_generation)
        return;
    --m_db.m_transactionDepth;
    if (m_level == 0)
        sqlite3_exec(m_db.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_db.m_db,
                     QStringLiteral("ROLLBACK TO tkd_level_%1; RELEASE tkd_level_%1").arg(m_level).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    if (m_done)
        throw DbError(QStringLiteral("事务已经结束"));
    if (!m_db.isOpen() || m_db.m_generation != m_generation) {
        m_done = true;
        throw DbError(QStringLiteral("数据库连接已经关闭，本次修改没有保存"));
    }
    if (m_level == 0)
        m_db.execute(QStringLiteral("COMMIT"));
    else
        m_db.execute(QStringLiteral("RELEASE tkd_level_%1").arg(m_level));
    m_done = true;
    --m_db.m_transactionDepth;
}

} // namespace tkd
