#pragma once

#include "db/DateRange.h"
#include "kit/ListWindow.h"

#include <functional>

namespace tkd::gui {

class DateRangeBar;
class ThyqjlrForm;
class ThyxjForm;

// "会员请假管理": the leaves recorded in a period, searched by card number or name on "查询"; a leave
// added through the member picker, ended early ("销假", also a double-click) or deleted before it
// starts. Each button makes the permission check of its twin on the desk.
class ThyqjForm : public ListWindow {
    Q_OBJECT
public:
    struct Windows {
        std::function<ThyqjlrForm*()> entry;
        std::function<ThyxjForm*()> ending;
    };
    ThyqjForm(Session& session, Windows windows, QWidget* parent = nullptr);

    // Opening: the last 30 days up to today, no search text, the list read.
    void prepare();
    // "查询": the dates and the search text as they stand now.
    void query();

    DateRangeBar* dates() const { return m_dates; }

Q_SIGNALS:
    // A leave of this member was added, ended or deleted: the desk shows the member again.
    void leaveChanged(const QString& cardNumber);

protected:
    Filter queryFilter() const override;

private:
    bool allowed(const QString& function);
    void add();
    void endCurrent();
    void deleteCurrentLeave();

    Windows m_windows;
    DateRangeBar* m_dates;
    DayRange m_range;
    QString m_text;
};

} // namespace tkd::gui
