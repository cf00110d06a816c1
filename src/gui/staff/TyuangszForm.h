#pragma once

#include "db/ResultSet.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;
class TyglrForm;

// The staff list with its search, opened by the command "员工设置".
class TyuangszForm : public QDialog {
    Q_OBJECT
public:
    explicit TyuangszForm(AppContext& context, QWidget* parent = nullptr);
    // Opens the list without departed staff and with the search cleared.
    void prepare();
    TyglrForm* entryForm() const { return m_entry; }
    DataGrid* grid() const { return m_grid; }
    const ResultSet& shownRows() const { return m_rows; }

private:
    void reload();
    void applyFilter(const Filter& filter);
    void search();
    void showAll();
    void departedToggled(bool shown);
    void addStaff();
    void editStaff();
    void deleteStaff();
    void print();

    AppContext& m_context;
    ResultSet m_rows;
    Filter m_filter;
    DataGrid* m_grid;
    QComboBox* m_titleFilter;
    QLineEdit* m_nameFilter;
    QCheckBox* m_showDeparted;
    TyglrForm* m_entry;
};

} // namespace tkd::gui
