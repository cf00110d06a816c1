#pragma once

#include "db/ResultSet.h"
#include "kit/FieldMap.h"
#include "sms/Gateway.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;

// The SMS window: messages to members or typed numbers, the gateway login and the automatic-message switches.
class TfsdxForm : public QDialog {
    Q_OBJECT
public:
    enum Tab { MembersTab = 0, NumbersTab = 1, AccountTab = 2 };

    explicit TfsdxForm(AppContext& context, QWidget* parent = nullptr);
    // As the toolbar opens it: the account tab, empty numbers, the members that can be used.
    void prepare();
    // As the daily reminders open it: their phone numbers in the number field, that tab shown.
    void prepareWithNumbers(const QString& numbers);
    void done(int result) override;

private:
    void applyMemberFilter(const Filter& filter);
    void search();
    void sendToMembers();
    void checkNumbers();
    void sendTyped();
    void login();
    void logout();
    void saveSwitches();
    void showStatus();

    AppContext& m_context;
    sms::GatewayCall m_call;
    bool m_loggedOutHere = false;
    ResultSet m_members;
    QTabWidget* m_tabs;
    QLineEdit* m_memberSearch;
    QCheckBox* m_showDisabled;
    QAction* m_combinedSearch;
    DataGrid* m_memberGrid;
    QPlainTextEdit* m_numbers;
    QPlainTextEdit* m_content;
    QLineEdit* m_signature;
    QLineEdit* m_account;
    QLineEdit* m_password;
    QLabel* m_loginResult;
    QCheckBox* m_afterConsumption;
    QCheckBox* m_afterPayment;
    QCheckBox* m_afterCheckIn;
    QLabel* m_loginStatePanel;
    QLabel* m_accountPanel;
    QLabel* m_remainingPanel;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
