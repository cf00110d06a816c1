#include "TygxxreportForm.h"

#include "db/ResultSet.h"

namespace tkd::gui {

Report TygxxreportForm::build(const ResultSet& staff)
{
    Report report(Paper::A4, QStringLiteral("员工信息列表"));
    report.addColumn(QStringLiteral("员工姓名"), 25);
    report.addColumn(QStringLiteral("职务"), 22);
    report.addColumn(QStringLiteral("联系电话"), 30);
    report.addColumn(QStringLiteral("联系地址"), 45);
    report.addColumn(QStringLiteral("状态"), 15);
    report.addColumn(QStringLiteral("备注"), 43);
    for (int i = 0; i < staff.rowCount(); ++i) {
        QStringList cells;
        for (const char16_t* column : {u"姓名", u"职务", u"联系电话", u"联系地址", u"状态", u"备注"})
            cells << staff.value(i, QString::fromUtf16(column)).toText();
        report.addRow(cells);
    }
    return report;
}

} // namespace tkd::gui
