#pragma once

#include "data/TvelunDMForm.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tkd {

namespace schema {
struct TableDef;
}

// A scratch table that a window empties and refills (the visit list, the visitor-flow counts,
// the basket of a sale...). Each refill is one transaction: one that fails leaves the rows
// that were there before, never a half-filled list.
class ScratchList {
public:
    // Throws DbError for a table that is not a scratch table: this never empties business rows.
    ScratchList(TvelunDMForm& dm, const QString& table);

    const QString& table() const { return m_table; }

    // Empties the table and runs an "insert into [table] ... select ..." with its parameters.
    // Returns the number of rows inserted.
    qint64 refill(const QString& insertSelect, const Params& params = {});
    // Empties the table and inserts the rows, each holding the values of the columns in order.
    // Columns the table lacks, or a row of another length, are refused before anything changes.
    qint64 refill(const QStringList& columns, const std::vector<std::vector<Value>>& rows);
    // Empties the table and lets fill write the new rows in the same transaction, for lists
    // that are counted or looked up row by row. Counts nothing: the desk refills on every swipe.
    void refill(const std::function<void(TvelunDMForm&)>& fill);
    void clear();
    qint64 rowCount();

private:
    TvelunDMForm& m_dm;
    QString m_table;
    const schema::TableDef* m_def = nullptr;
};

} // namespace tkd
