#include "DataGrid.h"

#include "FileDialogs.h"
#include "GridDelegate.h"
#include "GridExport.h"
#include "Messages.h"
#include "ResultTableModel.h"
#include "db/DbError.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <algorithm>
#include <memory>

namespace tkd::gui {

namespace {
// Wide enough to show the current row's mark, no wider: the indicator carries no numbers.
constexpr int kIndicatorWidth = 14;

// Where the last export went, offered again for the next one.
QString& exportFolder()
{
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}
} // namespace

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), m_model(new ResultTableModel(this)), m_delegate(new GridDelegate(this)),
      m_exportExcel(new QAction(QStringLiteral("导出Excel…"), this)),
      m_exportCsv(new QAction(QStringLiteral("导出CSV…"), this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The delegate draws the lines; the view's own grid would sit beside them.
    setShowGrid(false);
    setWordWrap(false);
    // Tab leaves the grid for the next field instead of walking its cells.
    setTabKeyNavigation(false);

    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(true);
    verticalHeader()->setFixedWidth(kIndicatorWidth);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(true);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        Q_EMIT rowClicked(index.row());
        Q_EMIT cellClicked(index.row(), m_model->result().columns().at(index.column()));
    });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowDoubleClicked(index.row()); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { noteCurrentRow(); });

    // Not added to the grid's own actions: those are the window's, listed above these.
    m_exportExcel->setObjectName(QStringLiteral("exportExcelAction"));
    m_exportCsv->setObjectName(QStringLiteral("exportCsvAction"));
    connect(m_exportExcel, &QAction::triggered, this, [this] { exportTo(ExportFormat::Excel); });
    connect(m_exportCsv, &QAction::triggered, this, [this] { exportTo(ExportFormat::Csv); });
}

void DataGrid::setResult(const ResultSet& result, RowOnRefill keep)
{
    const int row = keep == KeepRow ? currentRowIndex() : 0;
    rememberLayout();
    m_model->setResult(result);
    applyLayout();
    const int rows = m_model->rowCount();
    selectRow(rows == 0 ? -1 : std::clamp(row, 0, rows - 1));
    // Resetting the model drops the current row without a signal.
    noteCurrentRow();
}

const ResultSet& DataGrid::result() const
{
    return m_model->result();
}

QString DataGrid::layoutKey(const QString& column)
{
    QString bare = column.trimmed();
    if (bare.startsWith(QLatin1Char('[')) && bare.endsWith(QLatin1Char(']')))
        bare = bare.mid(1, bare.size() - 2);
    return bare.toCaseFolded();
}

int DataGrid::declaredColumn(const QString& column, const char* where) const
{
    const int index = m_model->columnIndex(column);
    Q_ASSERT_X(index >= 0 || m_model->columnCount() == 0, where, qPrintable(QStringLiteral("没有列 [%1]").arg(column)));
    Q_UNUSED(where);
    return index;
}

void DataGrid::setColumnWidths(std::initializer_list<std::pair<QString, int>> widths)
{
    for (const auto& [column, width] : widths)
        setColumnWidth(column, width);
}

void DataGrid::setColumnWidth(const QString& column, int width)
{
    ColumnLayout& layout = m_layout[layoutKey(column)];
    layout.width = width;
    layout.declared = true;
    const int index = declaredColumn(column, "DataGrid::setColumnWidth");
    if (index >= 0)
        QTableView::setColumnWidth(index, width);
}

void DataGrid::hideColumn(const QString& column)
{
    ColumnLayout& layout = m_layout[layoutKey(column)];
    layout.hidden = true;
    layout.declared = true;
    const int index = declaredColumn(column, "DataGrid::hideColumn");
    if (index >= 0)
        QTableView::hideColumn(index);
}

void DataGrid::showColumn(const QString& column)
{
    ColumnLayout& layout = m_layout[layoutKey(column)];
    layout.hidden = false;
    layout.declared = true;
    const int index = declaredColumn(column, "DataGrid::showColumn");
    if (index >= 0)
        QTableView::showColumn(index);
}

void DataGrid::clearColumnLayout()
{
    m_layout.clear();
}

void DataGrid::rememberLayout()
{
    // Widths the user dragged and columns hidden by position count as much as declared ones.
    const QStringList& columns = m_model->result().columns();
    for (int i = 0; i < columns.size(); ++i) {
        ColumnLayout& layout = m_layout[layoutKey(columns.at(i))];
        layout.hidden = isColumnHidden(i);
        if (!layout.hidden)
            layout.width = columnWidth(i);
    }
}

void DataGrid::applyLayout()
{
    const QStringList& columns = m_model->result().columns();
    if (columns.isEmpty())
        return;
    for (int i = 0; i < columns.size(); ++i) {
        const auto found = m_layout.constFind(layoutKey(columns.at(i)));
        if (found == m_layout.constEnd()) {
            setColumnHidden(i, false);
            continue;
        }
        if (found->width >= 0)
            QTableView::setColumnWidth(i, found->width);
        setColumnHidden(i, found->hidden);
    }
    for (auto it = m_layout.constBegin(); it != m_layout.constEnd(); ++it)
        if (it->declared)
            declaredColumn(it.key(), "DataGrid::setResult");
}

int DataGrid::currentRowIndex() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void DataGrid::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
        noteCurrentRow();
        return;
    }
    int column = 0;
    while (column < m_model->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex index = m_model->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

Value DataGrid::value(int row, const QString& column) const
{
    return m_model->value(row, column);
}

Value DataGrid::currentValue(const QString& column) const
{
    const int row = currentRowIndex();
    if (row >= 0)
        return m_model->value(row, column);
    if (!m_model->result().hasColumn(column))
        throw DbError(QStringLiteral("结果中没有列 [%1]").arg(column));
    return {};
}

QMenu* DataGrid::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("gridMenu"));
    const QList<QAction*> own = actions();
    menu->addActions(own);
    if (!own.isEmpty())
        menu->addSeparator();
    // A grid that never got a result has not even titles to write.
    const bool hasColumns = m_model->columnCount() > 0;
    m_exportExcel->setEnabled(hasColumns);
    m_exportCsv->setEnabled(hasColumns);
    menu->addAction(m_exportExcel);
    menu->addAction(m_exportCsv);
    return menu;
}

bool DataGrid::showsOwnMenu(QEvent* event)
{
    // Left to Qt, the actions policy would list the window's actions without the export entries.
    if (event->type() != QEvent::ContextMenu || contextMenuPolicy() != Qt::ActionsContextMenu)
        return false;
    contextMenuEvent(static_cast<QContextMenuEvent*>(event));
    return true;
}

bool DataGrid::event(QEvent* event)
{
    // The menu key reaches the grid itself.
    return showsOwnMenu(event) || QTableView::event(event);
}

bool DataGrid::viewportEvent(QEvent* event)
{
    // A right click reaches the viewport.
    return showsOwnMenu(event) || QTableView::viewportEvent(event);
}

void DataGrid::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QRect cell = visualRect(currentIndex());
        if (cell.isValid())
            at = viewport()->mapToGlobal(cell.center());
    }
    const std::unique_ptr<QMenu> menu(createContextMenu(this));
    menu->exec(at);
    event->accept();
}

void DataGrid::exportTo(ExportFormat format)
{
    const bool excel = format == ExportFormat::Excel;
    const QString suffix = excel ? QStringLiteral("xlsx") : QStringLiteral("csv");
    QString name = window()->windowTitle().trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("导出");
    const QString path = FileDialogs::saveFileName(
        {this, excel ? QStringLiteral("导出Excel") : QStringLiteral("导出CSV"),
         QDir(exportFolder()).filePath(name + QLatin1Char('.') + suffix),
         excel ? QStringLiteral("Excel 工作簿 (*.xlsx)") : QStringLiteral("CSV 文件 (*.csv)"), suffix});
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = excel ? exportXlsx(*this, path) : exportCsv(*this, path)) {
        Messages::error(this, *error);
        return;
    }
    exportFolder() = QFileInfo(path).absolutePath();
}

void DataGrid::noteCurrentRow()
{
    const int row = currentRowIndex();
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    Q_EMIT currentRowChanged(row);
}

} // namespace tkd::gui
