#pragma once

#include <QMainWindow>

class QLabel;
class QToolBar;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class CommandRegistry;
class FrontDesk;
class HistoryTabs;
class MemberPanel;
class OutlookBar;
class TLoginForm;

// The front desk and the starting point of every function: the frame (toolbar, outlook bar,
// menus, member panel, history tabs, status bar). Its commands and their windows are the
// areas' own, in the registry. Shown after login, hidden before; leaving it asks first,
// takes the automatic backup and ends the program.
class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TmainForm(AppContext& context, QWidget* parent = nullptr);
    ~TmainForm() override;

    // The creation sequence that needs the database: SMS state, empty panel and lists,
    // the desk mode and its hint.
    void initialise();

    void setLoginForm(TLoginForm* login) { m_login = login; }
    void showAfterLogin(const QString& hallName);
    const QString& hallName() const { return m_hallName; }
    void setHallName(const QString& name);
    void setOperatorPanel(const QString& operatorName);

    CommandRegistry* registry() const { return m_registry; }
    MemberPanel* memberPanel() const { return m_panel; }
    HistoryTabs* historyTabs() const { return m_tabs; }
    FrontDesk* desk() const { return m_desk; }
    OutlookBar* outlookBar() const { return m_outlook; }
    QToolBar* toolBar() const { return m_toolBar; }

    // The exit command of the menu and the toolbar; false when the operator cancels.
    bool requestExit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    void buildOutlook();
    void bindDeskButtons();
    void buildStatusBar();
    bool confirmAndBackup();

    AppContext& m_context;
    MemberPanel* m_panel;
    HistoryTabs* m_tabs;
    FrontDesk* m_desk;
    CommandRegistry* m_registry;
    QToolBar* m_toolBar = nullptr;
    OutlookBar* m_outlook = nullptr;
    TLoginForm* m_login = nullptr;
    QLabel* m_operatorPanel = nullptr;
    QLabel* m_hallPanel = nullptr;
    QString m_hallName;
    bool m_exiting = false;
};

} // namespace tkd::gui
