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

void Report::addColumn(const QString& title, qreal widthMm, Qt::Alignment alignment)
{
    m_columns.append({title, widthMm, alignment});
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
