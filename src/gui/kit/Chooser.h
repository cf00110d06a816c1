#pragma once

#include "db/ResultSet.h"

#include <QDialog>
#include <QSize>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class QHBoxLayout;
class QLineEdit;

namespace tkd {
class TvelunDMForm;
}

namespace tkd::gui {

class DataGrid;

// What a chooser lists and how the operator's typing narrows it: one of core's typed searches
// (the text is a value, so a quote, "*", "%" or "_" is just a character).
struct ChooserSpec {
    QString objectName;
    QString caption;
    // The search box's caption; empty for a chooser without one.
    QString searchCaption;
    const char* searchName = "searchEdit";
    const char* gridName = "chooserGrid";
    QSize size{560, 420};
    // The list, read at each opening.
    std::function<ResultSet()> open;
    // The typed text as a filter of the list; an empty filter shows every row.
    std::function<Filter(const QString& text)> search;
    std::vector<std::pair<QString, int>> widths;
    QStringList hidden;

    // "选择会员": card number or name (the member picker of every caller, students included).
    static ChooserSpec members(TvelunDMForm& dm);
    // The goods of the sale window: code or name.
    static ChooserSpec goods(TvelunDMForm& dm);
    // "选择教练": active staff who are not consultants; the list has no search box.
    static ChooserSpec coaches(TvelunDMForm& dm);
    // "选择衣柜": free lockers unless showAll() says otherwise; the number typed.
    static ChooserSpec lockers(TvelunDMForm& dm, std::function<bool()> showAll);
};

// The search box over (or under) the grid of a chooser. It sits in a Chooser, or in a window
// that shows more around its list (the locker chooser, the goods panel of the sale window).
//
//     m_list = new ChooserPanel(ChooserSpec::lockers(dm, [this] { return m_showAll->isChecked(); }),
//                               ChooserPanel::SearchPlace::Below, this);
//     m_list->searchRow()->insertWidget(0, m_showAll);
//     connect(m_showAll, &QCheckBox::toggled, m_list, &ChooserPanel::refilter);
//     connect(m_list, &ChooserPanel::shownRowChanged, this, &TfooForm::showRow);
//     // opening: m_list->open();   picking: m_list->shownValue(QStringLiteral("衣柜编号"))
//
// shownRowChanged follows the row the operator sees as current: after a click or a key in
// the grid, and after every change of the search, so a window never holds a row that the
// filter has taken away.
class ChooserPanel : public QWidget {
    Q_OBJECT
public:
    enum class SearchPlace { Above, Below };
    ChooserPanel(const ChooserSpec& spec, SearchPlace place, QWidget* parent = nullptr);

    // Reads the list with the search emptied; the first row is current.
    void open();
    // Applies the search again (a check box of the window changed what it means).
    void refilter();
    // Drops the list and its filter.
    void close();

    QLineEdit* searchEdit() const { return m_search; }
    DataGrid* grid() const { return m_grid; }
    // The row with the search box, for widgets of the window's own.
    QHBoxLayout* searchRow() const { return m_row; }
    // The list as shown.
    const ResultSet& rows() const { return m_rows; }

    // -1 when no row is shown.
    int shownRow() const;
    // Null when no row is shown.
    Value shownValue(const QString& column) const;

Q_SIGNALS:
    void shownRowChanged(int row);
    // A double-click on a row, or Enter in the search box where Enter does not move on.
    void pickRequested();

private:
    std::function<ResultSet()> m_open;
    std::function<Filter(const QString&)> m_filterFor;
    ResultSet m_rows;
    QLineEdit* m_search;
    DataGrid* m_grid;
    QHBoxLayout* m_row;
    bool m_refilling = false;
};

// A picker window: a chooser panel with "选中" and "取消". "选中", a double-click or Enter in
// the search box picks the current row (nothing happens on an empty list); either way the
// list is dropped and the window closes.
//
//     Chooser coaches(ChooserSpec::coaches(dm), this);
//     coaches.prepare();
//     if (coaches.exec() == QDialog::Accepted) use(coaches.picked(QStringLiteral("姓名")).toText());
class Chooser : public QDialog {
    Q_OBJECT
public:
    explicit Chooser(const ChooserSpec& spec, QWidget* parent = nullptr);

    // Empties the search and reads the list.
    void prepare();
    // A column of the picked row, after exec() returned Accepted; Null before a pick.
    Value picked(const QString& column) const;

    ChooserPanel* panel() const { return m_panel; }
    DataGrid* grid() const;

protected:
    void done(int result) override;

private:
    void pick();

    ChooserPanel* m_panel;
    ResultSet m_picked;
};

} // namespace tkd::gui
