#pragma once

#include "kit/FieldMap.h"
#include "payments/PaymentSaving.h"
#include "sms/Gateway.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tkd {
class Session;
struct SmsState;
} // namespace tkd

namespace tkd::gui {

class TxftsForm;
class TxzjsrForm;

// "会员交费": membership renewal, custom renewal and stored-value recharge of one member.
class ThyjfForm : public QDialog {
    Q_OBJECT
public:
    using Opener = payments::Opener;
    // The member picker is the program's own, shared with other windows.
    ThyjfForm(Session& session, SmsState& sms, TxzjsrForm* memberPicker, QWidget* parent = nullptr);

    // Fills the window for the member (none for the statistics window, whose operator picks one);
    // false when the card number is unknown.
    bool prepare(Opener opener, const QString& cardNumber = {});
    Opener opener() const { return m_opener; }
    // The saved payment's values for the opener's view, after exec() returned Accepted.
    const payments::Payment& lastOutcome() const { return m_outcome; }
    const std::optional<payments::PayingMember>& member() const { return m_member; }
    TxftsForm* prompt() const { return m_prompt; }
    TxzjsrForm* memberPicker() const { return m_picker; }

private:
    void buildRenewalPage(QWidget* page);
    void buildCustomPage(QWidget* page);
    void buildRechargePage(QWidget* page);
    void load(const payments::PayingMember& member);
    void clearMember();
    void chooseMember();
    void proposeRenewal();
    void previewCustom();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void save();
    void afterSaving();

    Session& m_context;
    SmsState& m_sms;
    sms::GatewayCall m_call;
    Opener m_opener = Opener::FrontDesk;
    bool m_chosenByPicker = false;
    std::optional<payments::PayingMember> m_member;
    payments::Payment m_outcome;

    QLineEdit* m_card;
    QToolButton* m_chooser;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_balance;
    QLabel* m_visits;
    QLabel* m_expiry;
    QTabWidget* m_pages;

    QComboBox* m_renewType;
    QLineEdit* m_renewAmount;
    QLineEdit* m_renewRemark;
    QCheckBox* m_changeGrade;
    QComboBox* m_renewMethod;
    QLabel* m_renewExpiry;
    QLabel* m_renewVisits;
    QLabel* m_hint;

    QLineEdit* m_customDays;
    QLineEdit* m_customVisits;
    QLineEdit* m_customAmount;
    QLineEdit* m_customRemark;
    QComboBox* m_customMethod;
    QLabel* m_customExpiry;
    QLabel* m_customVisitsPreview;

    QLineEdit* m_deposit;
    QLineEdit* m_paid;
    QLineEdit* m_rechargeRemark;
    QComboBox* m_rechargeMethod;

    TxftsForm* m_prompt;
    TxzjsrForm* m_picker;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
