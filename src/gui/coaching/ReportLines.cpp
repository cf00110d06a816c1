#include "ReportLines.h"

#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/ResultRows.h"

namespace tkd::gui::coachingreport {

QString total(const ResultSet& rows, const QString& column, bool money)
{
    return cellText(columnTotal(rows, column), money ? CellFormat::Money : CellFormat::Plain);
}

void addPeriod(Report& report, const QString& caption, const QDate& from, const QDate& to, const QDateTime& printed)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    report.addHeaderLine(caption + from.toString(format) + QStringLiteral(" 至 ") + to.toString(format));
    report.addHeaderLine(QStringLiteral("打印时间：") + printed.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace tkd::gui::coachingreport
