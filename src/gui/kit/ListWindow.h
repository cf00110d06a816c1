#pragma once

#include "app/Outcome.h"
#include "db/ResultSet.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <utility>

class QBoxLayout;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace tkd {
class Session;
class TvelunDMForm;
} // namespace tkd

namespace tkd::gui {

class DataGrid;

// The list window: a button row, an optional query row (a typed search, a choice list whose
// first entry "所有…" means no filter, widgets of the window's own, "查询"), an optional pane
// on the left (a tree) and the grid over one list, filtered in memory.
//
//     class TfooForm : public ListWindow {
//     public:
//         TfooForm(Session& session, QWidget* parent = nullptr)
//             : ListWindow(session, QStringLiteral("fooForm"), QStringLiteral("标题"), parent)
//         {
//             grid()->setObjectName(QStringLiteral("fooGrid"));
//             setSource([this] { return dm().open(QStringLiteral("ADODS_foo")); });
//             setColumns({{QStringLiteral("名称"), 100}}, {QStringLiteral("编号")});
//             addButton(QStringLiteral("增加"), "addButton", [this] { m_entry->prepareAdd(); runEntry(m_entry); });
//             actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", [this] { edit(); }));
//             addButton(QStringLiteral("删除"), "deleteButton", [this] {
//                 const qint64 id = current(QStringLiteral("编号")).toInt();
//                 deleteCurrent([this, id] { return foo::remove(session().command(), id); });
//             });
//             addExitButton();
//             addSearch(QStringLiteral("名称："), "nameSearchEdit", {QStringLiteral("名称")});
//             addChoice(QStringLiteral("类别："), "kindCombo", QStringLiteral("所有类别"), QStringLiteral("类别"));
//         }
//         void prepare() { setChoices(foo::kinds(dm())); clearQuery(); reload(); }
//     };
//
// Without a "查询" button (addQueryButton) the search and the choice filter as they change;
// with one they wait for it (or Enter in the search box). A window whose filter follows rules
// of its own overrides queryFilter(), or sets the whole filter with setFilter(). Closing the
// window drops the list and its filter; prepare() reads them again. After the data module
// reconnects (a restore, a compaction), a shown list is read again at once, a hidden one when shown.
class ListWindow : public QDialog {
    Q_OBJECT
public:
    DataGrid* grid() const { return m_grid; }
    // The list as shown: through the filter, in grid order (what "打印" prints).
    const ResultSet& rows() const { return m_rows; }
    const Filter& filter() const { return m_filter; }
    QLineEdit* searchEdit() const { return m_search; }
    QComboBox* choiceCombo() const { return m_choice; }

    // Reads the list again; the filter, the column layout and the current row stay.
    void reload();

protected:
    ListWindow(Session& session, const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    Session& session() const { return m_session; }
    TvelunDMForm& dm() const;

    // The list: how it is read, and its columns by name (widths in pixels, hidden ones).
    void setSource(std::function<ResultSet()> open);
    void setColumns(std::initializer_list<std::pair<QString, int>> widths, const QStringList& hidden = {});

    // Buttons in the order added. Every button has an object name; Enter in a field never presses one.
    QPushButton* addButton(const QString& text, const char* objectName, std::function<void()> action);
    // "退出": closes the window.
    QPushButton* addExitButton(const QString& text = QStringLiteral("退出"), const char* objectName = "exitButton");
    // A double-click on a row presses the button (nothing happens while it is disabled).
    void actOnDoubleClick(QPushButton* button);
    // The button row under the grid instead of above it.
    void placeButtonsBelow();

    // The query row is made on first use; a title given before that puts it in a group box.
    void setQueryTitle(const QString& title);
    // A text box whose text must be contained, literally, in one of the columns.
    QLineEdit* addSearch(const QString& caption, const char* objectName, const QStringList& columns);
    // A pick-only list: allEntry ("所有…") first means no filter; any other entry must equal the column.
    // An empty column leaves the entry to the window's own queryFilter().
    QComboBox* addChoice(const QString& caption, const char* objectName, const QString& allEntry,
                         const QString& column = {});
    // Refills the choice: allEntry, then the values; allEntry is chosen.
    void setChoices(const QStringList& values);
    // A widget of the window's own in the query row (a check box, a date-range bar), before "查询".
    void addQueryWidget(QWidget* widget);
    QPushButton* addQueryButton(const QString& text = QStringLiteral("查询"), const char* objectName = "searchButton");
    // A pane left of the grid (a tree), given the stretch of one to the grid's three.
    void addLeftPane(QWidget* pane);

    // The trimmed search text; empty when there is no search box.
    QString searchText() const;
    // The chosen entry; empty for allEntry or when there is no choice.
    QString choiceValue() const;
    // Empties the search and chooses allEntry, without filtering.
    void clearQuery();

    // The filter the query row asks for: the search, the choice and the window's base filter.
    virtual Filter queryFilter() const;
    // Always part of the standard query (e.g. only active members); none by default.
    void setBaseFilter(const Filter& filter);
    // Filters by the query row now.
    void applyQuery();
    // Shows the list through this filter (empty: every row), whatever the query row says.
    void setFilter(const Filter& filter);

    bool hasCurrentRow() const;
    // The current row's value; Null without a current row.
    Value current(const QString& column) const;

    // Runs an entry dialog the caller has prepared; the list is read again when it is accepted.
    bool runEntry(QDialog* dialog);
    // Deletes the current row: nothing happens without one; then the window's check, whose
    // refusal is shown instead of the question; "是否要删除当前记录？"; the core delete command, whose
    // refusal is shown; the list is read again. True when the delete went through.
    bool deleteCurrent(const std::function<Outcome<>()>& remove, const std::function<MaybeRefusal()>& check = {});

    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    QHBoxLayout* queryRow();
    void refresh(bool keepRow = false);
    void queryChanged();

    Session& m_session;
    std::function<ResultSet()> m_open;
    ResultSet m_rows;
    Filter m_filter;
    Filter m_baseFilter;
    DataGrid* m_grid;
    QBoxLayout* m_layout;
    QHBoxLayout* m_buttons;
    QHBoxLayout* m_centre;
    QString m_queryTitle;
    QHBoxLayout* m_query = nullptr;
    QLineEdit* m_search = nullptr;
    QStringList m_searchColumns;
    QComboBox* m_choice = nullptr;
    QString m_choiceColumn;
    QPushButton* m_queryButton = nullptr;
    bool m_buttonsBelow = false;
    // Told of a reconnect while hidden: read again when shown.
    bool m_stale = false;
};

} // namespace tkd::gui
