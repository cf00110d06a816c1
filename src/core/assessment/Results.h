#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/DateRange.h"
#include "db/Filter.h"
#include "db/Money.h"
#include "db/ResultSet.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::assessment {

inline const QString kPassed = QStringLiteral("通过");
inline const QString kFailed = QStringLiteral("未通过");
inline const QString kAllLevels = QStringLiteral("所有级别");
inline const QString kAllResults = QStringLiteral("所有结果");

// The results examined within the days, by date then card number.
ResultSet results(TvelunDMForm& dm, const DayRange& days);

// The result window's level choice: kAllLevels (or empty) is no filter, any other level must equal.
Filter levelFilter(const QString& level);

struct DetailedSearch {
    QDate from;
    QDate to;
    QString card;
    QString name;
    QString level;
    QString result;
    QString remark;
};
// The detailed search's filter: card, name and remark contained literally, level and result
// equal unless "所有…"; inputs left empty add nothing.
Filter detailedFilter(const DetailedSearch& search);

struct ResultInput {
    QDate date;
    QString cardNumber;
    QString name;
    QString level;
    QString fee;
    // kPassed, kFailed or empty when none was chosen.
    QString result;
    QString remark;
};

// What the fee receipt "考级收款单" says.
struct Receipt {
    QString title;
    QStringList lines;
};
Receipt receipt(const QDate& date, const QString& cardNumber, const QString& name, const QString& level,
                const Money& fee, const QDateTime& printed);

struct SavedResult {
    qint64 id = 0;
    // True when the member's level and lesson counters were set.
    bool memberUpdated = false;
    Receipt receipt;
};

// Records a result (editedId none) or rewrites the one of that 编号, checking in order the card
// number ("会员卡号不能为空！"), the level ("报考级别不能为空！"), the fee ("考核费用必须是金额！"), then
// in one transaction that a rewritten row is still there ("该记录已不存在！"). A pass sets the
// member's 会员级别, 完成课时 0 and 剩余课时 the level's 所需课时 (0 for an unknown level) when the row
// is added as "通过", or becomes "通过", or stays "通过" under another level or card number; a
// correction of a passed row's date, fee or remark leaves the member alone. A card number that
// names nobody is saved all the same. The receipt is the added or rewritten row's.
Outcome<SavedResult> saveResult(const CommandContext& context, const ResultInput& input,
                                const std::optional<qint64>& editedId = std::nullopt);
// The member counters are left as they are.
Outcome<> removeResult(const CommandContext& context, qint64 id);
// The stored row as the entry dialog shows it; none when it is gone.
std::optional<ResultInput> findResult(TvelunDMForm& dm, qint64 id);

// The name of the member with that card number (ADOQ_hykhxx); none when nobody has it.
std::optional<QString> memberName(TvelunDMForm& dm, const QString& cardNumber);

// The batch entry's opening: 选择学员 emptied and refilled, in one transaction, with every member
// whose 会员状态 is "可用", by card number, unticked, with the mobile and fixed phone in 联系电话;
// returns the list as the grid shows it.
ResultSet openStudentList(TvelunDMForm& dm);
// The list as it stands (after ticks).
ResultSet studentList(TvelunDMForm& dm);
// A click on the tick column: flips the row's 选择学员 and returns the new state.
bool toggleStudent(TvelunDMForm& dm, const QString& cardNumber);

struct BatchInput {
    QDate date;
    QString level;
    QString fee;
    QString result;
    QString remark;
};

// One result per ticked student of 选择学员, in list order, with the shared values, all in one
// transaction after the checks: the level ("报考级别不能为空！"), the fee ("考核费用必须是金额！").
// No member record changes. Returns how many results were written (0 with nothing ticked).
Outcome<qint64> saveBatch(const CommandContext& context, const BatchInput& input);

} // namespace tkd::assessment
