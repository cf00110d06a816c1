#pragma once

#include "ResultSet.h"
#include "Value.h"

#include <QHash>
#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tkd {

// Named parameter values of one statement, given without the colon.
class Params {
public:
    Params() = default;
    Params(std::initializer_list<std::pair<QString, Value>> values) : m_values(values) {}
    Params& set(const QString& name, const Value& value);
    const std::vector<std::pair<QString, Value>>& values() const { return m_values; }
    const Value* find(const QString& name) const;

private:
    std::vector<std::pair<QString, Value>> m_values;
};

// One connection to one encrypted database file. Statements are written as the system
// writes them (bracketed names, :name parameters, either quote style for literals);
// every error of the engine is thrown as DbError with the engine's message.
class Database {
public:
    enum class OpenMode { ExistingOnly, CreateIfMissing };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void open(const QString& path, const QString& key, OpenMode mode = OpenMode::ExistingOnly);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }

    ResultSet select(const QString& statement, const Params& params = {});
    // Runs an insert, update, delete or schema statement; returns the number of rows changed.
    qint64 execute(const QString& statement, const Params& params = {});
    // Several statements without parameters separated by ";" (schema scripts).
    void executeScript(const QString& script);
    // The key given to the last row inserted through this connection.
    qint64 lastInsertId() const;
    // One value of a one-row select: Null when there are no rows.
    Value scalar(const QString& statement, const Params& params = {});

    // Writes a compacted copy of this database, under the given key, to a new file.
    void compactInto(const QString& targetPath, const QString& key);

    int userVersion();
    void setUserVersion(int version);
    bool tableExists(const QString& name);

    int transactionDepth() const { return m_transactionDepth; }
    int cachedStatementCount() const { return static_cast<int>(m_cache.size()); }

private:
    friend class Transaction;
    sqlite3_stmt* prepare(const QString& statement);
    void bind(sqlite3_stmt* stmt, const QString& statement, const Params& params);
    [[noreturn]] void fail(int rc, const QString& context = {}) const;
    void clearCache();

    sqlite3* m_db = nullptr;
    QString m_path;
    QHash<QString, sqlite3_stmt*> m_cache;
    int m_transactionDepth = 0;
};

// Everything done while the guard lives is one unit: commit() keeps it, leaving the
// scope without commit() (a refusal or an exception) undoes all of it. Guards nest.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    int m_level;
    bool m_done = false;
};

} // namespace tkd
