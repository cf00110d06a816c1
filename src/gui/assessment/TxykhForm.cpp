#include "TxykhForm.h"

#include "TbkjbForm.h"
#include "TkhbmreportForm.h"
#include "TxykhcxForm.h"
#include "TxykhlrForm.h"
#include "TxykhpllrForm.h"
#include "TxykhreportForm.h"
#include "app/Session.h"
#include "assessment/Levels.h"
#include "assessment/Results.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"

#include <QAction>
#include <QPushButton>

namespace tkd::gui {

TxykhForm::TxykhForm(Session& session, Windows windows, QWidget* parent)
    : ListWindow(session, QStringLiteral("xykhForm"), QStringLiteral("学员考核"), parent), m_windows(std::move(windows))
{
    resize(860, 480);
    grid()->setObjectName(QStringLiteral("resultGrid"));
    grid()->setAccessibleName(QStringLiteral("学员考核"));
    setSource([this] { return assessment::results(dm(), m_range); });
    setColumns({{QStringLiteral("考核时间"), 90},
                {QStringLiteral("会员卡号"), 90},
                {QStringLiteral("会员姓名"), 90},
                {QStringLiteral("报考级别"), 90},
                {QStringLiteral("考核费用"), 80},
                {QStringLiteral("考核结果"), 70},
                {QStringLiteral("备注"), 200}},
               {QStringLiteral("编号")});

    addButton(QStringLiteral("增加"), "addButton", kit::guard(this, [this] { add(); }));
    addButton(QStringLiteral("批量录入"), "batchButton", kit::guard(this, [this] { addBatch(); }));
    actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", kit::guard(this, [this] { edit(); })));
    addButton(QStringLiteral("详细查询"), "detailedSearchButton", kit::guard(this, [this] { detailedSearch(); }));
    addButton(QStringLiteral("删除"), "deleteButton", kit::guard(this, [this] {
                  const qint64 id = current(QStringLiteral("编号")).toInt();
                  deleteCurrent([this, id] { return assessment::removeResult(this->session().command(), id); });
              }));
    addButton(QStringLiteral("打印"), "printButton", kit::guard(this, [this] { print(); }));
    addExitButton();
    addButton(QStringLiteral("考核级别"), "levelsButton", kit::guard(this, [this] {
                  TbkjbForm* levels = m_windows.levels();
                  levels->prepare();
                  levels->exec();
              }));

    auto* reprintAction = new QAction(QStringLiteral("重打单据"), this);
    reprintAction->setObjectName(QStringLiteral("reprintAction"));
    connect(reprintAction, &QAction::triggered, this, kit::guard(this, [this] { reprint(); }));
    grid()->addAction(reprintAction);

    addChoice(QStringLiteral("报考级别："), "levelCombo", assessment::kAllLevels, QStringLiteral("报考级别"));
    m_dates = new DateRangeBar(QStringLiteral("考核时间："), this, QStringLiteral("至"), false);
    m_dates->setStartRule(DateRangeBar::firstOfMonth());
    addQueryWidget(m_dates);
    // The kit sets the level's filter first (its connection comes first); the days are read here.
    connect(addQueryButton(), &QPushButton::clicked, this, kit::guard(this, [this] { query(); }));
}

void TxykhForm::prepare()
{
    setChoices(assessment::levelNames(dm()));
    m_dates->reset(session().now().date());
    setFilter({});
    query();
}

void TxykhForm::query()
{
    m_range = m_dates->range();
    reload();
}

void TxykhForm::add()
{
    TxykhlrForm* entry = m_windows.entry();
    entry->prepareAdd();
    const auto connection = connect(entry, &TxykhlrForm::resultSaved, this, kit::guard(this, [this] { query(); }));
    entry->exec();
    disconnect(connection);
}

void TxykhForm::addBatch()
{
    TxykhpllrForm* batch = m_windows.batch();
    batch->prepare();
    if (batch->exec() == QDialog::Accepted)
        query();
}

void TxykhForm::edit()
{
    if (!hasCurrentRow())
        return;
    TxykhlrForm* entry = m_windows.entry();
    if (!entry->prepareEdit(current(QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该记录已不存在！"));
        reload();
        return;
    }
    if (entry->exec() == QDialog::Accepted)
        query();
}

void TxykhForm::detailedSearch()
{
    TxykhcxForm* search = m_windows.search();
    search->prepare();
    if (search->exec() != QDialog::Accepted)
        return;
    const assessment::DetailedSearch criteria = search->search();
    // The search's own days; the window's date fields keep theirs.
    m_range = dayRange(criteria.from, criteria.to);
    setFilter(assessment::detailedFilter(criteria));
    reload();
}

void TxykhForm::print()
{
    if (rows().isEmpty())
        return;
    TmypreviewForm::open(TxykhreportForm::build(rows()), this);
}

void TxykhForm::reprint()
{
    if (!hasCurrentRow())
        return;
    const assessment::Receipt receipt = assessment::receipt(
        current(QStringLiteral("考核时间")).toDateTime().date(), current(QStringLiteral("会员卡号")).toText(),
        current(QStringLiteral("会员姓名")).toText(), current(QStringLiteral("报考级别")).toText(),
        current(QStringLiteral("考核费用")).toMoney(), session().now());
    TmypreviewForm::open(TkhbmreportForm::build(receipt), this);
}

} // namespace tkd::gui
