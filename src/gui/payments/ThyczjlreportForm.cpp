#include "ThyczjlreportForm.h"

namespace tkd::gui {

Report ThyczjlreportForm::build(const payments::PaymentHistory& history)
{
    Report report(Paper::A4, QStringLiteral("会员充值记录"));
    report.addHeaderField(QStringLiteral("打印时间"), history.printedAt);
    report.addHeaderField(QStringLiteral("会员姓名"), history.memberLine);
    report.addColumn(QStringLiteral("充值日期"), 38);
    report.addColumn(QStringLiteral("充值金额"), 24, Qt::AlignRight);
    report.addColumn(QStringLiteral("优惠金额"), 24, Qt::AlignRight);
    report.addColumn(QStringLiteral("充值说明"), 38);
    report.addColumn(QStringLiteral("操作员"), 22);
    report.addColumn(QStringLiteral("备        注"), 34);
    const ResultSet& rows = history.rows;
    for (int i = 0; i < rows.rowCount(); ++i) {
        report.addRow({rows.value(i, QStringLiteral("充值日期")).toText(),
                       rows.value(i, QStringLiteral("充值金额")).toMoney().toString(),
                       rows.value(i, QStringLiteral("优惠金额")).toMoney().toString(),
                       rows.value(i, QStringLiteral("充值说明")).toText(),
                       rows.value(i, QStringLiteral("操作员")).toText(),
                       rows.value(i, QStringLiteral("备注")).toText()});
    }
    report.addFooterField(QStringLiteral("充值金额合计"), history.charged.toString());
    report.addFooterField(QStringLiteral("优惠金额合计"), history.discount.toString());
    return report;
}

Report ThyczjlreportForm::forMember(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now)
{
    return build(payments::paymentHistory(dm, cardNumber, now));
}

} // namespace tkd::gui
