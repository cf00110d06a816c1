#pragma once

#include <QMainWindow>

class QLabel;
class QToolBar;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class HistoryTabs;
class MainCommands;
class MemberPanel;
class OutlookBar;
class TLoginForm;
class TaboutForm;
class ThydjszForm;
class TyuangszForm;
class TfsdxForm;
class TqtszForm;
class FrontDesk;
class ThyxxlrForm;
class ThyjfForm;
class TchangemmForm;
class TczszForm;
class TreloginForm;
class TsrfForm;
class TuserinfoForm;

// The front desk and the starting point of every function. Shown after login, hidden
// before; leaving it asks first, takes the automatic backup and ends the program.
class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TmainForm(AppContext& context, QWidget* parent = nullptr);

    // The creation sequence that needs the database: SMS state, empty panel and lists,
    // the desk mode and its hint.
    void initialise();

    void setLoginForm(TLoginForm* login) { m_login = login; }
    void setInputMethodForm(TsrfForm* form);
    void showAfterLogin(const QString& hallName);
    const QString& hallName() const { return m_hallName; }
    void setHallName(const QString& name);
    void setOperatorPanel(const QString& operatorName);

    MainCommands* commands() const { return m_commands; }
    MemberPanel* memberPanel() const { return m_panel; }
    HistoryTabs* historyTabs() const { return m_tabs; }
    OutlookBar* outlookBar() const { return m_outlook; }
    QToolBar* toolBar() const { return m_toolBar; }
    FrontDesk* desk() const { return m_desk; }
    ThyxxlrForm* memberEntryForm() const { return m_memberEntry; }
    ThyjfForm* paymentForm() const { return m_payment; }
    TqtszForm* otherSettingsForm() const { return m_otherSettings; }

    TreloginForm* reloginForm() const { return m_relogin; }
    TchangemmForm* changePasswordForm() const { return m_changePassword; }
    TuserinfoForm* userInfoForm() const { return m_userInfo; }
    TczszForm* permissionForm() const { return m_permissions; }
    ThydjszForm* cardTypeForm() const { return m_cardTypes; }
    TyuangszForm* staffForm() const { return m_staff; }
    TfsdxForm* smsForm() const { return m_sms; }

    // The exit command of the menu and the toolbar; false when the operator cancels.
    bool requestExit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    void buildOutlook();
    void plugCommands();
    void openManual();
    bool confirmAndBackup();

    AppContext& m_context;
    MainCommands* m_commands;
    QToolBar* m_toolBar = nullptr;
    OutlookBar* m_outlook = nullptr;
    MemberPanel* m_panel;
    HistoryTabs* m_tabs;
    TLoginForm* m_login = nullptr;
    TsrfForm* m_inputMethodForm = nullptr;
    TreloginForm* m_relogin;
    TchangemmForm* m_changePassword;
    TuserinfoForm* m_userInfo;
    TczszForm* m_permissions;
    ThydjszForm* m_cardTypes;
    TyuangszForm* m_staff;
    TfsdxForm* m_sms;
    TaboutForm* m_about;
    TaboutForm* m_introduction;
    QLabel* m_fixedPanel;
    QLabel* m_operatorPanel;
    QLabel* m_hallPanel;
    QString m_hallName;
    FrontDesk* m_desk;
    ThyxxlrForm* m_memberEntry;
    ThyjfForm* m_payment;
    TqtszForm* m_otherSettings;
    bool m_exiting = false;
};

} // namespace tkd::gui
