#pragma once

#include "db/ResultSet.h"

#include <QDialog>

class QLineEdit;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

class DataGrid;

// "选择会员": picks a member by number or name for the window that opened it.
class TxzjsrForm : public QDialog {
    Q_OBJECT
public:
    // Who asked; each copies the pick into its own fields.
    enum class Mode { Introducer = 1, Payment, Leave, CoachingPurchase, CoachingLesson, FrontDesk, LockerRental };

    explicit TxzjsrForm(AppContext& context, QWidget* parent = nullptr);
    void prepare(Mode mode);
    Mode mode() const { return m_mode; }
    // The picked row's card number, after exec() returned Accepted.
    const QString& pickedCardNumber() const { return m_picked; }
    const QString& pickedName() const { return m_pickedName; }
    DataGrid* grid() const { return m_grid; }

private:
    void filter(const QString& text);
    void pick();
    void done(int result) override;

    AppContext& m_context;
    Mode m_mode = Mode::FrontDesk;
    ResultSet m_members;
    QLineEdit* m_search;
    DataGrid* m_grid;
    QString m_picked;
    QString m_pickedName;
};

} // namespace tkd::gui
