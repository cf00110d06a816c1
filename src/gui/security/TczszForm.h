#pragma once

#include "db/Dataset.h"

#include <QDialog>
#include <optional>

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;
class TgzrysingleForm;

// Operators and their rights. Ticks are held in memory and written when another operator
// is chosen or the window closes.
class TczszForm : public QDialog {
    Q_OBJECT
public:
    explicit TczszForm(AppContext& context, QWidget* parent = nullptr);
    void prepare();

    DataGrid* operatorGrid() const { return m_operators; }
    DataGrid* rightsGrid() const { return m_rights; }
    TgzrysingleForm* newOperatorForm() const { return m_newOperator; }
    // The operator whose rights are shown, empty when none.
    QString shownOperator() const { return m_shown; }

    void done(int result) override;

private:
    void reloadOperators(int selectRow);
    void showRights(const QString& name);
    void saveRights();
    void operatorClicked(int row);
    void rightClicked(int row, const QString& column);
    void addOperator();
    void deleteOperator();

    AppContext& m_context;
    DataGrid* m_operators;
    DataGrid* m_rights;
    TgzrysingleForm* m_newOperator;
    std::optional<Dataset> m_rightsData;
    QString m_shown;
};

} // namespace tkd::gui
