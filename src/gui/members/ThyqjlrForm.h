#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <functional>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class LeaveMemberBox;
class TxzjsrForm;

// "会员请假": records a leave for the member shown at the desk, or for one picked from the leave
// list. Accepted once the leave is stored.
class ThyqjlrForm : public QDialog {
    Q_OBJECT
public:
    ThyqjlrForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent = nullptr);

    // From the desk the member is fixed; false (after "会员卡号不存在！") when it is gone.
    bool prepareForMember(const QString& cardNumber);
    // From the list: no member until one is picked.
    void prepareToPick();
    // The member picker in its leave mode.
    void pickMember();

    // The card number the last stored leave was for.
    const QString& savedCard() const { return m_savedCard; }
    LeaveMemberBox* memberBox() const { return m_member; }

private:
    void reset();
    bool showMember(const QString& cardNumber);
    void showDays();
    void save();

    Session& m_session;
    std::function<TxzjsrForm*()> m_picker;
    QString m_savedCard;
    LeaveMemberBox* m_member;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLabel* m_days;
    QLineEdit* m_remark;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
