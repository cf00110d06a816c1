#pragma once

#include "db/DateRange.h"

#include <QWidget>
#include <functional>

class QDateEdit;
class QHBoxLayout;
class QPushButton;

namespace tkd::gui {

// The dates of a dated list: "登记日期：" [first day] "至" [last day] … "查询". The range it
// gives is the one of core's dayRange, the first day's 00:00:00 to the last day's 23:59:59,
// which is what the window binds to its query ("time1"/"time2", "rq1"/"rq2").
//
//     m_dates = new DateRangeBar(QStringLiteral("登记日期："), this);
//     m_dates->setStartRule(DateRangeBar::daysAgo(30));   // when the window's default differs
//     m_dates->addWidget(numberCaption); m_dates->addWidget(m_number);   // before "查询"
//     connect(m_dates, &DateRangeBar::queryRequested, this, &TfooForm::query);
//     // opening:  m_dates->reset(session.now().date());
//     // querying: const DayRange r = m_dates->range();
//     //           dm.open("ADOQ_foo", {{"time1", r.first}, {"time2", r.last}});
//
// It fits a ListWindow's query row through addQueryWidget().
class DateRangeBar : public QWidget {
    Q_OBJECT
public:
    // The first day the bar opens with, from today.
    using StartRule = std::function<QDate(const QDate& today)>;
    // The default: the same day a month before (the 31st going back to a shorter month's last day).
    static StartRule monthAgo();
    static StartRule daysAgo(int days);
    static StartRule firstOfMonth();
    static StartRule sameDay();

    explicit DateRangeBar(const QString& caption, QWidget* parent = nullptr,
                          const QString& between = QStringLiteral("至"), bool withQueryButton = true);

    void setStartRule(StartRule rule);
    // The window's opening: the start rule's first day to today.
    void reset(const QDate& today);
    void setRange(const QDate& from, const QDate& to);

    QDate from() const;
    QDate to() const;
    DayRange range() const;

    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    // Null when the bar was made without one.
    QPushButton* queryButton() const { return m_query; }
    // Another field of the query, between the dates and "查询".
    void addWidget(QWidget* widget);

Q_SIGNALS:
    // "查询" was pressed.
    void queryRequested();

private:
    StartRule m_startRule;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QPushButton* m_query = nullptr;
    QHBoxLayout* m_row;
};

} // namespace tkd::gui
