#include "ReportRenderer.h"

#include "ChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QtMath>
#include <limits>

namespace tkd::gui {

namespace {

// Fine enough that whole-pixel font sizes are within a fraction of a percent of their points.
constexpr qreal kDotsPerInch = 1200;
constexpr qreal kReceiptWidthMm = 58;

qreal dots(qreal mm)
{
    return mm * kDotsPerInch / 25.4;
}

qreal toMm(qreal value)
{
    return value * 25.4 / kDotsPerInch;
}

// Pixel sizes in layout dots: a point size would be resolved again against each device's
// resolution on top of the painter's scaling.
QFont reportFont(qreal points, bool bold)
{
    QFont font;
    font.setFamilies(Report::fontFamilies());
    font.setStyleHint(QFont::SansSerif);
    // Shaping gives digits after Latin letters alternate glyphs that have no character in
    // the PDF's text map, so "R001" would read back as "R"; Han and Latin need no shaping.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(qMax(1, qRound(points * kDotsPerInch / 72)));
    font.setBold(bold);
    return font;
}

} // namespace

ReportRenderer::ReportRenderer(Report report)
    : m_report(std::move(report)), m_pageSize(QPageSize::A4),
      m_orientation(m_report.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait)
{
    layOut();
}

QSizeF ReportRenderer::paperSizeMm() const
{
    if (m_report.isReceipt())
        return {kReceiptWidthMm, m_receiptLengthMm};
    const QSizeF size = m_pageSize.size(QPageSize::Millimeter);
    return m_orientation == QPageLayout::Landscape ? size.transposed() : size;
}

QSizeF ReportRenderer::pageSizeMm() const
{
    return paperSizeMm();
}

QPageLayout ReportRenderer::pageLayout() const
{
    return QPageLayout(m_pageSize, m_orientation, QMarginsF(), QPageLayout::Millimeter);
}

void ReportRenderer::usePageLayout(const QPageLayout& layout)
{
    if (m_report.isReceipt() || !layout.pageSize().isValid())
        return;
    m_pageSize = layout.pageSize();
    m_orientation = layout.orientation();
    layOut();
}

QList<qreal> ReportRenderer::columnWidthsMm() const
{
    QList<qreal> widths;
    for (qreal width : m_columnWidth)
        widths.append(toMm(width));
    return widths;
}

void ReportRenderer::layOut()
{
    const bool receipt = m_report.isReceipt();
    m_titleFont = reportFont(m_report.titlePointSize(), true);
    m_bodyFont = reportFont(m_report.bodyPointSize(), false);
    m_boldFont = reportFont(m_report.bodyPointSize(), true);
    m_pageNumberFont = reportFont(m_report.bodyPointSize() - 1, false);
    m_chartTitleFont = reportFont(m_report.bodyPointSize() + 1, true);
    m_chartFont = reportFont(m_report.bodyPointSize() - 1, false);

    m_margins =
        receipt ? QMarginsF(dots(5), dots(4), dots(5), dots(6)) : QMarginsF(dots(15), dots(15), dots(15), dots(12));
    if (receipt && m_report.receiptMarginsMm()) {
        const QMarginsF& mm = *m_report.receiptMarginsMm();
        m_margins = QMarginsF(dots(mm.left()), dots(mm.top()), dots(mm.right()), dots(mm.bottom()));
    }
    const QSizeF paper = paperSizeMm();
    m_contentWidth = dots(paper.width()) - m_margins.left() - m_margins.right();
    m_cellPadding = dots(receipt ? 0.5 : 1.0);
    m_rowHeight = QFontMetricsF(m_bodyFont).height() + 2 * dots(receipt ? 0.5 : 0.8);
    const qreal lineSpacing = dots(receipt ? 0.6 : 1.0);
    layOutColumns(m_contentWidth);

    // The page number sits in a band of its own above the bottom margin.
    const qreal bottom =
        receipt ? std::numeric_limits<qreal>::max() : dots(paper.height()) - m_margins.bottom() - dots(8);
    m_contentHeight = bottom - m_margins.top();
    m_pages = {Page()};
    qreal y = m_margins.top();
    bool fresh = true;
    const auto newPage = [&](bool headings) {
        m_pages.append(Page());
        y = m_margins.top();
        if (headings && m_hasHeadings) {
            m_pages.last().append({Kind::Headings, 0, y, m_rowHeight});
            y += m_rowHeight;
        }
        fresh = true;
    };
    // keepWith: room needed below the item, so headings never end a page alone.
    const auto place = [&](Kind kind, int index, qreal height, qreal keepWith, bool headingsOnBreak) {
        if (!fresh && y + height + keepWith > bottom)
            newPage(headingsOnBreak);
        m_pages.last().append({kind, index, y, height});
        y += height;
        fresh = false;
    };
    const auto gap = [&](qreal height) {
        if (!fresh)
            y += height;
    };
    // A picture or chart as tall as a whole page shrinks to the rest of this page when that is
    // at least half a page, rather than leave the page nearly empty.
    const auto placeBlock = [&](Kind kind, int index, qreal height) {
        if (height >= m_contentHeight && bottom - y >= m_contentHeight / 2)
            height = bottom - y;
        place(kind, index, height, 0, false);
    };

    if (!m_report.title().isEmpty()) {
        place(Kind::Title, 0, wrappedHeight(m_titleFont, m_report.title()), 0, false);
        gap(dots(receipt ? 2 : 4));
    }
    for (int i = 0; i < m_report.headerLines().size(); ++i)
        place(Kind::Header, i, wrappedHeight(m_bodyFont, m_report.headerLines()[i]) + lineSpacing, 0, false);
    gap(dots(2));
    for (qsizetype e = 0; e < m_report.body().size(); ++e) {
        const ReportElement& element = m_report.body()[e];
        if (e > 0)
            gap(dots(3));
        switch (element.kind) {
        case ReportElement::Kind::Table: {
            const bool table = !m_report.rows().isEmpty() || !m_report.totals().isEmpty();
            if (table && m_hasHeadings)
                place(Kind::Headings, 0, m_rowHeight, m_rowHeight, false);
            for (int i = 0; i < m_report.rows().size(); ++i)
                place(Kind::Row, i, m_rowHeight, 0, true);
            if (!m_report.totals().isEmpty())
                gap(dots(1));
            for (int i = 0; i < m_report.totals().size(); ++i)
                place(Kind::Totals, i, m_rowHeight, 0, true);
            break;
        }
        case ReportElement::Kind::Picture:
            placeBlock(Kind::Picture, element.index, pictureSize(element.index).height());
            break;
        case ReportElement::Kind::Chart:
            placeBlock(Kind::Chart, element.index, chartHeight(element.index));
            break;
        }
    }
    if (!m_report.footerLines().isEmpty())
        gap(dots(3));
    for (int i = 0; i < m_report.footerLines().size(); ++i)
        place(Kind::Footer, i, wrappedHeight(m_bodyFont, m_report.footerLines()[i]) + lineSpacing, 0, false);

    if (receipt) {
        // Whole millimetres: the PDF page box is kept in whole points anyway.
        m_receiptLengthMm = std::max(qCeil(toMm(y + m_margins.bottom())), qCeil(m_report.receiptMinimumLengthMm()));
        m_pageSize = QPageSize(QSizeF(kReceiptWidthMm, m_receiptLengthMm), QPageSize::Millimeter,
                               QStringLiteral("58mm"), QPageSize::ExactMatch);
    }
}

void ReportRenderer::layOutColumns(qreal contentWidth)
{
    QList<ReportColumn> columns = m_report.columns();
    if (columns.isEmpty()) {
        // Rows without declared columns share the width; the last one, usually an amount,
        // goes to the right edge.
        qsizetype count = 0;
        for (const QStringList& cells : m_report.rows() + m_report.totals())
            count = qMax(count, cells.size());
        for (qsizetype i = 0; i < count; ++i) {
            const bool amount = count > 1 && i == count - 1;
            columns.append({QString(), toMm(contentWidth) / count, amount ? Qt::AlignRight : Qt::AlignLeft});
        }
    }
    qreal total = 0;
    for (const ReportColumn& column : columns)
        total += dots(qMax<qreal>(0, column.widthMm));
    const qreal scale = total > contentWidth ? contentWidth / total : 1;

    m_columnLeft.clear();
    m_columnWidth.clear();
    m_columnAlignment.clear();
    m_hasHeadings = false;
    qreal x = m_margins.left();
    for (const ReportColumn& column : columns) {
        const qreal width = dots(qMax<qreal>(0, column.widthMm)) * scale;
        m_columnLeft.append(x);
        m_columnWidth.append(width);
        m_columnAlignment.append(column.alignment & Qt::AlignHorizontal_Mask);
        m_hasHeadings = m_hasHeadings || !column.title.isEmpty();
        x += width;
    }
}

QSizeF ReportRenderer::pictureSize(int index) const
{
    const ReportPicture& picture = m_report.pictures()[index];
    QSizeF box(dots(qMax<qreal>(0, picture.sizeMm.width())), dots(qMax<qreal>(0, picture.sizeMm.height())));
    if (box.height() <= 0 && !picture.image.isNull())
        box.setHeight(box.width() * picture.image.height() / picture.image.width());
    if (box.width() > m_contentWidth)
        box *= m_contentWidth / box.width();
    if (box.height() > m_contentHeight)
        box *= m_contentHeight / box.height();
    return box;
}

qreal ReportRenderer::chartHeight(int index) const
{
    return qMin(dots(qMax<qreal>(0, m_report.charts()[index].heightMm)), m_contentHeight);
}

qreal ReportRenderer::wrappedHeight(const QFont& font, const QString& text) const
{
    const QFontMetricsF metrics(font);
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, m_contentWidth, std::numeric_limits<int>::max()),
                                               Qt::AlignLeft | Qt::TextWordWrap, text);
    return qMax(bounds.height(), metrics.height());
}

void ReportRenderer::setUpPrinter(QPrinter& printer) const
{
    printer.setFullPage(true);
    printer.setPageOrientation(m_orientation);
    printer.setPageSize(m_pageSize);
}

void ReportRenderer::paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const
{
    first = qMax(1, first);
    if (last <= 0 || last > pageCount())
        last = pageCount();
    // Devices that keep margins of their own put the origin at the printable area.
    const QPointF origin = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    const qreal scaleX = device.logicalDpiX() / kDotsPerInch;
    const qreal scaleY = device.logicalDpiY() / kDotsPerInch;
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        painter.save();
        QTransform transform;
        transform.translate(-origin.x(), -origin.y());
        transform.scale(scaleX, scaleY);
        painter.setTransform(transform);
        drawPage(painter, page - 1);
        painter.restore();
    }
}

void ReportRenderer::drawPage(QPainter& painter, int page) const
{
    painter.setPen(QPen(Qt::black));
    for (const Item& item : m_pages[page])
        drawItem(painter, item);
    if (m_report.isReceipt())
        return;
    const qreal pageBottom = dots(paperSizeMm().height()) - m_margins.bottom();
    painter.setFont(m_pageNumberFont);
    painter.drawText(QRectF(m_margins.left(), pageBottom - dots(8), m_contentWidth, dots(8)),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("第 %1 页 / 共 %2 页").arg(page + 1).arg(pageCount()));
}

void ReportRenderer::drawItem(QPainter& painter, const Item& item) const
{
    const QRectF line(m_margins.left(), item.top, m_contentWidth, item.height);
    switch (item.kind) {
    case Kind::Title:
        painter.setFont(m_titleFont);
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_report.title());
        break;
    case Kind::Header:
    case Kind::Footer: {
        const QStringList& lines = item.kind == Kind::Header ? m_report.headerLines() : m_report.footerLines();
        painter.setFont(m_bodyFont);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines[item.index]);
        break;
    }
    case Kind::Headings: {
        QStringList titles;
        for (const ReportColumn& column : m_report.columns())
            titles.append(column.title);
        painter.setFont(m_boldFont);
        if (!m_report.isReceipt())
            drawRule(painter, item.top);
        drawCells(painter, titles, item.top, item.height);
        drawRule(painter, item.top + item.height);
        break;
    }
    case Kind::Row:
        painter.setFont(m_bodyFont);
        drawCells(painter, m_report.rows()[item.index], item.top, item.height);
        break;
    case Kind::Totals:
        if (item.index == 0)
            drawRule(painter, item.top);
        painter.setFont(m_boldFont);
        drawCells(painter, m_report.totals()[item.index], item.top, item.height);
        break;
    case Kind::Picture:
        drawPicture(painter, item);
        break;
    case Kind::Chart:
        paintChart(painter, line, m_report.charts()[item.index], {m_chartTitleFont, m_chartFont}, dots(1));
        break;
    }
}

void ReportRenderer::drawPicture(QPainter& painter, const Item& item) const
{
    const ReportPicture& picture = m_report.pictures()[item.index];
    if (picture.image.isNull())
        return;
    QSizeF box = pictureSize(item.index);
    if (item.height < box.height())
        box *= item.height / box.height();
    qreal left = m_margins.left();
    if (picture.alignment & Qt::AlignHCenter)
        left += (m_contentWidth - box.width()) / 2;
    else if (picture.alignment & Qt::AlignRight)
        left += m_contentWidth - box.width();
    // The picture keeps its shape, centred in its box.
    const QSizeF size = QSizeF(picture.image.size()).scaled(box, Qt::KeepAspectRatio);
    const QRectF target(left + (box.width() - size.width()) / 2, item.top + (box.height() - size.height()) / 2,
                        size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.image);
    painter.restore();
}

void ReportRenderer::drawCells(QPainter& painter, const QStringList& cells, qreal top, qreal height) const
{
    const QFontMetricsF metrics(painter.font());
    for (qsizetype c = 0; c < m_columnLeft.size() && c < cells.size(); ++c) {
        const QRectF cell(m_columnLeft[c], top, m_columnWidth[c], height);
        const QRectF text = cell.adjusted(m_cellPadding, 0, -m_cellPadding, 0);
        if (text.width() <= 0)
            continue;
        // Elided to the column, and clipped too: a device's glyphs may come out a little wider.
        painter.save();
        painter.setClipRect(cell, Qt::IntersectClip);
        painter.drawText(text, m_columnAlignment[c] | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(cells[c], Qt::ElideRight, text.width()));
        painter.restore();
    }
}

void ReportRenderer::drawRule(QPainter& painter, qreal y) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, dots(0.2)));
    painter.drawLine(QPointF(m_margins.left(), y), QPointF(m_margins.left() + m_contentWidth, y));
    painter.restore();
}

bool ReportRenderer::renderToPdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(int(kDotsPerInch));
    writer.setPageLayout(pageLayout());
    writer.setTitle(m_report.title());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    paint(painter, writer);
    return painter.end();
}

bool ReportRenderer::print(QPrinter* printer) const
{
    if (!printer)
        return false;
    setUpPrinter(*printer);
    int first = 1;
    int last = 0;
    if (printer->printRange() == QPrinter::PageRange) {
        first = printer->fromPage();
        last = printer->toPage();
    }
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    paint(painter, *printer, first, last);
    return painter.end();
}

} // namespace tkd::gui
