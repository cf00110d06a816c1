#pragma once

#include "kit/FieldMap.h"
#include "members/Leave.h"

#include <QDialog>

class QDateEdit;
class QLabel;

namespace tkd {
class Session;
}

namespace tkd::gui {

class LeaveMemberBox;

// "会员销假": ends a leave on another day than planned. Accepted once the leave is changed.
class ThyxjForm : public QDialog {
    Q_OBJECT
public:
    explicit ThyxjForm(Session& session, QWidget* parent = nullptr);

    // The leave and its member as the check before opening read them; "销假时间：" is today.
    void prepare(const members::LeaveToEnd& leave);

    LeaveMemberBox* memberBox() const { return m_member; }
    QDateEdit* untilEdit() const { return m_until; }

private:
    void save();

    Session& m_session;
    members::LeaveKey m_key;
    LeaveMemberBox* m_member;
    QLabel* m_start;
    QLabel* m_end;
    QDateEdit* m_until;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
