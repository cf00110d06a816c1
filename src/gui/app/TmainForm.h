#pragma once

#include <QMainWindow>

class QLabel;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class TLoginForm;
class TsrfForm;

// The main window: shown after login, hidden before. Leaving it asks first, takes the
// automatic backup and ends the program.
class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TmainForm(AppContext& context, QWidget* parent = nullptr);

    void setLoginForm(TLoginForm* login) { m_login = login; }
    void setInputMethodForm(TsrfForm* form) { m_inputMethodForm = form; }
    void showAfterLogin(const QString& hallName);
    const QString& hallName() const { return m_hallName; }

    // The exit command of the menu and the toolbar; false when the operator cancels.
    bool requestExit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool confirmAndBackup();

    AppContext& m_context;
    TLoginForm* m_login = nullptr;
    TsrfForm* m_inputMethodForm = nullptr;
    QLabel* m_fixedPanel;
    QLabel* m_operatorPanel;
    QLabel* m_hallPanel;
    QString m_hallName;
    bool m_exiting = false;
};

} // namespace tkd::gui
