#pragma once

#include "kit/FieldMap.h"
#include "lockers/Rentals.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "衣柜续费": moves a rented locker's end and takes the renewal amount.
class TygxfForm : public QDialog {
    Q_OBJECT
public:
    explicit TygxfForm(Session& session, QWidget* parent = nullptr);

    // The locker as read when the caller opened the dialog; its renter must still hold it at "保存".
    void prepare(const lockers::LockerView& locker);
    const lockers::RentalTicket& ticket() const { return m_ticket; }
    bool printTicket() const;

private:
    void save();

    Session& m_session;
    lockers::LockerView m_locker;
    lockers::RentalTicket m_ticket;
    QLabel* m_number;
    QLabel* m_name;
    QLabel* m_member;
    QLabel* m_deposit;
    QLabel* m_expiry;
    QDateEdit* m_newEnd;
    QLineEdit* m_amount;
    QLineEdit* m_remark;
    QCheckBox* m_print;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
