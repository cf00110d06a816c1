#include "GridExport.h"

#include "DataGrid.h"
#include "ResultTableModel.h"

#include <QFile>
#include <QHeaderView>
#include <QSaveFile>
#include <QTemporaryDir>
#include <exception>
#include <memory>
#include <vector>
#include <xlsxwriter.h>

namespace tkd::gui {

namespace {

struct ShownColumn {
    int logical = 0;
    QString title;
    ColumnType type = ColumnType::Unknown;
    int width = 0;
};

enum class CellKind { Blank, Text, Number, Money, Date, DateTime };

struct Cell {
    CellKind kind = CellKind::Blank;
    // What the grid shows; the CSV writes only this.
    QString text;
    double number = 0;
    QDateTime moment;
};

std::vector<ShownColumn> shownColumns(const DataGrid& grid)
{
    const QHeaderView* header = grid.horizontalHeader();
    const ResultTableModel* model = grid.resultModel();
    std::vector<ShownColumn> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || header->isSectionHidden(logical))
            continue;
        columns.push_back({logical, model->headerData(logical, Qt::Horizontal).toString(),
                           model->result().columnType(logical), grid.columnWidth(logical)});
    }
    return columns;
}

Cell dateCell(const QDateTime& moment, const QString& text)
{
    // The sheet's date serials begin in 1900; an earlier date stays the text the grid shows.
    if (!moment.isValid() || moment.date().year() < 1900)
        return {CellKind::Text, text, 0, {}};
    const bool dateOnly = moment.time() == QTime(0, 0);
    return {dateOnly ? CellKind::Date : CellKind::DateTime, text, 0, moment};
}

Cell cellAt(const ResultTableModel& model, int row, const ShownColumn& column)
{
    const QModelIndex index = model.index(row, column.logical);
    if (model.isYesNoColumn(column.logical))
        return {CellKind::Text, model.data(index, Qt::AccessibleTextRole).toString(), 0, {}};
    const QString text = model.data(index, Qt::DisplayRole).toString();
    if (text.isEmpty())
        return {};
    const Value value = model.result().value(row, column.logical);
    ColumnType type = column.type;
    if (type == ColumnType::Unknown) {
        // An expression column: go by what the engine handed back.
        switch (value.type()) {
        case ValueType::Money:
            type = ColumnType::Money;
            break;
        case ValueType::DateTime:
            type = ColumnType::DateTime;
            break;
        case ValueType::Integer:
        case ValueType::Real:
            type = ColumnType::Number;
            break;
        default:
            break;
        }
    }
    switch (type) {
    case ColumnType::Money: {
        // The amount shown, to the cent, so the sheet adds up to what the grid shows.
        Money amount;
        if (Money::parse(text, &amount))
            return {CellKind::Money, text, amount.toDouble(), {}};
        return {CellKind::Text, text, 0, {}};
    }
    case ColumnType::DateTime:
        return dateCell(value.toDateTime(), text);
    case ColumnType::Integer:
    case ColumnType::Number:
        if (value.type() == ValueType::Integer || value.type() == ValueType::Real)
            return {CellKind::Number, text, value.toDouble(), {}};
        return {CellKind::Text, text, 0, {}};
    default:
        return {CellKind::Text, text, 0, {}};
    }
}

QString writeFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("导出失败，无法写入文件 %1：%2").arg(path, reason);
}

// Replaces the file only once every byte is down.
std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return writeFailure(path, reason);
    }
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return std::nullopt;
}

QByteArray csvField(const QString& text)
{
    QByteArray field = text.toUtf8();
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
        field = '"' + field.replace("\"", "\"\"") + '"';
    return field;
}

QByteArray csvText(const DataGrid& grid)
{
    const std::vector<ShownColumn> columns = shownColumns(grid);
    const ResultTableModel& model = *grid.resultModel();
    // Without the mark, spreadsheet programs read the file in the desktop's code page.
    QByteArray out("\xEF\xBB\xBF");
    const auto writeLine = [&](auto&& textOf) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                out += ',';
            out += csvField(textOf(columns[i]));
        }
        out += "\r\n";
    };
    writeLine([](const ShownColumn& c) { return c.title; });
    for (int row = 0; row < model.rowCount(); ++row)
        writeLine([&](const ShownColumn& c) { return cellAt(model, row, c).text; });
    return out;
}

lxw_datetime sheetMoment(const QDateTime& moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), static_cast<double>(t.second())};
}

lxw_format* numberFormat(lxw_workbook* book, const char* pattern)
{
    lxw_format* format = workbook_add_format(book);
    format_set_num_format(format, pattern);
    return format;
}

// Writes the sheet through the library into its own file; the error text when that failed.
std::optional<QString> writeWorkbook(const DataGrid& grid, const QByteArray& file)
{
    const auto failure = [](lxw_error error) {
        return QStringLiteral("导出失败，无法生成Excel文件：%1").arg(QString::fromUtf8(lxw_strerror(error)));
    };
    // Closing the book writes it and frees it; a book abandoned on an error is closed too.
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> book(workbook_new(file.constData()),
                                                                [](lxw_workbook* b) { workbook_close(b); });
    if (!book)
        return QStringLiteral("导出失败，无法生成Excel文件。");
    lxw_workbook* wb = book.get();

    QByteArray sheetName = grid.window()->windowTitle().trimmed().toUtf8();
    const bool named = !sheetName.isEmpty() && workbook_validate_sheet_name(wb, sheetName.constData()) == LXW_NO_ERROR;
    lxw_worksheet* sheet = workbook_add_worksheet(wb, named ? sheetName.constData() : nullptr);
    if (!sheet)
        return QStringLiteral("导出失败，无法生成Excel文件。");

    lxw_format* title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_align(title, LXW_ALIGN_CENTER);
    lxw_format* money = numberFormat(wb, "0.00");
    lxw_format* date = numberFormat(wb, "yyyy-mm-dd");
    lxw_format* dateTime = numberFormat(wb, "yyyy-mm-dd hh:mm:ss");

    const std::vector<ShownColumn> columns = shownColumns(grid);
    const ResultTableModel& model = *grid.resultModel();
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto col = static_cast<lxw_col_t>(i);
        if (const lxw_error e = worksheet_write_string(sheet, 0, col, columns[i].title.toUtf8().constData(), title))
            return failure(e);
        worksheet_set_column_pixels(sheet, col, col, static_cast<uint32_t>(std::max(columns[i].width, 0)), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    for (int row = 0; row < model.rowCount(); ++row) {
        const auto sheetRow = static_cast<lxw_row_t>(row + 1);
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto col = static_cast<lxw_col_t>(i);
            const Cell cell = cellAt(model, row, columns[i]);
            lxw_error e = LXW_NO_ERROR;
            switch (cell.kind) {
            case CellKind::Blank:
                break;
            case CellKind::Text:
                e = worksheet_write_string(sheet, sheetRow, col, cell.text.toUtf8().constData(), nullptr);
                break;
            case CellKind::Number:
                e = worksheet_write_number(sheet, sheetRow, col, cell.number, nullptr);
                break;
            case CellKind::Money:
                e = worksheet_write_number(sheet, sheetRow, col, cell.number, money);
                break;
            case CellKind::Date:
            case CellKind::DateTime: {
                lxw_datetime moment = sheetMoment(cell.moment);
                e = worksheet_write_datetime(sheet, sheetRow, col, &moment,
                                             cell.kind == CellKind::Date ? date : dateTime);
                break;
            }
            }
            if (e != LXW_NO_ERROR)
                return failure(e);
        }
    }

    if (const lxw_error e = workbook_close(book.release()))
        return failure(e);
    return std::nullopt;
}

} // namespace

std::optional<QString> exportCsv(const DataGrid& grid, const QString& path)
{
    try {
        return saveWhole(path, csvText(grid));
    } catch (const std::exception& e) {
        return QStringLiteral("导出失败：%1").arg(QString::fromLocal8Bit(e.what()));
    }
}

std::optional<QString> exportXlsx(const DataGrid& grid, const QString& path)
{
    try {
        // The library writes to a path of its own choosing; the target is replaced only by a finished book.
        QTemporaryDir work;
        if (!work.isValid())
            return writeFailure(work.path(), work.errorString());
        const QString bookPath = work.filePath(QStringLiteral("export.xlsx"));
        if (std::optional<QString> error = writeWorkbook(grid, QFile::encodeName(bookPath)))
            return error;
        QFile book(bookPath);
        if (!book.open(QIODevice::ReadOnly))
            return writeFailure(bookPath, book.errorString());
        return saveWhole(path, book.readAll());
    } catch (const std::exception& e) {
        return QStringLiteral("导出失败：%1").arg(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace tkd::gui
