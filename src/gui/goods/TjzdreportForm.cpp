#include "TjzdreportForm.h"

namespace tkd::gui {

Report TjzdreportForm::build(const goods::SaleReceipt& receipt)
{
    Report report(Paper::Receipt58, receipt.hallName);
    report.setReceiptPaper(lengthMm(int(receipt.lines.size())), QMarginsF(4, 4, 4, 4));
    report.addHeaderLine(QStringLiteral("会员姓名:") + receipt.member);
    report.addHeaderLine(QStringLiteral("收 银 员:") + receipt.cashier + QStringLiteral("（收费单）"));
    report.addHeaderLine(QStringLiteral("收银时间:") + receipt.time);
    report.addColumn(QStringLiteral("消费项目"), 26);
    report.addColumn(QStringLiteral("数量"), 10, Qt::AlignRight);
    report.addColumn(QStringLiteral("金额"), 14, Qt::AlignRight);
    for (const goods::ReceiptLine& line : receipt.lines)
        report.addRow({line.name, line.quantity, line.amount});
    report.addTotals({QStringLiteral("小计:"), receipt.quantitySum, receipt.totalSum});
    report.addFooterLine(QStringLiteral("卡内余额:") + receipt.balance);
    report.addFooterLine(QStringLiteral("电话:") + receipt.phone);
    report.addFooterLine(QStringLiteral("地址:") + receipt.address);
    report.addFooterLine(QStringLiteral("谢谢光临，欢迎再次惠顾！"));
    return report;
}

} // namespace tkd::gui
