#pragma once

#include "db/Dataset.h"

#include <QDialog>
#include <optional>

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;
class TgzrysingleForm;

// Operators and their rights. Ticks are held in memory and written when another operator
// is chosen or the window closes.
class TczszForm : public QDialog {
    Q_OBJECT
public:
    explicit TczszForm(Session& session, QWidget* parent = nullptr);
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
    // The operator of the row becomes the one shown, after the ticks held are written.
    void chooseOperator(int row, bool clicked);
    void selectShownOperator();
    void rightClicked(int row, const QString& column);
    void addOperator();
    void deleteOperator();

    Session& m_context;
    DataGrid* m_operators;
    DataGrid* m_rights;
    TgzrysingleForm* m_newOperator;
    std::optional<Dataset> m_rightsData;
    QString m_shown;
    bool m_reloading = false;
};

} // namespace tkd::gui
