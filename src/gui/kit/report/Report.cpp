#include "Report.h"

namespace tkd::gui {

Report::Report(Paper paper, QString title)
    : m_paper(paper), m_title(std::move(title)), m_titlePointSize(paper == Paper::A4 ? 14 : 10),
      m_bodyPointSize(paper == Paper::A4 ? 10 : 8)
{
}

QStringList Report::fontFamilies()
{
    return {QStringLiteral("Droid Sans Fallback"), QStringLiteral("Noto Sans CJK SC")};
}

QString Report::field(const QString& label, const QString& value)
{
    return label + QStringLiteral("：") + value;
}

void Report::setLandscape(bool landscape)
{
    m_landscape = landscape && m_paper == Paper::A4;
}

void Report::placeTable()
{
    for (const ReportElement& element : m_body)
        if (element.kind == ReportElement::Kind::Table)
            return;
    m_body.append({ReportElement::Kind::Table, 0});
}

void Report::addColumn(const QString& title, qreal widthMm, Qt::Alignment alignment)
{
    placeTable();
    m_columns.append({title, widthMm, alignment});
}

void Report::addRow(const QStringList& cells)
{
    placeTable();
    m_rows.append(cells);
}

void Report::addTotals(const QStringList& cells)
{
    placeTable();
    m_totals.append(cells);
}

void Report::addPicture(const QImage& image, const QSizeF& sizeMm, Qt::Alignment alignment)
{
    m_body.append({ReportElement::Kind::Picture, int(m_pictures.size())});
    m_pictures.append({image, sizeMm, alignment});
}

void Report::addChart(ChartKind kind, const ChartData& data, qreal heightMm)
{
    m_body.append({ReportElement::Kind::Chart, int(m_charts.size())});
    m_charts.append({kind, data, heightMm});
}

void Report::setPointSizes(qreal title, qreal body)
{
    m_titlePointSize = title;
    m_bodyPointSize = body;
}

void Report::setReceiptPaper(qreal minimumLengthMm, const QMarginsF& marginsMm)
{
    m_receiptMinimumLengthMm = minimumLengthMm;
    m_receiptMarginsMm = marginsMm;
}

} // namespace tkd::gui
