#pragma once

#include "db/ResultSet.h"

#include <QHash>
#include <QTableView>
#include <initializer_list>
#include <utility>

class QAction;
class QMenu;

namespace tkd::gui {

class GridDelegate;
class ResultTableModel;

// The read-only grid of every list window: whole rows, one at a time, in the house look.
// Column layouts are set by column name and survive a refresh with setResult.
// Its right-click menu holds the actions a window added to it (addAction), then the export
// of what it shows to Excel and CSV, whichever of the default and actions menu policies the
// window chose. A window with a custom menu builds it from createContextMenu.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    enum RowOnRefill {
        // A new result, such as the next member's history, starts on its first row.
        FirstRow,
        // The same list read again after a change made here (a right ticked, a row deleted):
        // the current row index stays, on the last row when the result got shorter.
        KeepRow,
    };

    explicit DataGrid(QWidget* parent = nullptr);

    // Shows a copy of the result; the current row as `row` says (none when it is empty).
    void setResult(const ResultSet& result, RowOnRefill row = FirstRow);
    const ResultSet& result() const;
    ResultTableModel* resultModel() const { return m_model; }

    // Layout by column name. A name the result lacks is a programming error: it asserts in
    // debug builds and is ignored otherwise. Names set before the first result are checked
    // when it arrives.
    void setColumnWidths(std::initializer_list<std::pair<QString, int>> widths);
    void setColumnWidth(const QString& column, int width);
    void hideColumn(const QString& column);
    void showColumn(const QString& column);
    // Forgets the layout, for a grid that goes on to show a result of other columns.
    void clearColumnLayout();
    using QTableView::hideColumn;
    using QTableView::setColumnWidth;
    using QTableView::showColumn;

    // -1 when there is none.
    int currentRowIndex() const;
    // Makes the row current and selected; -1 or a row out of range clears both.
    void selectRow(int row);
    // Throws DbError for an unknown column or a row out of range.
    Value value(int row, const QString& column) const;
    // Null when there is no current row; still throws DbError for an unknown column.
    Value currentValue(const QString& column) const;

    // The grid's own actions, a separator and the two export entries; the caller owns it.
    QMenu* createContextMenu(QWidget* parent = nullptr);
    QAction* exportExcelAction() const { return m_exportExcel; }
    QAction* exportCsvAction() const { return m_exportCsv; }

Q_SIGNALS:
    void rowClicked(int row);
    void cellClicked(int row, const QString& column);
    void rowDoubleClicked(int row);
    // Also -1 when the grid loses its last row.
    void currentRowChanged(int row);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class ExportFormat { Excel, Csv };

    struct ColumnLayout {
        int width = -1;
        bool hidden = false;
        // Set by the window rather than remembered from what the user did.
        bool declared = false;
    };

    static QString layoutKey(const QString& column);
    int declaredColumn(const QString& column, const char* where) const;
    void rememberLayout();
    void applyLayout();
    void noteCurrentRow();
    bool showsOwnMenu(QEvent* event);
    void exportTo(ExportFormat format);

    ResultTableModel* m_model;
    GridDelegate* m_delegate;
    QAction* m_exportExcel;
    QAction* m_exportCsv;
    QHash<QString, ColumnLayout> m_layout;
    int m_currentRow = -1;
};

} // namespace tkd::gui
