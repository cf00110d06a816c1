#pragma once

#include <QDialog>

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;
class TklxszForm;

// The list of card types with add, change and delete.
class ThydjszForm : public QDialog {
    Q_OBJECT
public:
    explicit ThydjszForm(AppContext& context, QWidget* parent = nullptr);
    void prepare();

    DataGrid* grid() const { return m_grid; }
    TklxszForm* entryForm() const { return m_entry; }

    void addType();
    void editType();
    void deleteType();

private:
    void reload();

    AppContext& m_context;
    DataGrid* m_grid;
    TklxszForm* m_entry;
};

} // namespace tkd::gui
