#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class TmainForm;

// The login window; it is the application's main window: closing it ends the program.
class TLoginForm : public QWidget {
    Q_OBJECT
public:
    TLoginForm(AppContext& context, QWidget* parent = nullptr);

    void setMainForm(TmainForm* mainForm) { m_mainForm = mainForm; }
    void setSplash(QWidget* splash) { m_splash = splash; }
    // Closed through the main window's exit: the backup is already taken.
    void closeForExit();

Q_SIGNALS:
    void loggedIn(const QString& operatorName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void reloadOperators();
    void login();

    AppContext& m_context;
    TmainForm* m_mainForm = nullptr;
    QWidget* m_splash = nullptr;
    QComboBox* m_operators;
    QLineEdit* m_password;
    QPushButton* m_loginButton;
};

} // namespace tkd::gui
