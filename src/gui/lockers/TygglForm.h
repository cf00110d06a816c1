#pragma once

#include "db/ResultSet.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;
class DateRangeBar;
class TczygForm;
class ThytgForm;
class TxzjsrForm;
class TygxfForm;

// "衣柜管理": every locker's state, and the rental records of a range of days; renting, renewing,
// returning and printing from there.
class TygglForm : public QDialog {
    Q_OBJECT
public:
    TygglForm(Session& session, TxzjsrForm* memberPicker, QWidget* parent = nullptr);

    // The window's opening: both queries emptied, today's records, the first page.
    void prepare();

    DataGrid* stateGrid() const { return m_stateGrid; }
    DataGrid* recordGrid() const { return m_recordGrid; }
    TczygForm* rentalForm() const { return m_rental; }
    TygxfForm* renewalForm() const { return m_renewal; }
    ThytgForm* returnForm() const { return m_return; }
    // The text colour of a state row: red for a rented locker, blue for the others.
    static QColor stateColour(const QString& state);

Q_SIGNALS:
    // A member's locker changed here: the desk shows it again when that member is on it.
    void memberLockerChanged(const QString& cardNumber);

protected:
    void done(int result) override;

private:
    void queryStates(bool keepRow = false);
    void queryRecords();
    void rowChosen(int row);
    void rent();
    void renew();
    void giveBack();
    void print();

    Session& m_session;
    ResultSet m_states;
    ResultSet m_records;
    QPushButton* m_rentButton;
    QPushButton* m_renewButton;
    QPushButton* m_returnButton;
    QTabWidget* m_pages;
    QLineEdit* m_stateNumber;
    QComboBox* m_state;
    DataGrid* m_stateGrid;
    DateRangeBar* m_dates;
    QLineEdit* m_recordNumber;
    QComboBox* m_recordKind;
    DataGrid* m_recordGrid;
    TczygForm* m_rental;
    TygxfForm* m_renewal;
    ThytgForm* m_return;
};

} // namespace tkd::gui
