#include "CommandRegistry.h"

#include "app/AppContext.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/MemberPanel.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Permissions.h"

#include <QAction>
#include <QWidget>

namespace tkd::gui {

const std::vector<CommandDef>& CommandRegistry::table()
{
    static const std::vector<CommandDef> all = [] {
        struct Raw {
            const char* id;
            const char16_t* caption;
            const char16_t* function;
            bool needsMember;
        };
        const Raw raw[] = {
            {"memberList", u"会员管理", u"会员管理", false},
            {"expenses", u"日常支出", u"日常支出", false},
            {"statistics", u"统计报表", u"", false},
            {"dailyReminders", u"每日提醒", u"", false},
            {"smsBroadcast", u"短信群发", u"", false},
            {"otherSettings", u"其它设置", u"其它设置", false},
            {"changePassword", u"更改密码", u"", false},
            {"userInfo", u"用户信息", u"", false},
            {"shiftChange", u"换班登录", u"", false},
            {"exit", u"退出系统", u"", false},
            {"paymentStats", u"会员交费统计", u"会员交费统计", false},
            {"eventReminders", u"事件提醒", u"事件提醒", false},
            {"leaveManagement", u"会员请假管理", u"会员请假管理", false},
            {"coachingManagement", u"私教管理", u"私教管理", false},
            {"assessmentManagement", u"学员考核管理", u"学员考核管理", false},
            {"consumptionStats", u"会员消费统计", u"会员消费统计", false},
            {"businessReport", u"营业报表", u"营业报表", false},
            {"lockerQuery", u"衣柜查询管理", u"衣柜查询管理", false},
            {"staffPerformance", u"员工业绩管理", u"员工业绩管理", false},
            {"exchangeStats", u"兑换商品统计", u"兑换商品统计", false},
            {"visitStats", u"会员来访统计", u"会员来访统计", false},
            {"goodsCatalogue", u"商品基本信息", u"商品基本信息", false},
            {"stockQuery", u"商品库存查询", u"商品库存查询", false},
            {"purchasing", u"商品进货", u"商品进货", false},
            {"supplierReturns", u"商品退货", u"商品退货", false},
            {"purchaseQuery", u"商品采购查询", u"商品采购查询", false},
            {"salesQuery", u"商品消费查询", u"商品消费查询", false},
            {"cardTypes", u"会员类型设置", u"会员类型设置", false},
            {"lockerSetup", u"衣柜设置", u"衣柜设置", false},
            {"staff", u"员工设置", u"员工设置", false},
            {"permissions", u"操作权限", u"操作权限", false},
            {"backup", u"数据备份", u"数据备份", false},
            {"restore", u"数据恢复", u"数据恢复", false},
            {"compaction", u"数据压缩", u"数据压缩", false},
            {"cleanup", u"数据清理", u"数据清理", false},
            {"copyright", u"版权信息", u"", false},
            {"introduction", u"系统介绍", u"", false},
            {"inputMethod", u"设置输入法", u"", false},
            {"manual", u"操作手册", u"", false},
            {"browseMembers", u"浏览会员", u"", false},
            {"addMember", u"添加会员", u"添加会员", false},
            {"editMember", u"修改会员", u"修改会员", true},
            {"clearPanel", u"清除信息", u"", false},
            {"chooseCoach", u"选择教练", u"", true},
            {"chooseLocker", u"选择衣柜", u"", true},
            {"checkIn", u"学员登记", u"学员登记", true},
            {"deleteVisit", u"删除登记", u"", false},
            {"addConsumption", u"增加消费", u"增加消费", true},
            {"memberReturn", u"会员退货", u"会员退货", true},
            {"addPayment", u"增加交费", u"增加交费", true},
            {"printPayments", u"打印", u"", true},
            {"buyCoaching", u"购买私教", u"购买私教", true},
            {"addLesson", u"增加消费", u"", true},
            {"addReminder", u"增加提醒", u"增加提醒", true},
            {"deleteReminder", u"删除提醒", u"删除提醒", true},
            {"addExchange", u"增加商品", u"增加兑换商品", true},
            {"deleteExchange", u"删除商品", u"删除兑换商品", true},
            {"addLeave", u"会员请假", u"会员请假", true},
            {"deleteLeave", u"删除请假", u"删除请假", true},
            {"endLeave", u"会员销假", u"会员销假", true},
        };
        std::vector<CommandDef> list;
        for (const Raw& r : raw)
            list.push_back({QString::fromLatin1(r.id), QString::fromUtf16(r.caption), QString::fromUtf16(r.function),
                            r.needsMember});
        return list;
    }();
    return all;
}

const CommandDef* CommandRegistry::find(const QString& id)
{
    for (const CommandDef& def : table())
        if (def.id == id)
            return &def;
    return nullptr;
}

CommandRegistry::CommandRegistry(AppContext& app, QWidget* frame, FrontDesk* desk)
    : QObject(frame), m_app(app), m_frame(frame), m_desk(desk)
{
    for (const CommandDef& def : table()) {
        auto* action = new QAction(def.caption, frame);
        action->setObjectName(def.id + QStringLiteral("Action"));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, id = def.id] { run(id); });
        m_actions.insert(def.id, action);
    }
}

CommandRegistry::~CommandRegistry() = default;

Session& CommandRegistry::session()
{
    return m_app.session();
}

QString CommandRegistry::shownMember() const
{
    return m_desk->panel()->shownCardNumber();
}

QAction* CommandRegistry::action(const QString& id) const
{
    QAction* a = m_actions.value(id);
    Q_ASSERT_X(a, "CommandRegistry::action", qPrintable(id));
    return a;
}

void CommandRegistry::add(Command command)
{
    // The table is what the frame shows and what the tests hold to; a registration that
    // disagrees with it is a mistake of the area, caught in debug builds.
    const CommandDef* def = find(command.id);
    Q_ASSERT_X(def, "CommandRegistry::add", qPrintable(command.id));
    Q_ASSERT_X(def->function == command.function, "CommandRegistry::add", qPrintable(command.id));
    Q_ASSERT_X(def->needsMember == (command.withoutMember != WithoutMember::Runs), "CommandRegistry::add",
               qPrintable(command.id));
    Q_UNUSED(def);
    const QString id = command.id;
    m_commands.insert(id, std::move(command));
    action(id)->setEnabled(true);
}

void CommandRegistry::setHandler(const QString& id, std::function<void()> handler)
{
    const CommandDef* def = find(id);
    Q_ASSERT_X(def, "CommandRegistry::setHandler", qPrintable(id));
    add({id, def->function, def->needsMember ? WithoutMember::Refuses : WithoutMember::Runs, std::move(handler)});
}

void CommandRegistry::run(const QString& id)
{
    const auto found = m_commands.constFind(id);
    if (found == m_commands.constEnd())
        return;
    // A copy: the handler may register commands of its own while it runs.
    const Command command = *found;
    kit::guarded(m_frame, [&] { runChecked(command); });
}

void CommandRegistry::runChecked(const Command& command)
{
    if (!command.function.isEmpty()) {
        if (const MaybeRefusal refusal =
                security::checkPermission(m_app.velunDMForm(), m_app.currentOperator(), command.function)) {
            Messages::refusal(m_frame, *refusal);
            return;
        }
    }
    if (command.withoutMember != WithoutMember::Runs && shownMember().isEmpty()) {
        if (command.withoutMember == WithoutMember::Refuses)
            Messages::warning(m_frame, QStringLiteral("请首先选择会员！"));
        return;
    }
    command.handler();
}

QWidget* CommandRegistry::made(std::type_index type) const
{
    const auto found = m_windows.find(type);
    return found == m_windows.end() ? nullptr : found->second.data();
}

QWidget* CommandRegistry::windowOf(std::type_index type)
{
    if (QWidget* window = made(type))
        return window;
    const auto factory = m_factories.find(type);
    Q_ASSERT_X(factory != m_factories.end(), "CommandRegistry::window", type.name());
    if (factory == m_factories.end())
        return nullptr;
    QWidget* window = factory->second();
    m_windows[type] = window;
    if (m_windowMade)
        m_windowMade(window);
    return window;
}

} // namespace tkd::gui
