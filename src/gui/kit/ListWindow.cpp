#include "ListWindow.h"

#include "DataGrid.h"
#include "FormKit.h"
#include "Guarded.h"
#include "InputMethodFields.h"
#include "Messages.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

ListWindow::ListWindow(Session& session, const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent), m_session(session), m_grid(new DataGrid(this))
{
    setObjectName(objectName);
    setWindowTitle(caption);
    m_layout = new QVBoxLayout(this);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    m_centre = new QHBoxLayout;
    m_centre->addWidget(m_grid, 3);
    m_layout->addLayout(m_buttons);
    m_layout->addLayout(m_centre, 1);
    // Rows read before the reconnect may describe a file that was since restored.
    connect(&session.velunDMForm(), &TvelunDMForm::reconnected, this, kit::guard(this, [this] {
        if (isVisible())
            reload();
        else
            m_stale = true;
    }));
}

TvelunDMForm& ListWindow::dm() const
{
    return m_session.velunDMForm();
}

void ListWindow::setSource(std::function<ResultSet()> open)
{
    m_open = std::move(open);
}

void ListWindow::setColumns(std::initializer_list<std::pair<QString, int>> widths, const QStringList& hidden)
{
    m_grid->setColumnWidths(widths);
    for (const QString& column : hidden)
        m_grid->hideColumn(column);
}

void ListWindow::reload()
{
    m_stale = false;
    m_rows = m_open ? m_open() : ResultSet();
    refresh(true);
}

void ListWindow::refresh(bool keepRow)
{
    // A filter set before the first read waits for the columns it names.
    if (!m_rows.columns().isEmpty())
        m_rows.setFilter(m_filter);
    m_grid->setResult(m_rows, keepRow ? DataGrid::KeepRow : DataGrid::FirstRow);
}

QPushButton* ListWindow::addButton(const QString& text, const char* objectName, std::function<void()> action)
{
    QPushButton* button = kit::pushButton(this, text, objectName);
    // Before the stretch, so the row stays left-aligned.
    m_buttons->insertWidget(m_buttons->count() - 1, button);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    return button;
}

QPushButton* ListWindow::addExitButton(const QString& text, const char* objectName)
{
    return addButton(text, objectName, [this] { accept(); });
}

void ListWindow::actOnDoubleClick(QPushButton* button)
{
    connect(m_grid, &DataGrid::rowDoubleClicked, button, [button] {
        if (button->isEnabled())
            button->click();
    });
}

void ListWindow::placeButtonsBelow()
{
    m_layout->removeItem(m_buttons);
    m_layout->addLayout(m_buttons);
}

void ListWindow::setQueryTitle(const QString& title)
{
    m_queryTitle = title;
}

QHBoxLayout* ListWindow::queryRow()
{
    if (m_query)
        return m_query;
    QWidget* panel = m_queryTitle.isEmpty() ? new QWidget(this) : new QGroupBox(m_queryTitle, this);
    panel->setObjectName(QStringLiteral("queryPanel"));
    m_query = new QHBoxLayout(panel);
    if (m_queryTitle.isEmpty())
        m_query->setContentsMargins(0, 0, 0, 0);
    m_query->addStretch();
    // Above the grid, below a button row that is on top.
    m_layout->insertWidget(m_layout->indexOf(m_centre), panel);
    return m_query;
}

void ListWindow::addQueryWidget(QWidget* widget)
{
    QHBoxLayout* row = queryRow();
    row->insertWidget(row->count() - 1, widget);
}

QLineEdit* ListWindow::addSearch(const QString& caption, const char* objectName, const QStringList& columns)
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QString::fromLatin1(objectName));
    InputMethodFields::markFreeText(m_search);
    kit::markEnterSubmits(m_search);
    m_searchColumns = columns;
    addQueryWidget(kit::captionFor(m_search, caption, this));
    addQueryWidget(m_search);
    connect(m_search, &QLineEdit::textChanged, this, [this] {
        if (!m_queryButton)
            applyQuery();
    });
    connect(m_search, &QLineEdit::returnPressed, this, &ListWindow::applyQuery);
    return m_search;
}

QComboBox* ListWindow::addChoice(const QString& caption, const char* objectName, const QString& allEntry,
                                 const QString& column)
{
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QString::fromLatin1(objectName));
    m_choice->addItem(allEntry);
    m_choiceColumn = column;
    addQueryWidget(kit::captionFor(m_choice, caption, this));
    addQueryWidget(m_choice);
    connect(m_choice, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_queryButton)
            applyQuery();
    });
    return m_choice;
}

void ListWindow::setChoices(const QStringList& values)
{
    if (!m_choice)
        return;
    const QString allEntry = m_choice->itemText(0);
    const QSignalBlocker quiet(m_choice);
    m_choice->clear();
    m_choice->addItem(allEntry);
    m_choice->addItems(values);
    m_choice->setCurrentIndex(0);
}

QPushButton* ListWindow::addQueryButton(const QString& text, const char* objectName)
{
    m_queryButton = kit::pushButton(this, text, objectName);
    addQueryWidget(m_queryButton);
    connect(m_queryButton, &QPushButton::clicked, this, &ListWindow::applyQuery);
    return m_queryButton;
}

void ListWindow::addLeftPane(QWidget* pane)
{
    m_centre->insertWidget(0, pane, 1);
}

QString ListWindow::searchText() const
{
    return m_search ? m_search->text().trimmed() : QString();
}

QString ListWindow::choiceValue() const
{
    return m_choice && m_choice->currentIndex() > 0 ? m_choice->currentText() : QString();
}

void ListWindow::clearQuery()
{
    if (m_search) {
        const QSignalBlocker quiet(m_search);
        m_search->clear();
    }
    if (m_choice) {
        const QSignalBlocker quiet(m_choice);
        m_choice->setCurrentIndex(0);
    }
}

Filter ListWindow::queryFilter() const
{
    std::vector<Filter> parts;
    if (!m_baseFilter.isEmpty())
        parts.push_back(m_baseFilter);
    if (!m_choiceColumn.isEmpty() && !choiceValue().isEmpty())
        parts.push_back(Filter::where(m_choiceColumn, Match::Equals, choiceValue()));
    if (Filter typed = containsAny(m_searchColumns, searchText()); !typed.isEmpty())
        parts.push_back(std::move(typed));
    if (parts.empty())
        return {};
    return parts.size() == 1 ? parts.front() : Filter::allOf(std::move(parts));
}

void ListWindow::setBaseFilter(const Filter& filter)
{
    m_baseFilter = filter;
}

void ListWindow::applyQuery()
{
    setFilter(queryFilter());
}

void ListWindow::setFilter(const Filter& filter)
{
    m_filter = filter;
    refresh();
}

bool ListWindow::hasCurrentRow() const
{
    return m_grid->currentRowIndex() >= 0;
}

Value ListWindow::current(const QString& column) const
{
    return m_grid->currentValue(column);
}

bool ListWindow::runEntry(QDialog* dialog)
{
    if (dialog->exec() != QDialog::Accepted)
        return false;
    reload();
    return true;
}

bool ListWindow::deleteCurrent(const std::function<Outcome<>()>& remove, const std::function<MaybeRefusal()>& check)
{
    if (!hasCurrentRow())
        return false;
    if (check) {
        if (const MaybeRefusal refusal = check()) {
            Messages::refusal(this, *refusal);
            return false;
        }
    }
    if (!Messages::confirmDelete(this))
        return false;
    const Outcome<> removed = remove();
    if (removed.refused())
        Messages::refusal(this, removed.refusal());
    reload();
    return removed.ok();
}

void ListWindow::done(int result)
{
    // Closing closes the list, as the data module's datasets were closed.
    m_filter = Filter();
    m_rows = ResultSet();
    m_grid->setResult(m_rows);
    QDialog::done(result);
}

void ListWindow::showEvent(QShowEvent* event)
{
    if (m_stale)
        reload();
    QDialog::showEvent(event);
}

} // namespace tkd::gui
