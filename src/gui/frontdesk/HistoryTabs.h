#pragma once

#include <QMap>
#include <QTabWidget>
#include <vector>

class QAction;
class QToolButton;

namespace tkd {
class TvelunDMForm;
}

namespace tkd::frontdesk {
struct HistoryList;
}

namespace tkd::gui {

class DataGrid;

// The six tabs of the member's history below the member panel.
class HistoryTabs : public QTabWidget {
    Q_OBJECT
public:
    // The lists a command may have changed, to be read again.
    enum List {
        Visits = 0x01,
        Consumption = 0x02,
        Payments = 0x04,
        Coaching = 0x08,
        Reminders = 0x10,
        Exchanges = 0x20,
        Leave = 0x40,
    };
    Q_DECLARE_FLAGS(Lists, List)

    explicit HistoryTabs(QWidget* parent = nullptr);

    // Reloads every list for the card number ("XXXYYYZZZ" shows the columns and no rows).
    void load(TvelunDMForm& dm, const QString& cardNumber);
    // Reopens the visit list from its scratch table.
    void loadVisits(TvelunDMForm& dm);
    // The catalogue entries behind the named lists.
    static QStringList entries(Lists which);
    // Shows lists already read, each in the grid of its entry; only those named when some are.
    void show(const std::vector<frontdesk::HistoryList>& lists, Lists which = {});

    DataGrid* grid(const QString& name) const { return m_grids.value(name); }
    QToolButton* button(const QString& name) const { return m_buttons.value(name); }
    void bind(const QString& buttonName, QAction* action);

private:
    QToolButton* addButton(QWidget* parent, const QString& caption, const char* objectName);

    QMap<QString, DataGrid*> m_grids;
    QMap<QString, QToolButton*> m_buttons;
};

} // namespace tkd::gui

Q_DECLARE_OPERATORS_FOR_FLAGS(tkd::gui::HistoryTabs::Lists)
