#pragma once

#include "db/Money.h"
#include "lockers/Rentals.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tkd {
class Session;
} // namespace tkd

namespace tkd::gui {

class ChooserPanel;
class DataGrid;

// "选择衣柜": picks a free locker. In registration mode the choice is only held until the new
// member is saved, and only the long-term page is offered.
class TxzygForm : public QDialog {
    Q_OBJECT
public:
    // Registration holds the choice for the member being entered; the desk rents at once, for the
    // day (the temporary page) or for a period (the long-term page).
    enum class Mode { Registration, FrontDesk };

    explicit TxzygForm(Session& session, QWidget* parent = nullptr);
    void prepare(Mode mode, const QString& cardNumber, const QString& name, const QString& type);
    // The locker held or rented, after exec() returned Accepted.
    const QString& chosenLocker() const { return m_chosen; }
    // What the desk's rental wrote, after exec() returned Accepted in front-desk mode.
    const lockers::RentalTicket& ticket() const { return m_ticket; }
    // The desk prints the ticket after the rental when this is ticked.
    bool printTicket() const;
    DataGrid* grid() const;

private:
    void showLocker(int row);
    void updateTotal();
    void save();
    void hold();
    void rent();
    void done(int result) override;

    Session& m_session;
    Mode m_mode = Mode::Registration;
    QString m_card;
    QString m_chosen;
    lockers::RentalTicket m_ticket;
    QWidget* m_temporaryPage;
    QWidget* m_longTermPage;
    QLabel* m_tempNumber;
    QLabel* m_tempName;
    QLabel* m_tempDeposit;
    QLineEdit* m_tempRemark;
    QCheckBox* m_showAll;
    ChooserPanel* m_list;
    QTabWidget* m_pages;
    QLabel* m_number;
    QLabel* m_name;
    QLabel* m_deposit;
    Money m_depositAmount;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_rent;
    QLabel* m_total;
    QLineEdit* m_remark;
    QCheckBox* m_printTicket;
};

} // namespace tkd::gui
