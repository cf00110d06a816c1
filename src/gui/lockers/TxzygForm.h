#pragma once

#include "db/Money.h"

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
    // The desk's own rentals (temporary and long-term pages, the ticket) come with the locker window.
    enum class Mode { Registration };

    explicit TxzygForm(Session& session, QWidget* parent = nullptr);
    // For windows that still hold the whole context.
    void prepare(Mode mode, const QString& cardNumber, const QString& name, const QString& type);
    // The locker held or rented, after exec() returned Accepted.
    const QString& chosenLocker() const { return m_chosen; }
    DataGrid* grid() const;

private:
    void showLocker(int row);
    void updateTotal();
    void save();
    void done(int result) override;

    Session& m_session;
    Mode m_mode = Mode::Registration;
    QString m_chosen;
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
