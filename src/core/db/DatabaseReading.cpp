#include "Database.h"

#include "DbError.h"
#include "StoredCells.h"

#include <QRegularExpression>
#include <algorithm>
#include <sqlcipher/sqlite3.h>

// Reading results: how a stored cell becomes a value or packed bytes, and the whole-table order.
namespace tkd {

namespace {

ColumnType typeFromDeclaration(const char* declared)
{
    if (!declared)
        return ColumnType::Unknown;
    const QByteArray d = QByteArray(declared).toUpper();
    if (d == "DATETIME")
        return ColumnType::DateTime;
    if (d == "MONEY")
        return ColumnType::Money;
    if (d == "YESNO")
        return ColumnType::YesNo;
    if (d.contains("INT"))
        return ColumnType::Integer;
    if (d == "NUMBER" || d == "REAL" || d == "DOUBLE" || d == "FLOAT")
        return ColumnType::Number;
    if (d.contains("TEXT") || d.contains("CHAR") || d == "MEMO")
        return ColumnType::Text;
    return ColumnType::Unknown;
}

// Reads one cell as its column's type asks, handing it to a sink: a value for a small result,
// packed bytes for a large one. The one place that decides how a stored cell reads.
template <typename Sink> void readCell(sqlite3_stmt* stmt, int i, ColumnType type, Sink& sink)
{
    if (type == ColumnType::Text) {
        // Most cells are text. Read as bytes, the engine hands over the page's own copy, where reading
        // as text would copy it to add a terminating zero; a number still reads as its text.
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, i));
        const int size = sqlite3_column_bytes(stmt, i);
        if (!bytes)
            return sqlite3_column_type(stmt, i) == SQLITE_NULL ? sink.null() : sink.text({});
        return sink.text(std::string_view(bytes, static_cast<size_t>(size)));
    }
    const int storage = sqlite3_column_type(stmt, i);
    if (storage == SQLITE_NULL)
        return sink.null();
    const auto text = [stmt, i] {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return std::string_view(bytes, static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
    };
    switch (type) {
    case ColumnType::DateTime: {
        const std::string_view stored = text();
        QDate date;
        QTime time;
        if (Value::parseStoredParts(stored, date, time))
            return sink.dateTime(date, time);
        const QDateTime dt =
            Value::parseDateTime(QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size())));
        return dt.isValid() ? sink.dateTime(dt) : sink.text(stored);
    }
    case ColumnType::Money:
        return sink.money(Money::fromDouble(sqlite3_column_double(stmt, i)));
    case ColumnType::YesNo:
        return sink.yesNo(sqlite3_column_int64(stmt, i) != 0);
    case ColumnType::Integer:
        if (storage == SQLITE_FLOAT)
            return sink.real(sqlite3_column_double(stmt, i));
        return storage == SQLITE_TEXT ? sink.text(text()) : sink.integer(sqlite3_column_int64(stmt, i));
    case ColumnType::Number:
        return storage == SQLITE_TEXT ? sink.text(text()) : sink.real(sqlite3_column_double(stmt, i));
    case ColumnType::Text:
        return sink.text(text());
    case ColumnType::Unknown:
        break;
    }
    switch (storage) {
    case SQLITE_INTEGER:
        return sink.integer(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return sink.real(sqlite3_column_double(stmt, i));
    default:
        return sink.text(text());
    }
}

struct ValueSink {
    Value value;
    void null() { value = Value(); }
    void text(std::string_view utf8)
    {
        value = Value(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    void integer(qint64 number) { value = Value(number); }
    void real(double number) { value = Value(number); }
    void yesNo(bool yes) { value = Value(yes); }
    void money(Money amount) { value = Value(amount); }
    void dateTime(const QDateTime& moment) { value = Value(moment); }
    void dateTime(const QDate& date, const QTime& time) { value = Value(QDateTime(date, time)); }
};

struct PackingSink {
    std::string* bytes = nullptr;
    void null() { stored::appendNull(*bytes); }
    void text(std::string_view utf8) { stored::appendText(*bytes, utf8); }
    void integer(qint64 number) { stored::appendInteger(*bytes, number); }
    void real(double number) { stored::appendReal(*bytes, number); }
    void yesNo(bool yes) { stored::appendYesNo(*bytes, yes); }
    void money(Money amount) { stored::appendMoney(*bytes, amount); }
    void dateTime(const QDateTime& moment) { stored::appendDateTime(*bytes, moment); }
    void dateTime(const QDate& date, const QTime& time) { stored::appendDateTime(*bytes, date, time); }
};

} // namespace

ResultSet Database::select(const QString& statement, const Params& params)
{
    if (const auto ordered = wholeTableOrdered(statement))
        if (auto rows = selectOrderedHere(*ordered, params))
            return std::move(*rows);
    return run(statement, params);
}

std::optional<Database::WholeTableOrder> Database::wholeTableOrdered(const QString& statement)
{
    const auto known = m_orderShapes.constFind(statement);
    if (known != m_orderShapes.constEnd())
        return *known;
    std::optional<WholeTableOrder> shape;
    if (statement.contains(QStringLiteral("order"), Qt::CaseInsensitive))
        shape = wholeTableShape(statement);
    m_orderShapes.insert(statement, shape);
    return shape;
}

std::optional<Database::WholeTableOrder> Database::wholeTableShape(const QString& statement) const
{
    static const QRegularExpression shape(
        QStringLiteral(
            "^\\s*(select\\s+(?:\\[[^\\]]+\\]\\.rowid\\s+as\\s+\\[[^\\]]+\\]\\s*,\\s*)?\\*\\s+from\\s+\\[([^\\]]+)\\])"
            "\\s+order\\s+by\\s+\\[([^\\]]+)\\]\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = shape.match(statement);
    if (!match.hasMatch() || !m_db)
        return std::nullopt;
    const QString table = match.captured(2);
    const QString column = match.captured(3);
    const char* declared = nullptr;
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(m_db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(), &declared,
                                      &collation, nullptr, nullptr, nullptr) != SQLITE_OK ||
        !declared || !collation)
        return std::nullopt;
    // Only a text column: every value it holds is text or empty, ordered by its bytes.
    if (!QByteArray(declared).toUpper().contains("TEXT"))
        return std::nullopt;
    const bool noCase = qstricmp(collation, "NOCASE") == 0;
    if (!noCase && qstricmp(collation, "BINARY") != 0)
        return std::nullopt;
    return WholeTableOrder{match.captured(1), table, column, noCase};
}

std::optional<ResultSet> Database::selectOrderedHere(const WholeTableOrder& order, const Params& params)
{
    // Over a whole table the engine walks the column's index and fetches each row by its id, one page
    // visit per row; reading the table as stored and ordering the rows here takes half the time. The
    // order is the engine's: empty values first, then the text's bytes (letters folded for NOCASE),
    // rows of equal text in the order of their ids, as the index holds them.
    // The largest row id is read from the table's last page: the row count, or a little more.
    const qint64 expected = scalar(QStringLiteral("select max(rowid) from [%1]").arg(order.table)).toInt();
    ResultSet rows = run(order.unordered, params, expected);
    const int column = rows.columnIndex(order.column);
    if (column < 0)
        return std::nullopt;
    // Keys folded once, so the sort compares bytes.
    std::vector<std::string> keys;
    std::vector<char> empty;
    keys.reserve(static_cast<size_t>(rows.rawRowCount()));
    empty.reserve(static_cast<size_t>(rows.rawRowCount()));
    for (int r = 0; r < rows.rawRowCount(); ++r) {
        std::string key;
        std::string_view packed;
        if (rows.packedText(r, column, &packed)) {
            key.assign(packed);
            empty.push_back(0);
        } else {
            const Value value = rows.rawValue(r, column);
            if (!value.isNull() && value.type() != ValueType::Text)
                return std::nullopt;
            empty.push_back(value.isNull() ? 1 : 0);
            key = value.toText().toStdString();
        }
        if (order.noCase)
            for (char& c : key)
                if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c + ('a' - 'A'));
        keys.push_back(std::move(key));
    }
    // Each row's place in the order: empty first, then the key's first eight bytes as one number (most
    // keys differ there), then the whole key, then the row itself (the index holds equal keys by row id).
    struct Place {
        bool filled;
        quint64 head;
        int row;
    };
    std::vector<Place> places;
    places.reserve(keys.size());
    for (size_t r = 0; r < keys.size(); ++r) {
        quint64 head = 0;
        for (size_t i = 0; i < 8; ++i)
            head = (head << 8) | (i < keys[r].size() ? static_cast<unsigned char>(keys[r][i]) : 0u);
        places.push_back({empty[r] == 0, head, static_cast<int>(r)});
    }
    const auto before = [&keys](const Place& x, const Place& y) {
        if (x.filled != y.filled)
            return !x.filled;
        if (x.head != y.head)
            return x.head < y.head;
        // Bytes compare unsigned, as the engine compares them.
        const int bytes = std::string_view(keys[static_cast<size_t>(x.row)])
                              .compare(std::string_view(keys[static_cast<size_t>(y.row)]));
        return bytes != 0 ? bytes < 0 : x.row < y.row;
    };
    // A hall issues cards in order: the stored order is usually the wanted one already.
    if (!std::is_sorted(places.begin(), places.end(), before)) {
        std::sort(places.begin(), places.end(), before);
        std::vector<int> sequence;
        sequence.reserve(places.size());
        for (const Place& place : places)
            sequence.push_back(place.row);
        rows.reorder(sequence);
    }
    return rows;
}

ResultSet Database::run(const QString& statement, const Params& params, qint64 expectedRows)
{
    sqlite3_stmt* stmt = prepare(statement);
    bind(stmt, statement, params);
    const int columns = sqlite3_column_count(stmt);
    QStringList names;
    std::vector<ColumnType> types;
    for (int i = 0; i < columns; ++i) {
        names << QString::fromUtf8(sqlite3_column_name(stmt, i));
        types.push_back(typeFromDeclaration(sqlite3_column_decltype(stmt, i)));
    }
    ResultSet::Builder rows(names, types);
    rows.expect(expectedRows);
    ValueSink value;
    PackingSink packed;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            const ColumnType type = types[static_cast<size_t>(i)];
            if (rows.packing()) {
                packed.bytes = &rows.nextCell(i);
                readCell(stmt, i, type, packed);
            } else {
                readCell(stmt, i, type, value);
                rows.add(std::move(value.value));
            }
        }
        rows.endRow();
    }
    if (rc != SQLITE_DONE) {
        sqlite3_reset(stmt);
        fail(rc, statement);
    }
    sqlite3_reset(stmt);
    return rows.finish();
}

} // namespace tkd
