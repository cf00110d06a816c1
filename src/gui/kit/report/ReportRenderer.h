#pragma once

#include "kit/report/Report.h"

#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace tkd::gui {

// Lays a Report out into pages and paints them. The layout is done once, in a fixed
// resolution of its own, and scaled onto each device, so the PDF, the preview and the
// printer show the same page breaks and the same elisions.
class ReportRenderer {
public:
    explicit ReportRenderer(Report report);

    const Report& report() const { return m_report; }
    int pageCount() const { return int(m_pages.size()); }
    // A receipt's length is computed from its content.
    QSizeF pageSizeMm() const;
    // Whole sheet, no margins: the report keeps its own.
    QPageLayout pageLayout() const;
    // Paper chosen in the printer settings; a receipt keeps its roll.
    void usePageLayout(const QPageLayout& layout);
    // Widths after fitting the columns into the printable width.
    QList<qreal> columnWidthsMm() const;

    void setUpPrinter(QPrinter& printer) const;
    // Pages first..last (1-based; 0 is the last page) on a painter already begun on the
    // device; starts a new device page between them.
    void paint(QPainter& painter, QPagedPaintDevice& device, int first = 1, int last = 0) const;
    bool renderToPdf(const QString& path) const;
    // Honours the page range chosen in the print dialog.
    bool print(QPrinter* printer) const;

private:
    enum class Kind { Title, Header, Headings, Row, Totals, Picture, Chart, Footer };
    struct Item {
        Kind kind;
        int index;
        qreal top;
        qreal height;
    };
    using Page = QList<Item>;

    void layOut();
    void layOutColumns(qreal contentWidth);
    void drawPage(QPainter& painter, int page) const;
    void drawItem(QPainter& painter, const Item& item) const;
    void drawCells(QPainter& painter, const QStringList& cells, qreal top, qreal height) const;
    void drawRule(QPainter& painter, qreal y) const;
    void drawPicture(QPainter& painter, const Item& item) const;
    // In layout dots, shrunk to the content width and the height of a page.
    QSizeF pictureSize(int index) const;
    qreal chartHeight(int index) const;
    qreal wrappedHeight(const QFont& font, const QString& text) const;
    QSizeF paperSizeMm() const;

    Report m_report;
    QPageSize m_pageSize;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    qreal m_receiptLengthMm = 0;

    QFont m_titleFont;
    QFont m_bodyFont;
    QFont m_boldFont;
    QFont m_pageNumberFont;
    QFont m_chartTitleFont;
    QFont m_chartFont;

    // Everything below is in layout dots.
    QMarginsF m_margins;
    qreal m_contentWidth = 0;
    qreal m_contentHeight = 0;
    qreal m_rowHeight = 0;
    qreal m_cellPadding = 0;
    QList<qreal> m_columnLeft;
    QList<qreal> m_columnWidth;
    QList<Qt::Alignment> m_columnAlignment;
    bool m_hasHeadings = false;
    QList<Page> m_pages;
};

} // namespace tkd::gui
