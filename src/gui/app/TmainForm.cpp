#include "TmainForm.h"

#include "MainCommands.h"
#include "TLoginForm.h"
#include "TaboutForm.h"
#include "TsrfForm.h"
#include "TuserinfoForm.h"
#include "app/AppContext.h"
#include "cardtypes/ThydjszForm.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "kit/OutlookBar.h"
#include "kit/report/TmypreviewForm.h"
#include "members/ThyxxlrForm.h"
#include "payments/ThyczjlreportForm.h"
#include "payments/ThyjfForm.h"
#include "security/TchangemmForm.h"
#include "security/TczszForm.h"
#include "security/TreloginForm.h"
#include "settings/OtherSettings.h"
#include "settings/TqtszForm.h"
#include "sms/TfsdxForm.h"
#include "staff/TyuangszForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
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
    m_commands = new MainCommands(context, this, [this] { return m_panel->shownCardNumber(); });

    m_relogin = new TreloginForm(context, this);
    m_changePassword = new TchangemmForm(context, this);
    m_userInfo = new TuserinfoForm(context, this);
    m_permissions = new TczszForm(context, this);
    m_cardTypes = new ThydjszForm(context.session(), this);
    m_staff = new TyuangszForm(context.session(), this);
    m_sms = new TfsdxForm(context, this);
    m_otherSettings = new TqtszForm(context, this);
    m_desk = new FrontDesk(context, m_panel, m_tabs, this);
    m_memberEntry = new ThyxxlrForm(context, this);
    m_payment = new ThyjfForm(context, this);
    m_about = new TaboutForm(TaboutForm::Kind::Copyright, this);
    m_introduction = new TaboutForm(TaboutForm::Kind::Introduction, this);

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

    for (const auto& [button, command] :
         std::vector<std::pair<const char*, const char*>>{{"browseMembersButton", "browseMembers"},
                                                          {"addMemberButton", "addMember"},
                                                          {"editMemberButton", "editMember"},
                                                          {"clearPanelButton", "clearPanel"},
                                                          {"coachButton", "chooseCoach"},
                                                          {"lockerButton", "chooseLocker"}})
        m_panel->bind(QString::fromLatin1(button), m_commands->action(QString::fromLatin1(command)));
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
        m_tabs->bind(QString::fromLatin1(button), m_commands->action(QString::fromLatin1(command)));

    // The visit list's pop-up menu.
    DataGrid* visits = m_tabs->grid(QStringLiteral("visitGrid"));
    visits->setContextMenuPolicy(Qt::ActionsContextMenu);
    visits->addAction(m_commands->action(QStringLiteral("deleteVisit")));

    m_fixedPanel = new QLabel(QStringLiteral(" ") + kTitle, this);
    m_fixedPanel->setFixedWidth(400);
    m_operatorPanel = new QLabel(this);
    m_operatorPanel->setObjectName(QStringLiteral("operatorPanel"));
    m_operatorPanel->setFixedWidth(160);
    m_hallPanel = new QLabel(this);
    m_hallPanel->setObjectName(QStringLiteral("hallPanel"));
    m_hallPanel->setMinimumWidth(300);
    statusBar()->addWidget(m_fixedPanel);
    statusBar()->addWidget(m_operatorPanel);
    statusBar()->addWidget(m_hallPanel, 1);

    plugCommands();
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
        QAction* action = m_commands->action(QString::fromLatin1(id));
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
            menu->addAction(m_commands->action(QString::fromLatin1(id)));
        if (QString::fromUtf16(g.title) == QStringLiteral("关于系统")) {
            menu->addSeparator();
            menu->addAction(m_commands->action(QStringLiteral("inputMethod")));
            menu->addAction(m_commands->action(QStringLiteral("manual")));
            menu->addSeparator();
            menu->addAction(m_commands->action(QStringLiteral("exit")));
        }
    }
}

void TmainForm::buildOutlook()
{
    m_outlook = new OutlookBar(this);
    for (const Group& g : groups()) {
        QList<QAction*> items;
        for (const char* id : g.commands)
            items << m_commands->action(QString::fromLatin1(id));
        m_outlook->addGroup(QString::fromUtf16(g.title), items);
    }
}

void TmainForm::plugCommands()
{
    m_commands->setHandler(QStringLiteral("exit"), [this] { requestExit(); });
    m_commands->setHandler(QStringLiteral("changePassword"), [this] {
        m_changePassword->prepare();
        m_changePassword->exec();
    });
    m_commands->setHandler(QStringLiteral("shiftChange"), [this] {
        m_relogin->prepare();
        m_relogin->exec();
    });
    connect(m_relogin, &TreloginForm::operatorChanged, this, &TmainForm::setOperatorPanel);
    m_commands->setHandler(QStringLiteral("userInfo"), [this] {
        m_userInfo->prepare();
        m_userInfo->exec();
    });
    connect(m_userInfo, &TuserinfoForm::hallNameChanged, this, &TmainForm::setHallName);
    m_commands->setHandler(QStringLiteral("permissions"), [this] {
        m_permissions->prepare();
        m_permissions->exec();
    });
    m_commands->setHandler(QStringLiteral("cardTypes"), [this] {
        m_cardTypes->prepare();
        m_cardTypes->exec();
    });
    m_commands->setHandler(QStringLiteral("staff"), [this] {
        m_staff->prepare();
        m_staff->exec();
    });
    m_commands->setHandler(QStringLiteral("smsBroadcast"), [this] {
        m_sms->prepare();
        m_sms->exec();
    });
    m_commands->setHandler(QStringLiteral("copyright"), [this] { m_about->exec(); });
    m_commands->setHandler(QStringLiteral("introduction"), [this] { m_introduction->exec(); });
    m_commands->setHandler(QStringLiteral("manual"), [this] { openManual(); });
    m_commands->setHandler(QStringLiteral("clearPanel"), [this] { m_desk->clear(); });
    m_commands->setHandler(QStringLiteral("checkIn"), [this] { m_desk->checkIn(); });
    m_commands->setHandler(QStringLiteral("deleteVisit"), [this] { m_desk->deleteVisit(); });
    m_commands->setHandler(QStringLiteral("chooseCoach"), [this] { m_desk->coachButton(); });
    m_commands->setHandler(QStringLiteral("browseMembers"), [this] { m_desk->browseMembers(); });
    m_commands->setHandler(QStringLiteral("addMember"), [this] {
        m_memberEntry->prepareAdd(ThyxxlrForm::Opener::FrontDesk);
        m_memberEntry->exec();
    });
    m_commands->setHandler(QStringLiteral("addPayment"), [this] {
        if (!m_payment->prepare(ThyjfForm::Opener::FrontDesk, m_panel->shownCardNumber())) {
            Messages::warning(this, QStringLiteral("会员卡号不存在！"));
            return;
        }
        if (m_payment->exec() == QDialog::Accepted)
            m_desk->showPayment(m_payment->lastOutcome());
    });
    m_commands->setHandler(QStringLiteral("printPayments"), [this] {
        TmypreviewForm::open(
            ThyczjlreportForm::forMember(m_context.velunDMForm(), m_panel->shownCardNumber(), m_context.clock().now()),
            this);
    });
    m_commands->setHandler(QStringLiteral("editMember"), [this] {
        if (!m_memberEntry->prepareEdit(ThyxxlrForm::Opener::FrontDesk, m_panel->shownCardNumber())) {
            Messages::warning(this, QStringLiteral("会员卡号不存在！"));
            return;
        }
        if (m_memberEntry->exec() == QDialog::Accepted)
            m_desk->showEdited(m_memberEntry->saved());
    });
    m_commands->setHandler(QStringLiteral("otherSettings"), [this] {
        m_otherSettings->prepare(TqtszForm::Opener::MainWindow);
        m_otherSettings->exec();
    });
    // The desk switches mode the moment the settings are saved.
    connect(m_otherSettings, &TqtszForm::saved, this,
            [this](const settings::OtherSettings& s) { m_panel->setHint(settings::cardNumberHint(s.unattended)); });
}

void TmainForm::setInputMethodForm(TsrfForm* form)
{
    m_inputMethodForm = form;
    m_commands->setHandler(QStringLiteral("inputMethod"), [this] { m_inputMethodForm->exec(); });
}

void TmainForm::initialise()
{
    m_context.loadSessionState();
    m_desk->clear();
    m_panel->setHint(settings::cardNumberHint(m_context.unattended()));
    m_tabs->setCurrentIndex(0);
}

void TmainForm::openManual()
{
    const QString manual = m_context.paths().manualFile();
    if (!QFileInfo::exists(manual)) {
        Messages::error(this, QStringLiteral("操作手册不存在！"));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
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
