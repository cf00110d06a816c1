#pragma once

#include <QDialog>

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;
class TzwlrsForm;

// The job-title list, opened beside the staff dialog's title field.
class TzwlrForm : public QDialog {
    Q_OBJECT
public:
    explicit TzwlrForm(AppContext& context, QWidget* parent = nullptr);
    void prepare();
    TzwlrsForm* entryForm() const { return m_entry; }
    // The title that was current when "确定" was pressed.
    const QString& chosenTitle() const { return m_chosen; }

private:
    void reload();
    void addTitle();
    void deleteTitle();
    void choose();

    AppContext& m_context;
    DataGrid* m_grid;
    TzwlrsForm* m_entry;
    QString m_chosen;
};

} // namespace tkd::gui
