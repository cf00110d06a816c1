#pragma once

#include "lockers/Rentals.h"

#include <QDialog>

class QLabel;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "会员衣柜退柜": gives a rented locker back and pays its deposit back.
class ThytgForm : public QDialog {
    Q_OBJECT
public:
    explicit ThytgForm(Session& session, QWidget* parent = nullptr);

    // The locker as read when the caller opened the dialog; its renter must still hold it at "退柜".
    void prepare(const lockers::LockerView& locker);
    const lockers::ReturnDone& returned() const { return m_returned; }

private:
    void giveBack();

    Session& m_session;
    lockers::LockerView m_locker;
    lockers::ReturnDone m_returned;
    QLabel* m_number;
    QLabel* m_name;
    QLabel* m_deposit;
    QLabel* m_member;
    QLabel* m_remark;
};

} // namespace tkd::gui
