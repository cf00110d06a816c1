#pragma once

#include "kit/report/ChartData.h"

#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <Qt>
#include <optional>

namespace tkd::gui {

enum class Paper {
    A4,
    // 58 mm roll; the report is as long as its content, on one page.
    Receipt58,
};

struct ReportColumn {
    QString title;
    qreal widthMm = 20;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A picture at a given size (a member's photo, the hall's logo), its shape kept inside that box.
struct ReportPicture {
    QImage image;
    // A height of 0 follows the picture's own shape.
    QSizeF sizeMm;
    Qt::Alignment alignment = Qt::AlignLeft;
};

enum class ChartKind { Bar, Pie };

// A chart across the width of the page.
struct ReportChart {
    ChartKind kind;
    ChartData data;
    qreal heightMm;
};

// One part of the body, in the order the parts were added.
struct ReportElement {
    enum class Kind { Table, Picture, Chart };
    Kind kind;
    // Into pictures() or charts(); the one table has 0.
    int index;
};

// What a report or receipt says, already formatted as text; ReportRenderer lays it out.
// A plain value: windows fill one and hand a copy to the preview, which outlives them.
// Between the header and the footer lines comes the body: the table (columns, rows and
// totals), pictures and charts, in the order they were added; the table stands where its
// first column, row or totals line was added.
class Report {
public:
    explicit Report(Paper paper = Paper::A4, QString title = QString());

    // Han from Droid Sans Fallback where it is installed: Noto Sans CJK maps the radical
    // code points to the same glyphs as the ideographs, and Qt's PDF writer then names the
    // radicals in the text it embeds ("⾦额" for "金额"), which breaks search and copying.
    // Droid has no Latin, so Latin and digits come from Noto.
    static QStringList fontFamilies();
    // "会员卡号：1001", the way every header and receipt line pairs a caption and a value.
    static QString field(const QString& label, const QString& value);

    Paper paper() const { return m_paper; }
    bool isReceipt() const { return m_paper == Paper::Receipt58; }
    // Only A4 turns; a receipt roll has one width.
    bool isLandscape() const { return m_landscape; }
    void setLandscape(bool landscape);

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    const QStringList& headerLines() const { return m_headerLines; }
    void addHeaderLine(const QString& text) { m_headerLines.append(text); }
    void addHeaderField(const QString& label, const QString& value) { m_headerLines.append(field(label, value)); }

    const QList<ReportColumn>& columns() const { return m_columns; }
    void addColumn(const QString& title, qreal widthMm, Qt::Alignment alignment = Qt::AlignLeft);

    const QList<QStringList>& rows() const { return m_rows; }
    void addRow(const QStringList& cells);

    const QList<QStringList>& totals() const { return m_totals; }
    void addTotals(const QStringList& cells);

    const QList<ReportPicture>& pictures() const { return m_pictures; }
    void addPicture(const QImage& image, const QSizeF& sizeMm, Qt::Alignment alignment = Qt::AlignLeft);

    const QList<ReportChart>& charts() const { return m_charts; }
    void addChart(ChartKind kind, const ChartData& data, qreal heightMm = 110);

    const QList<ReportElement>& body() const { return m_body; }

    const QStringList& footerLines() const { return m_footerLines; }
    void addFooterLine(const QString& text) { m_footerLines.append(text); }
    void addFooterField(const QString& label, const QString& value) { m_footerLines.append(field(label, value)); }

    // A receipt that asks for its own paper: at least this long, with these margins (millimetres).
    // Without it a receipt is as long as its content with the house margins.
    void setReceiptPaper(qreal minimumLengthMm, const QMarginsF& marginsMm);
    qreal receiptMinimumLengthMm() const { return m_receiptMinimumLengthMm; }
    const std::optional<QMarginsF>& receiptMarginsMm() const { return m_receiptMarginsMm; }

    qreal titlePointSize() const { return m_titlePointSize; }
    qreal bodyPointSize() const { return m_bodyPointSize; }
    void setPointSizes(qreal title, qreal body);

private:
    void placeTable();

    Paper m_paper;
    bool m_landscape = false;
    QString m_title;
    QStringList m_headerLines;
    QList<ReportColumn> m_columns;
    QList<QStringList> m_rows;
    QList<QStringList> m_totals;
    QList<ReportPicture> m_pictures;
    QList<ReportChart> m_charts;
    QList<ReportElement> m_body;
    QStringList m_footerLines;
    qreal m_receiptMinimumLengthMm = 0;
    std::optional<QMarginsF> m_receiptMarginsMm;
    qreal m_titlePointSize;
    qreal m_bodyPointSize;
};

} // namespace tkd::gui
