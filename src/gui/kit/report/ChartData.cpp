#include "ChartData.h"

#include "db/DbError.h"
#include "kit/CellText.h"

#include <array>
#include <cmath>

namespace tkd::gui {

QString ChartData::valueText(double value) const
{
    return QString::number(value, 'f', qMax(0, decimals));
}

double ChartData::positiveTotal() const
{
    double total = 0;
    for (const ChartPoint& point : points)
        if (point.value > 0)
            total += point.value;
    return total;
}

QString ChartData::percentText(int index) const
{
    const double total = positiveTotal();
    const double value = points.value(index).value;
    if (index < 0 || index >= points.size() || value <= 0 || total <= 0)
        return {};
    return QString::number(value * 100 / total, 'f', 1) + QLatin1Char('%');
}

ChartData ChartData::fromResult(const QString& title, const ResultSet& result, const QString& labelColumn,
                                const QString& valueColumn)
{
    const int label = result.columnIndex(labelColumn);
    const int value = result.columnIndex(valueColumn);
    if (label < 0 || value < 0)
        throw DbError(QStringLiteral("结果中没有字段 %1").arg(label < 0 ? labelColumn : valueColumn));
    ChartData data;
    data.title = title;
    bool fractional = false;
    for (int row = 0; row < result.rowCount(); ++row) {
        const Value v = result.value(row, value);
        const double number = result.columnType(value) == ColumnType::Money ? v.toMoney().toDouble() : v.toDouble();
        fractional = fractional || number != std::trunc(number);
        data.points.append({cellText(result, row, label), number});
    }
    data.decimals = result.columnType(value) == ColumnType::Money || fractional ? 2 : 0;
    return data;
}

QColor chartColor(int index)
{
    // Distinct in print and on screen, dark enough for a white border between slices.
    static const std::array<QRgb, 12> palette = {0x4E79A7, 0xF28E2B, 0xE15759, 0x76B7B2, 0x59A14F, 0xEDC948,
                                                 0xB07AA1, 0xFF9DA7, 0x9C755F, 0xBAB0AC, 0x1F77B4, 0x8C564B};
    const int count = int(palette.size());
    const QColor base(palette[size_t(((index % count) + count) % count)]);
    // Past the palette the colours come round again, a shade darker each time.
    return base.darker(100 + 25 * qMax(0, index / count));
}

} // namespace tkd::gui
