#pragma once

#include "ResultSet.h"
#include "Value.h"

#include <QHash>
#include <QString>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
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
//
// A text parameter holding a day ("2024-03-15") or a moment ("2024-03-15 18:00:00") that is compared
// with, assigned to or inserted into a DATETIME column is bound in the stored form; a bare day that
// closes a range from above ("<=", the second bound of "between") stands for the whole of that day.
class Database {
public:
    enum class OpenMode { ExistingOnly, CreateIfMissing };
    // How long a statement waits for a file another connection is writing before it fails.
    static constexpr std::chrono::milliseconds busyTimeout{5000};
    // Page size of files written now, and of files written before it grew; both open.
    static constexpr int kPageSize = 4096;
    static constexpr int kOlderPageSize = 1024;
    // The page size of the open file.
    int pageSize();

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

    // The write-ahead log. A commit that leaves it at least `ask` pages long asks the handler, once, to
    // fold it into the file when convenient (the program does it when idle, after the window has shown
    // what the command did); one that leaves it `force` pages long folds it at once, so that it never
    // grows without bound where nobody folds it (the sample-hall generator, the tests).
    struct LogLimits {
        int ask = 1000;
        int force = 10000;
    };
    void setLogLimits(LogLimits limits) { m_logLimits = limits; }
    void setLogFullHandler(std::function<void()> handler) { m_onLogFull = std::move(handler); }
    // Folds the log into the file: false when a transaction is open or the engine failed.
    bool checkpoint();
    struct FoldCount {
        int times = 0;
        double totalMs = 0;
        double longestMs = 0;
    };
    const FoldCount& logFolds() const { return m_folds; }

    int transactionDepth() const { return m_transactionDepth; }
    int cachedStatementCount() const { return static_cast<int>(m_cache.size()); }
    // Changes at every open and close: a transaction guard of an earlier connection has nothing left to do.
    quint64 connectionGeneration() const { return m_generation; }

private:
    friend class Transaction;
    enum class DateRole { None, Moment, WholeDayUpTo };
    sqlite3_stmt* prepare(const QString& statement);
    void bind(sqlite3_stmt* stmt, const QString& statement, const Params& params);
    [[noreturn]] void fail(int rc, const QString& context = {}) const;
    void clearCache();
    // The stored form of a date text bound for a date-time column; the text itself otherwise.
    QString boundText(const QString& statement, const QString& parameter, const QString& text);
    DateRole dateRole(const QString& statement, const QString& parameter);
    bool isDateTimeColumn(const QStringList& tables, const QString& column) const;
    // A select of a whole table ordered by one of its text columns, read unordered and ordered here.
    struct WholeTableOrder {
        QString unordered;
        QString table;
        QString column;
        bool noCase = false;
    };
    std::optional<WholeTableOrder> wholeTableOrdered(const QString& statement);
    std::optional<WholeTableOrder> wholeTableShape(const QString& statement) const;
    std::optional<ResultSet> selectOrderedHere(const WholeTableOrder& order, const Params& params);
    ResultSet run(const QString& statement, const Params& params, qint64 expectedRows = 0);

    static int onLogCommit(void* self, sqlite3* db, const char* schema, int pages);
    bool foldLog();

    sqlite3* m_db = nullptr;
    LogLimits m_logLimits;
    std::function<void()> m_onLogFull;
    bool m_foldAsked = false;
    FoldCount m_folds;
    QString m_path;
    QHash<QString, sqlite3_stmt*> m_cache;
    // Per statement, the role of each parameter that meets a date-time column (lower-case names).
    QHash<QString, QHash<QString, DateRole>> m_dateRoles;
    QHash<QString, std::optional<WholeTableOrder>> m_orderShapes;
    int m_transactionDepth = 0;
    quint64 m_generation = 0;
};

// Everything done while the guard lives is one unit: commit() keeps it, leaving the
// scope without commit() (a refusal or an exception) undoes all of it. Guards nest.
// Closing the connection undoes what an open guard did; that guard then touches nothing on a
// connection opened later, and its commit() fails.
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
    quint64 m_generation;
    bool m_done = false;
};

} // namespace tkd
