#pragma once

#include "db/ResultSet.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <utility>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;
class DateRangeBar;
class TgmsjForm;
class TsjxfForm;
class TsjxmglForm;

// "私教管理": open lessons per member with the chosen member's packages, the purchases and the
// lessons of chosen days, each list filtered by card number, coach and item; purchases, lessons,
// the item catalogue, deleting a purchase and the three printouts start here.
class TsjglForm : public QDialog {
    Q_OBJECT
public:
    struct Windows {
        std::function<TgmsjForm*()> purchase;
        std::function<TsjxfForm*()> booking;
        std::function<TsjxmglForm*()> items;
        // The permission check of a purchase: true when the operator may buy.
        std::function<bool()> mayBuy;
    };
    TsjglForm(Session& session, Windows windows, QWidget* parent = nullptr);

    // The filters emptied, the dates today - 30 days to today, the summary page, every list read.
    void prepare();

    QTabWidget* tabs() const { return m_tabs; }
    DataGrid* summaryGrid() const { return m_summaryGrid; }
    DataGrid* packageGrid() const { return m_packageGrid; }
    DataGrid* purchaseGrid() const { return m_purchaseGrid; }
    DataGrid* lessonGrid() const { return m_lessonGrid; }
    DateRangeBar* purchaseDates() const { return m_purchaseDates; }
    DateRangeBar* lessonDates() const { return m_lessonDates; }

    void buy();
    void addLessons();
    void deleteRecord();
    void manageItems();
    void printPurchases();
    void printLessons();

protected:
    void done(int result) override;

private:
    struct Filters {
        QLineEdit* card;
        QComboBox* coach;
        QComboBox* item;
    };
    Filters makeFilters(QWidget* parent, const char* prefix, const std::function<void(QWidget*)>& add);
    Filter filterOf(const Filters& filters, const QString& coachColumn) const;
    void fillChoices();
    void showSummaryPage(bool summary);
    void readSummary();
    void querySummary();
    void showMemberOf(int row);
    void queryPurchases();
    void queryLessons();

    Session& m_session;
    Windows m_windows;
    QTabWidget* m_tabs;
    QRadioButton* m_summaryRadio;
    QRadioButton* m_detailRadio;
    QStackedWidget* m_pages;
    Filters m_summaryFilters;
    Filters m_purchaseFilters;
    Filters m_lessonFilters;
    DataGrid* m_summaryGrid;
    QGroupBox* m_packageBox;
    DataGrid* m_packageGrid;
    DateRangeBar* m_purchaseDates;
    DataGrid* m_purchaseGrid;
    DateRangeBar* m_lessonDates;
    DataGrid* m_lessonGrid;
    // The days the shown lists were read for: what their printouts name.
    std::pair<QDate, QDate> m_purchaseDays;
    std::pair<QDate, QDate> m_lessonDays;
    ResultSet m_summary;
    ResultSet m_purchases;
    ResultSet m_lessons;
};

} // namespace tkd::gui
