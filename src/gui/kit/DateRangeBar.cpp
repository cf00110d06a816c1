#include "DateRangeBar.h"

#include "FormKit.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tkd::gui {

namespace {
QDateEdit* dateEdit(const char* objectName, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}
} // namespace

DateRangeBar::StartRule DateRangeBar::monthAgo()
{
    return [](const QDate& today) { return today.addMonths(-1); };
}

DateRangeBar::StartRule DateRangeBar::daysAgo(int days)
{
    return [days](const QDate& today) { return today.addDays(-days); };
}

DateRangeBar::StartRule DateRangeBar::firstOfMonth()
{
    return [](const QDate& today) { return QDate(today.year(), today.month(), 1); };
}

DateRangeBar::StartRule DateRangeBar::sameDay()
{
    return [](const QDate& today) { return today; };
}

DateRangeBar::DateRangeBar(const QString& caption, QWidget* parent, const QString& between, bool withQueryButton)
    : QWidget(parent), m_startRule(monthAgo()), m_from(dateEdit("fromDateEdit", this)),
      m_to(dateEdit("toDateEdit", this)), m_row(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("dateRangeBar"));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addWidget(kit::captionFor(m_from, caption, this));
    m_row->addWidget(m_from);
    m_row->addWidget(kit::captionFor(m_to, between, this));
    m_row->addWidget(m_to);
    // "至" alone tells a screen reader little: the last day is named after the first.
    m_to->setAccessibleName(m_from->accessibleName() + QLatin1Char(' ') + m_to->accessibleName());
    if (withQueryButton) {
        m_query = kit::pushButton(this, QStringLiteral("查询"), "queryButton", m_row);
        connect(m_query, &QPushButton::clicked, this, &DateRangeBar::queryRequested);
    }
}

void DateRangeBar::setStartRule(StartRule rule)
{
    m_startRule = std::move(rule);
}

void DateRangeBar::reset(const QDate& today)
{
    setRange(m_startRule(today), today);
}

void DateRangeBar::setRange(const QDate& from, const QDate& to)
{
    m_from->setDate(from);
    m_to->setDate(to);
}

QDate DateRangeBar::from() const
{
    return m_from->date();
}

QDate DateRangeBar::to() const
{
    return m_to->date();
}

DayRange DateRangeBar::range() const
{
    return dayRange(from(), to());
}

void DateRangeBar::addWidget(QWidget* widget)
{
    m_row->insertWidget(m_query ? m_row->indexOf(m_query) : m_row->count(), widget);
}

} // namespace tkd::gui
