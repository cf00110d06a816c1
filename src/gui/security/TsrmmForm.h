#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tkd::gui {

// Asks a member for the card password before a sale, a return or a card change.
class TsrmmForm : public QDialog {
    Q_OBJECT
public:
    explicit TsrmmForm(QWidget* parent = nullptr);

    struct Member {
        QString cardNumber;
        QString name;
        QString status;
        QString expiry;
        QString password;
    };
    // Shows the prompt modally; true only when the typed text equals the password.
    bool ask(const Member& member);
    bool passed() const { return m_passed; }

private:
    void check();

    QLabel* m_card;
    QLabel* m_name;
    QLabel* m_status;
    QLabel* m_expiry;
    QLineEdit* m_password;
    QString m_expected;
    bool m_passed = false;
};

} // namespace tkd::gui
