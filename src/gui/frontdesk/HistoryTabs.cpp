#include "HistoryTabs.h"

#include "data/TvelunDMForm.h"
#include "frontdesk/DeskLookup.h"
#include "kit/DataGrid.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

struct GridSpec {
    const char* name;
    HistoryTabs::List list;
    const char16_t* entry;
    std::vector<std::pair<const char16_t*, int>> widths; // width 0 hides the column
};

const std::vector<GridSpec>& gridSpecs()
{
    static const std::vector<GridSpec> all = {
        {"visitGrid",
         HistoryTabs::Visits,
         u"ADODS_tmphydj",
         {{u"序号", 46}, {u"登记时间", 138}, {u"操作员", 80}, {u"编号", 0}}},
        {"consumptionGrid",
         HistoryTabs::Consumption,
         u"ADOQ_hyxf",
         {{u"消费日期", 65},
          {u"商品编号", 65},
          {u"商品名称", 90},
          {u"单位", 50},
          {u"数量", 50},
          {u"折后价", 50},
          {u"总金额", 50},
          {u"操作员", 60}}},
        {"paymentGrid",
         HistoryTabs::Payments,
         u"ADOQ_hyczjl",
         {{u"充值日期", 120},
          {u"充值金额", 100},
          {u"优惠金额", 100},
          {u"充值说明", 120},
          {u"操作员", 100},
          {u"备注", 262}}},
        {"coachingGrid",
         HistoryTabs::Coaching,
         u"ADOQ_sjhzjl",
         {{u"教练姓名", 65}, {u"项目名称", 65}, {u"数量", 50}, {u"有效日期", 65}, {u"状态", 50}}},
        {"lessonGrid",
         HistoryTabs::Coaching,
         u"ADOQ_xfsjjl",
         {{u"消费日期", 65}, {u"消费数量", 60}, {u"教练", 65}, {u"项目名称", 65}, {u"备注", 129}, {u"操作员", 65}}},
        {"reminderGrid",
         HistoryTabs::Reminders,
         u"ADODS_hytx",
         {{u"提醒类型", 200}, {u"提醒时间", 200}, {u"提醒内容", 405}}},
        {"exchangeGrid",
         HistoryTabs::Exchanges,
         u"ADOQ_dhsp",
         {{u"编号", 0},
          {u"商品编号", 100},
          {u"商品名称", 140},
          {u"兑换日期", 100},
          {u"数量", 100},
          {u"兑换积分", 100},
          {u"备注", 262}}},
        {"leaveGrid",
         HistoryTabs::Leave,
         u"ADOQ_hyqjhykh",
         {{u"编号", 0},
          {u"登记日期", 120},
          {u"开始日期", 120},
          {u"结束日期", 120},
          {u"请假天数", 0},
          {u"备注", 323},
          {u"操作员", 120}}},
    };
    return all;
}

void applyLayout(DataGrid* grid, const GridSpec& spec)
{
    for (const auto& [column, width] : spec.widths) {
        if (width == 0)
            grid->hideColumn(QString::fromUtf16(column));
        else
            grid->setColumnWidth(QString::fromUtf16(column), width);
    }
}

} // namespace

HistoryTabs::HistoryTabs(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("historyTabs"));
    setDocumentMode(true);
    for (const GridSpec& spec : gridSpecs()) {
        auto* grid = new DataGrid(this);
        grid->setObjectName(QString::fromLatin1(spec.name));
        m_grids.insert(QString::fromLatin1(spec.name), grid);
    }

    auto page = [this](const QString& caption, const std::vector<std::pair<QString, const char*>>& buttons,
                       QWidget* body) {
        auto* tab = new QWidget(this);
        auto* layout = new QVBoxLayout(tab);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addWidget(body, 1);
        auto* row = new QHBoxLayout;
        for (const auto& [text, name] : buttons)
            row->addWidget(addButton(tab, text, name));
        row->addStretch();
        layout->addLayout(row);
        addTab(tab, caption);
    };
    auto titled = [this](const QString& title, DataGrid* grid) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addWidget(grid);
        return box;
    };
    auto split = [this](QWidget* left, int leftWidth, QWidget* right) {
        auto* splitter = new QSplitter(Qt::Horizontal, this);
        splitter->setHandleWidth(3);
        splitter->addWidget(left);
        splitter->addWidget(right);
        left->setMinimumWidth(leftWidth);
        splitter->setSizes({leftWidth, 600});
        return splitter;
    };

    page(QStringLiteral("会员消费记录"),
         {{QStringLiteral("学员登记"), "checkInButton"},
          {QStringLiteral("增加消费"), "addConsumptionButton"},
          {QStringLiteral("会员退货"), "memberReturnButton"}},
         split(titled(QStringLiteral("会员健身记录"), m_grids.value(QStringLiteral("visitGrid"))), 315,
               titled(QStringLiteral("会员商品消费记录"), m_grids.value(QStringLiteral("consumptionGrid")))));
    page(QStringLiteral("会员交费管理"),
         {{QStringLiteral("增加交费"), "addPaymentButton"}, {QStringLiteral("打印"), "printPaymentsButton"}},
         m_grids.value(QStringLiteral("paymentGrid")));
    page(QStringLiteral("私教综合管理"),
         {{QStringLiteral("购买私教"), "buyCoachingButton"}, {QStringLiteral("增加消费"), "addLessonButton"}},
         split(titled(QStringLiteral("会员私教记录"), m_grids.value(QStringLiteral("coachingGrid"))), 348,
               titled(QStringLiteral("会员私教消费记录"), m_grids.value(QStringLiteral("lessonGrid")))));
    page(QStringLiteral("会员提醒记录"),
         {{QStringLiteral("增加提醒"), "addReminderButton"}, {QStringLiteral("删除提醒"), "deleteReminderButton"}},
         m_grids.value(QStringLiteral("reminderGrid")));
    page(QStringLiteral("兑换商品记录"),
         {{QStringLiteral("增加商品"), "addExchangeButton"}, {QStringLiteral("删除商品"), "deleteExchangeButton"}},
         m_grids.value(QStringLiteral("exchangeGrid")));
    page(QStringLiteral("会员请假管理"),
         {{QStringLiteral("会员请假"), "addLeaveButton"},
          {QStringLiteral("删除请假"), "deleteLeaveButton"},
          {QStringLiteral("会员销假"), "endLeaveButton"}},
         m_grids.value(QStringLiteral("leaveGrid")));
    setCurrentIndex(0);
}

QToolButton* HistoryTabs::addButton(QWidget* parent, const QString& caption, const char* objectName)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_buttons.insert(QString::fromLatin1(objectName), button);
    return button;
}

void HistoryTabs::bind(const QString& buttonName, QAction* action)
{
    if (QToolButton* b = m_buttons.value(buttonName))
        b->setDefaultAction(action);
}

void HistoryTabs::load(TvelunDMForm& dm, const QString& cardNumber)
{
    show(frontdesk::loadHistory(dm, cardNumber));
}

void HistoryTabs::show(const std::vector<frontdesk::HistoryList>& lists, Lists which)
{
    for (const frontdesk::HistoryList& list : lists) {
        for (const GridSpec& spec : gridSpecs()) {
            if (list.entry != QString::fromUtf16(spec.entry) || (which && !which.testFlag(spec.list)))
                continue;
            DataGrid* grid = m_grids.value(QString::fromLatin1(spec.name));
            grid->setResult(list.rows);
            applyLayout(grid, spec);
        }
    }
}

QStringList HistoryTabs::entries(Lists which)
{
    QStringList names;
    for (const GridSpec& spec : gridSpecs()) {
        if (which.testFlag(spec.list))
            names << QString::fromUtf16(spec.entry);
    }
    return names;
}

void HistoryTabs::loadVisits(TvelunDMForm& dm)
{
    const GridSpec& spec = gridSpecs().front();
    DataGrid* grid = m_grids.value(QString::fromLatin1(spec.name));
    grid->setResult(dm.open(QString::fromUtf16(spec.entry)));
    applyLayout(grid, spec);
}

} // namespace tkd::gui
