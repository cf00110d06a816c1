#pragma once

#include "kit/ListWindow.h"

class QCheckBox;

namespace tkd::gui {

class TyglrForm;

// "员工信息": the staff list with its search, opened by the command "员工设置".
class TyuangszForm : public ListWindow {
    Q_OBJECT
public:
    explicit TyuangszForm(Session& session, QWidget* parent = nullptr);
    // Opens the list without departed staff and with the search cleared.
    void prepare();
    TyglrForm* entryForm() const { return m_entry; }
    const ResultSet& shownRows() const { return rows(); }

protected:
    // Departed staff hidden unless asked for, the title, the name as a literal substring.
    Filter queryFilter() const override;

private:
    void departedToggled(bool shown);
    void addStaff();
    void editStaff();
    void deleteStaff();
    void print();

    QCheckBox* m_showDeparted;
    TyglrForm* m_entry;
};

} // namespace tkd::gui
