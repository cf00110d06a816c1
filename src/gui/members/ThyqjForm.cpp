#include "ThyqjForm.h"

#include "ThyqjlrForm.h"
#include "ThyxjForm.h"
#include "app/Session.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "members/Leave.h"
#include "members/LeaveList.h"
#include "security/Permissions.h"

#include <QLineEdit>
#include <QPushButton>

namespace tkd::gui {

ThyqjForm::ThyqjForm(Session& session, Windows windows, QWidget* parent)
    : ListWindow(session, QStringLiteral("hyqjForm"), QStringLiteral("会员请假管理"), parent),
      m_windows(std::move(windows))
{
    resize(900, 480);
    grid()->setObjectName(QStringLiteral("leaveGrid"));
    grid()->setAccessibleName(QStringLiteral("会员请假"));
    setSource([this] { return members::leaveList(dm(), m_range, m_text); });
    setColumns({{QStringLiteral("会员卡号"), 70},
                {QStringLiteral("会员姓名"), 70},
                {QStringLiteral("会员类型"), 70},
                {QStringLiteral("联系电话"), 100},
                {QStringLiteral("请假日期"), 70},
                {QStringLiteral("开始日期"), 70},
                {QStringLiteral("结束日期"), 70},
                {QStringLiteral("请假天数"), 70},
                {QStringLiteral("操作员"), 70},
                {QStringLiteral("备注"), 136}},
               members::leaveListHidden());

    addButton(QStringLiteral("增加"), "addButton", kit::guard(this, [this] { add(); }));
    actOnDoubleClick(addButton(QStringLiteral("销假"), "endButton", kit::guard(this, [this] { endCurrent(); })));
    addButton(QStringLiteral("删除"), "deleteButton", kit::guard(this, [this] { deleteCurrentLeave(); }));
    addExitButton();

    setQueryTitle(QStringLiteral("查询条件"));
    QLineEdit* search = addSearch(QStringLiteral("会员卡号或姓名："), "searchEdit", {});
    m_dates = new DateRangeBar(QStringLiteral("开始日期："), this, QStringLiteral("至"), false);
    m_dates->setStartRule(DateRangeBar::daysAgo(30));
    addQueryWidget(m_dates);
    QPushButton* queryButton = addQueryButton();
    // The period and the text are read on "查询" (or Enter) and go to the engine with the period.
    const auto reread = kit::guard(this, [this] {
        m_range = m_dates->range();
        m_text = searchText();
        reload();
    });
    connect(queryButton, &QPushButton::clicked, this, reread);
    connect(search, &QLineEdit::returnPressed, this, reread);
}

void ThyqjForm::prepare()
{
    clearQuery();
    m_dates->reset(session().now().date());
    query();
}

void ThyqjForm::query()
{
    m_range = m_dates->range();
    m_text = searchText();
    reload();
}

Filter ThyqjForm::queryFilter() const
{
    // The text has been applied by the query itself.
    return {};
}

bool ThyqjForm::allowed(const QString& function)
{
    const MaybeRefusal refusal = security::checkPermission(dm(), session().currentOperator(), function);
    if (refusal)
        Messages::refusal(this, *refusal);
    return !refusal;
}

void ThyqjForm::add()
{
    if (!allowed(QStringLiteral("会员请假")))
        return;
    ThyqjlrForm* entry = m_windows.entry();
    entry->prepareToPick();
    if (entry->exec() != QDialog::Accepted)
        return;
    query();
    Q_EMIT leaveChanged(entry->savedCard());
}

void ThyqjForm::endCurrent()
{
    if (!allowed(QStringLiteral("会员销假")) || !hasCurrentRow())
        return;
    const members::LeaveKey key{current(QStringLiteral("编号")).toInt(), current(QStringLiteral("会员卡号")).toText()};
    const Outcome<members::LeaveToEnd> leave = members::leaveToEnd(dm(), key, session().now().date());
    if (leave.refused()) {
        Messages::refusal(this, leave.refusal());
        // The row shown may be gone or changed since the list was read.
        reload();
        return;
    }
    ThyxjForm* ending = m_windows.ending();
    ending->prepare(*leave);
    if (ending->exec() != QDialog::Accepted)
        return;
    query();
    Q_EMIT leaveChanged(key.cardNumber);
}

void ThyqjForm::deleteCurrentLeave()
{
    if (!allowed(QStringLiteral("删除请假")) || !hasCurrentRow())
        return;
    const members::LeaveKey key{current(QStringLiteral("编号")).toInt(), current(QStringLiteral("会员卡号")).toText()};
    if (const MaybeRefusal refusal = members::checkLeaveDeletion(dm(), key, session().now().date())) {
        Messages::refusal(this, *refusal);
        // As for "销假": the row shown may be gone or changed since the list was read.
        reload();
        return;
    }
    const bool deleted = deleteCurrent([this, key] { return members::deleteLeave(session().command(), key); });
    if (deleted)
        Q_EMIT leaveChanged(key.cardNumber);
}

} // namespace tkd::gui
