#include "TmainForm.h"

#include "AreaCommands.h"
#include "CommandRegistry.h"
#include "TLoginForm.h"
#include "app/AppContext.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "kit/OutlookBar.h"
#include "settings/OtherSettings.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

const QString kTitle = QStringLiteral("澄岚跆拳道馆管理系统");

struct Group {
    const char16_t* title;
    std::vector<const char*> commands;
};

const std::vector<Group>& groups()
{
    static const std::vector<Group> all = {
        {u"会员管理",
         {"memberList", "paymentStats", "eventReminders", "leaveManagement", "coachingManagement",
          "assessmentManagement"}},
        {u"统计报表",
         {"consumptionStats", "businessReport", "lockerQuery", "staffPerformance", "exchangeStats", "visitStats"}},
        {u"商品设置", {"goodsCatalogue", "stockQuery", "purchasing", "supplierReturns", "purchaseQuery", "salesQuery"}},
        {u"系统设置", {"cardTypes", "lockerSetup", "staff", "otherSettings"}},
        {u"系统维护", {"permissions", "backup", "restore", "compaction", "cleanup"}},
        {u"关于系统", {"copyright", "introduction"}},
    };
    return all;
}

} // namespace

TmainForm::TmainForm(AppContext& context, QWidget* parent) : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(kTitle);
    resize(952, 575);

    m_panel = new MemberPanel(this);
    m_tabs = new HistoryTabs(this);
    m_desk = new FrontDesk(context.session(), context.sms(), m_panel, m_tabs, this);
    m_registry = new CommandRegistry(context, this, m_desk);

    buildToolBar();
    buildMenus();
    buildOutlook();

    auto* central = new QWidget(this);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(m_panel);
    body->addWidget(m_tabs, 1);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outlook);
    layout->addLayout(body, 1);
    setCentralWidget(central);

    bindDeskButtons();
    buildStatusBar();

    connect(m_registry, &CommandRegistry::operatorChanged, this, &TmainForm::setOperatorPanel);
    connect(m_registry, &CommandRegistry::hallNameChanged, this, &TmainForm::setHallName);
    // The desk switches mode the moment the settings are saved.
    connect(m_registry, &CommandRegistry::deskModeChanged, this,
            [this](bool unattended) { m_panel->setHint(settings::cardNumberHint(unattended)); });
    registerAllCommands(*m_registry, *this);
}

TmainForm::~TmainForm() = default;

void TmainForm::bindDeskButtons()
{
    for (const auto& [button, command] :
         std::vector<std::pair<const char*, const char*>>{{"browseMembersButton", "browseMembers"},
                                                          {"addMemberButton", "addMember"},
                                                          {"editMemberButton", "editMember"},
                                                          {"clearPanelButton", "clearPanel"},
                                                          {"coachButton", "chooseCoach"},
                                                          {"lockerButton", "chooseLocker"}})
        m_panel->bind(QString::fromLatin1(button), m_registry->action(QString::fromLatin1(command)));
    for (const auto& [button, command] :
         std::vector<std::pair<const char*, const char*>>{{"checkInButton", "checkIn"},
                                                          {"addConsumptionButton", "addConsumption"},
                                                          {"memberReturnButton", "memberReturn"},
                                                          {"addPaymentButton", "addPayment"},
                                                          {"printPaymentsButton", "printPayments"},
                                                          {"buyCoachingButton", "buyCoaching"},
                                                          {"addLessonButton", "addLesson"},
                                                          {"addReminderButton", "addReminder"},
                                                          {"deleteReminderButton", "deleteReminder"},
                                                          {"addExchangeButton", "addExchange"},
                                                          {"deleteExchangeButton", "deleteExchange"},
                                                          {"addLeaveButton", "addLeave"},
                                                          {"deleteLeaveButton", "deleteLeave"},
                                                          {"endLeaveButton", "endLeave"}})
        m_tabs->bind(QString::fromLatin1(button), m_registry->action(QString::fromLatin1(command)));

    // The visit list's pop-up menu.
    DataGrid* visits = m_tabs->grid(QStringLiteral("visitGrid"));
    visits->setContextMenuPolicy(Qt::ActionsContextMenu);
    visits->addAction(m_registry->action(QStringLiteral("deleteVisit")));
}

void TmainForm::buildStatusBar()
{
    auto* fixedPanel = new QLabel(QStringLiteral(" ") + kTitle, this);
    fixedPanel->setFixedWidth(400);
    m_operatorPanel = new QLabel(this);
    m_operatorPanel->setObjectName(QStringLiteral("operatorPanel"));
    m_operatorPanel->setFixedWidth(160);
    m_hallPanel = new QLabel(this);
    m_hallPanel->setObjectName(QStringLiteral("hallPanel"));
    m_hallPanel->setMinimumWidth(300);
    statusBar()->addWidget(fixedPanel);
    statusBar()->addWidget(m_operatorPanel);
    statusBar()->addWidget(m_hallPanel, 1);
}

void TmainForm::buildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(32, 32));
    const std::vector<std::pair<const char*, QStyle::StandardPixmap>> buttons = {
        {"memberList", QStyle::SP_FileDialogDetailedView}, {"expenses", QStyle::SP_FileDialogContentsView},
        {"statistics", QStyle::SP_FileDialogInfoView},     {"dailyReminders", QStyle::SP_MessageBoxInformation},
        {"smsBroadcast", QStyle::SP_DriveNetIcon},         {"otherSettings", QStyle::SP_FileDialogListView},
        {"changePassword", QStyle::SP_DialogResetButton},  {"userInfo", QStyle::SP_DirHomeIcon},
        {"shiftChange", QStyle::SP_BrowserReload},         {"exit", QStyle::SP_DialogCloseButton},
    };
    for (const auto& [id, icon] : buttons) {
        QAction* action = m_registry->action(QString::fromLatin1(id));
        action->setIcon(style()->standardIcon(icon));
        m_toolBar->addAction(action);
        if (QWidget* w = m_toolBar->widgetForAction(action)) {
            w->setObjectName(QString::fromLatin1(id) + QStringLiteral("ToolButton"));
            w->setFixedSize(77, 59);
        }
    }
}

void TmainForm::buildMenus()
{
    for (const Group& g : groups()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf16(g.title));
        for (const char* id : g.commands)
            menu->addAction(m_registry->action(QString::fromLatin1(id)));
        if (QString::fromUtf16(g.title) == QStringLiteral("关于系统")) {
            menu->addSeparator();
            menu->addAction(m_registry->action(QStringLiteral("inputMethod")));
            menu->addAction(m_registry->action(QStringLiteral("manual")));
            menu->addSeparator();
            menu->addAction(m_registry->action(QStringLiteral("exit")));
        }
    }
}

void TmainForm::buildOutlook()
{
    m_outlook = new OutlookBar(this);
    for (const Group& g : groups()) {
        QList<QAction*> items;
        for (const char* id : g.commands)
            items << m_registry->action(QString::fromLatin1(id));
        m_outlook->addGroup(QString::fromUtf16(g.title), items);
    }
}

void TmainForm::initialise()
{
    m_context.loadSessionState();
    m_desk->clear();
    m_panel->setHint(settings::cardNumberHint(m_context.unattended()));
    m_tabs->setCurrentIndex(0);
}

void TmainForm::showAfterLogin(const QString& hallName)
{
    setHallName(hallName);
    setOperatorPanel(m_context.currentOperator());
    showMaximized();
}

void TmainForm::setHallName(const QString& name)
{
    m_hallName = name;
    setWindowTitle(kTitle + QStringLiteral("5.6版     用户名称：") + name);
    m_hallPanel->setText(QStringLiteral(" 本软件使用单位：") + name);
}

void TmainForm::setOperatorPanel(const QString& operatorName)
{
    m_operatorPanel->setText(QStringLiteral(" 操作人员：") + operatorName);
}

bool TmainForm::confirmAndBackup()
{
    if (!Messages::confirm(this, QStringLiteral("您确定退出本系统吗？")))
        return false;
    m_exiting = true;
    m_context.backupAtExit();
    return true;
}

bool TmainForm::requestExit()
{
    if (!confirmAndBackup())
        return false;
    hide();
    if (m_login)
        m_login->closeForExit();
    return true;
}

void TmainForm::closeEvent(QCloseEvent* event)
{
    if (m_exiting) {
        event->accept();
        return;
    }
    if (!confirmAndBackup()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_login)
        m_login->closeForExit();
}

} // namespace tkd::gui
