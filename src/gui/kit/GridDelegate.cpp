#include "GridDelegate.h"

#include <QApplication>
#include <QPainter>

namespace tkd::gui {

namespace {

QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

GridDelegate::GridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const bool selected = cell.state.testFlag(QStyle::State_Selected);
    const bool hasCheck = cell.features.testFlag(QStyleOptionViewItem::HasCheckIndicator);

    painter->save();
    if (selected) {
        painter->fillRect(cell.rect, selectedFillColor());
        cell.palette.setColor(QPalette::Text, selectedTextColor());
    }
    // Left to the style, the selection would be painted in the desktop's highlight and the
    // current cell framed, covering the house colours.
    cell.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    styleOf(cell)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    if (hasCheck)
        paintCheckBox(painter, cell, cell.checkState);
    if (!selected) {
        const QRect& r = cell.rect;
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), gridLineColor());
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), gridLineColor());
    }
    painter->restore();
}

void GridDelegate::paintCheckBox(QPainter* painter, const QStyleOptionViewItem& cell, Qt::CheckState state)
{
    QStyle* style = styleOf(cell);
    QStyleOptionViewItem box = cell;
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &box, cell.widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &box, cell.widget));
    box.rect = QStyle::alignedRect(cell.direction, Qt::AlignCenter, size, cell.rect);
    box.state |= state == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, cell.widget);
}

} // namespace tkd::gui
