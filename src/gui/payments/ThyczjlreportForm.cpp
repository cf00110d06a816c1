#include "ThyczjlreportForm.h"

#include "kit/report/ResultRows.h"

namespace tkd::gui {

Report ThyczjlreportForm::build(const payments::PaymentHistory& history)
{
    Report report(Paper::A4, QStringLiteral("会员充值记录"));
    report.addHeaderField(QStringLiteral("打印时间"), history.printedAt);
    report.addHeaderField(QStringLiteral("会员姓名"), history.memberLine);
    addResultRows(report, history.rows,
                  {{QStringLiteral("充值日期"), {}, 38},
                   {QStringLiteral("充值金额"), {}, 24, Qt::AlignRight},
                   {QStringLiteral("优惠金额"), {}, 24, Qt::AlignRight},
                   {QStringLiteral("充值说明"), {}, 38},
                   {QStringLiteral("操作员"), {}, 22},
                   {QStringLiteral("备注"), QStringLiteral("备        注"), 34}});
    report.addFooterField(QStringLiteral("充值金额合计"), history.charged.toString());
    report.addFooterField(QStringLiteral("优惠金额合计"), history.discount.toString());
    return report;
}

Report ThyczjlreportForm::forMember(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now)
{
    return build(payments::paymentHistory(dm, cardNumber, now));
}

} // namespace tkd::gui
