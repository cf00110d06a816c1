#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace tkd::gui {

// Paints the house look of every grid: orange lines between unselected cells, the selected
// row green with red text, yes/no cells as a centred check box.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(QObject* parent = nullptr);

    static QColor gridLineColor() { return QColor(255, 150, 50); }
    static QColor selectedFillColor() { return QColor(50, 255, 50); }
    static QColor selectedTextColor() { return QColor(255, 50, 50); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static void paintCheckBox(QPainter* painter, const QStyleOptionViewItem& cell, Qt::CheckState state);
};

} // namespace tkd::gui
