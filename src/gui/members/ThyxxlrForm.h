#pragma once

#include "kit/FieldMap.h"
#include "members/Registration.h"
#include "sms/Gateway.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tkd {
class Session;
struct SmsState;
} // namespace tkd

namespace tkd::members {
struct MemberEntry;
}

namespace tkd::gui {

class TxzjsrForm;
class TxzygForm;

// "会员信息录入": registers a member or edits one's personal data.
class ThyxxlrForm : public QDialog {
    Q_OBJECT
public:
    enum class Opener { FrontDesk, MemberList };

    // The locker and introducer choosers are the program's own, shared with other windows.
    ThyxxlrForm(Session& session, SmsState& sms, TxzygForm* lockerChooser, TxzjsrForm* introducerChooser,
                QWidget* parent = nullptr);
    void prepareAdd(Opener opener);
    // False when the member no longer exists.
    bool prepareEdit(Opener opener, const QString& cardNumber);
    bool isEditing() const { return m_editing; }
    Opener opener() const { return m_opener; }
    // What was saved, after exec() returned Accepted.
    const members::MemberInput& saved() const { return m_saved; }
    void setPhotoPath(const QString& path);
    const QString& photoPath() const { return m_photoPath; }
    TxzygForm* lockerChooser() const { return m_lockerChooser; }
    TxzjsrForm* introducerChooser() const { return m_introducerChooser; }

private:
    void fillLists();
    void typeChosen(int index);
    void setAddMode(bool adding);
    void fill(const members::MemberEntry& entry);
    members::MemberInput read() const;
    void save();
    void chooseLocker();
    void chooseIntroducer();
    void choosePhoto();
    void photoMenu(const QPoint& at);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Session& m_context;
    SmsState& m_sms;
    sms::GatewayCall m_call;
    TxzygForm* m_lockerChooser;
    TxzjsrForm* m_introducerChooser;
    Opener m_opener = Opener::FrontDesk;
    bool m_editing = false;
    bool m_joinedKnown = true;
    QString m_photoPath;
    QString m_introducerCard;
    members::MemberInput m_saved;
    QLineEdit* m_card;
    QLineEdit* m_name;
    QComboBox* m_type;
    QLineEdit* m_mobile;
    QLineEdit* m_phone;
    QDateEdit* m_joined;
    QLineEdit* m_visits;
    QLineEdit* m_days;
    QLineEdit* m_price;
    QLineEdit* m_password;
    QLineEdit* m_confirm;
    QLineEdit* m_month;
    QLineEdit* m_day;
    QLineEdit* m_points;
    QComboBox* m_payMethod;
    QLineEdit* m_source;
    QComboBox* m_idKind;
    QLineEdit* m_idNumber;
    QComboBox* m_sex;
    QComboBox* m_coach;
    QLineEdit* m_locker;
    QToolButton* m_lockerButton;
    QComboBox* m_consultant;
    QComboBox* m_grade;
    QLineEdit* m_lessons;
    QLineEdit* m_needs;
    QLineEdit* m_introducer;
    QToolButton* m_introducerButton;
    QPlainTextEdit* m_remark;
    QLabel* m_photo;
    QCheckBox* m_openOnSave;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
