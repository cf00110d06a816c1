#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::staff {

inline const QString kConsultantTitle = QStringLiteral("会籍顾问");
inline const QString kDeparted = QStringLiteral("离职");

// What the staff dialog holds. An empty title means none is chosen.
struct Input {
    QString name;
    QString title;
    QString phone;
    QString address;
    QString status = QStringLiteral("正常");
    QString remark;
};

namespace field {
inline const QString name = QStringLiteral("name");
inline const QString title = QStringLiteral("title");
inline const QString jobTitle = QStringLiteral("jobTitle");
} // namespace field

// The three states a staff member can be in, in the order the dialog lists them.
QStringList statuses();

// Adds a staff member (editId empty) or rewrites one. Names may repeat; records that carry
// the old name keep it.
Outcome<> save(const CommandContext& context, const Input& input, std::optional<qint64> editId = std::nullopt);
std::optional<Input> find(TvelunDMForm& dm, qint64 id);
// Refuses a row that is gone already ("该员工已不存在！"). Records that carry the name keep it.
Outcome<> remove(const CommandContext& context, qint64 id);

// Job titles in the order they were made.
QStringList jobTitles(TvelunDMForm& dm);
Outcome<> addJobTitle(const CommandContext& context, const QString& name);
// Staff holding the title keep it as text.
Outcome<> removeJobTitle(const CommandContext& context, qint64 id);

// The staff list's query: departed staff hidden unless asked for; a title other than
// "所有职务" (pass it empty) and a name matched as a literal substring.
Filter listFilter(bool showDeparted, const QString& title, const QString& name);

// Active staff for the pickers: consultants hold the title 会籍顾问, coaches every other title.
QStringList coachNames(TvelunDMForm& dm);
QStringList consultantNames(TvelunDMForm& dm);

// The coach picker's list ("选择教练"): name, title, status and remark of the active coaches.
ResultSet coachList(TvelunDMForm& dm);
// A coach's name containing the typed text, literally; no filter for blank text.
Filter coachSearch(const QString& text);
// The coach list narrowed by the typed text.
ResultSet searchCoaches(TvelunDMForm& dm, const QString& text);

} // namespace tkd::staff
