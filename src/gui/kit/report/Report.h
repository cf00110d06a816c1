#pragma once

#include <QList>
#include <QMarginsF>
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

// What a report or receipt says, already formatted as text; ReportRenderer lays it out.
// A plain value: windows fill one and hand a copy to the preview, which outlives them.
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
    void addRow(const QStringList& cells) { m_rows.append(cells); }

    const QList<QStringList>& totals() const { return m_totals; }
    void addTotals(const QStringList& cells) { m_totals.append(cells); }

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
    Paper m_paper;
    bool m_landscape = false;
    QString m_title;
    QStringList m_headerLines;
    QList<ReportColumn> m_columns;
    QList<QStringList> m_rows;
    QList<QStringList> m_totals;
    QStringList m_footerLines;
    qreal m_receiptMinimumLengthMm = 0;
    std::optional<QMarginsF> m_receiptMarginsMm;
    qreal m_titlePointSize;
    qreal m_bodyPointSize;
};

} // namespace tkd::gui
