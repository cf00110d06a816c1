#pragma once

#include "db/ResultSet.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;

// "选择衣柜": picks a free locker. In registration mode the choice is only held until the new
// member is saved, and only the long-term page is offered.
class TxzygForm : public QDialog {
    Q_OBJECT
public:
    // The desk's own rentals (temporary and long-term pages, the ticket) come with the locker window.
    enum class Mode { Registration };

    explicit TxzygForm(AppContext& context, QWidget* parent = nullptr);
    void prepare(Mode mode, const QString& cardNumber, const QString& name, const QString& type);
    // The locker held or rented, after exec() returned Accepted.
    const QString& chosenLocker() const { return m_chosen; }
    DataGrid* grid() const { return m_grid; }

private:
    void applyFilter();
    void showLocker(int row);
    void updateTotal();
    void save();

    AppContext& m_context;
    Mode m_mode = Mode::Registration;
    ResultSet m_lockers;
    QString m_chosen;
    DataGrid* m_grid;
    QCheckBox* m_showAll;
    QLineEdit* m_numberFilter;
    QTabWidget* m_pages;
    QLabel* m_number;
    QLabel* m_name;
    QLabel* m_deposit;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_rent;
    QLabel* m_total;
    QLineEdit* m_remark;
    QCheckBox* m_printTicket;
};

} // namespace tkd::gui
