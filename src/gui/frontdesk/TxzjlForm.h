#pragma once

#include <QDialog>

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;

// "选择教练": assigns a coach to the member shown at the desk.
class TxzjlForm : public QDialog {
    Q_OBJECT
public:
    explicit TxzjlForm(Session& session, QWidget* parent = nullptr);
    void prepare(const QString& cardNumber);
    // The coach stored, after exec() returned Accepted.
    const QString& chosenCoach() const { return m_chosen; }
    DataGrid* grid() const { return m_grid; }

private:
    void choose();

    Session& m_context;
    QString m_cardNumber;
    QString m_chosen;
    DataGrid* m_grid;
};

} // namespace tkd::gui
