#pragma once

#include "db/DateRange.h"
#include "kit/ListWindow.h"

#include <functional>

namespace tkd::gui {

class DateRangeBar;
class TbkjbForm;
class TxykhcxForm;
class TxykhlrForm;
class TxykhpllrForm;

// "学员考核": the results of the chosen days and level, their entry one by one or for a group,
// the detailed search, the report, the receipt again and the level list.
class TxykhForm : public ListWindow {
    Q_OBJECT
public:
    struct Windows {
        std::function<TxykhlrForm*()> entry;
        std::function<TxykhpllrForm*()> batch;
        std::function<TxykhcxForm*()> search;
        std::function<TbkjbForm*()> levels;
    };
    TxykhForm(Session& session, Windows windows, QWidget* parent = nullptr);

    // The level list refilled on "所有级别", the first of the month to today, the list read.
    void prepare();
    DateRangeBar* dates() const { return m_dates; }

private:
    // The list again for the bar's dates; the filter stays.
    void query();
    void add();
    void addBatch();
    void edit();
    void detailedSearch();
    void print();
    void reprint();

    Windows m_windows;
    DateRangeBar* m_dates;
    DayRange m_range;
};

} // namespace tkd::gui
