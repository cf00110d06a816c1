#include "ResultTableModel.h"

#include "CellText.h"

namespace tkd::gui {

ResultTableModel::ResultTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultTableModel::setResult(const ResultSet& result)
{
    beginResetModel();
    m_result = result;
    endResetModel();
}

bool ResultTableModel::isYesNoColumn(int column) const
{
    return m_result.columnType(column) == ColumnType::YesNo;
}

QString ResultTableModel::displayText(int row, int column) const
{
    if (isYesNoColumn(column))
        return {};
    return cellText(m_result, row, column);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_result.rowCount();
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_result.columns().size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const int column = index.column();
    if (isYesNoColumn(column)) {
        if (role == Qt::CheckStateRole)
            return m_result.value(row, column).toBool() ? Qt::Checked : Qt::Unchecked;
        // A check box says nothing to a screen reader.
        if (role == Qt::AccessibleTextRole)
            return cellText(m_result, row, column);
        return {};
    }
    if (role == Qt::DisplayRole)
        return displayText(row, column);
    if (role == Qt::ForegroundRole && m_rowColour) {
        const QColor colour = m_rowColour(m_result, row);
        if (colour.isValid())
            return colour;
    }
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The vertical header is the row indicator: it marks the current row and shows no numbers.
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section < 0 || section >= m_result.columns().size())
        return {};
    return m_result.columns().at(section);
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Not user-checkable: yes/no cells are shown, never toggled, from a grid.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tkd::gui
