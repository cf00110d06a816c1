#pragma once

#include "db/ResultSet.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>

namespace tkd::gui {

// Read-only view of a query result for the grids: one row per row visible through the
// result's filter, one column per result column, titled by its name.
class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultTableModel(QObject* parent = nullptr);

    // Keeps its own copy, so the caller may refilter or drop its result afterwards.
    void setResult(const ResultSet& result);
    const ResultSet& result() const { return m_result; }
    // A text colour per row (e.g. by a state column); an invalid colour keeps the house one.
    using RowColour = std::function<QColor(const ResultSet& result, int row)>;
    void setRowColour(RowColour colour) { m_rowColour = std::move(colour); }

    // -1 when the result has no such column (names compare as ResultSet compares them).
    int columnIndex(const QString& column) const { return m_result.columnIndex(column); }
    // Throws DbError for an unknown column or a row out of range.
    Value value(int row, const QString& column) const { return m_result.value(row, column); }
    // The text a cell shows; empty for yes/no cells, which show a check box instead.
    QString displayText(int row, int column) const;
    bool isYesNoColumn(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    ResultSet m_result;
    RowColour m_rowColour;
};

} // namespace tkd::gui
