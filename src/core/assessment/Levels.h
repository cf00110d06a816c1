#pragma once

#include "app/CommandContext.h"
#include "app/Outcome.h"
#include "db/Money.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::assessment {

// The fields a refusal of the assessment windows names.
namespace field {
inline const QString card = QStringLiteral("card");
inline const QString level = QStringLiteral("level");
inline const QString fee = QStringLiteral("fee");
inline const QString levelName = QStringLiteral("levelName");
inline const QString lessons = QStringLiteral("lessons");
} // namespace field

struct Level {
    qint64 id = 0;
    QString name;
    qint64 lessons = 0;
    Money fee;
};

// Every level, in 编号 order (the order of every level list).
ResultSet levels(TvelunDMForm& dm);
QStringList levelNames(TvelunDMForm& dm);
// The level of that name; with duplicate names the first by 编号. None when no level has it.
std::optional<Level> levelByName(TvelunDMForm& dm, const QString& name);
std::optional<Level> findLevel(TvelunDMForm& dm, qint64 id);

// A fee as typed: blank is 0; anything but a non-negative amount of at most four decimals is none.
std::optional<Money> parseFee(const QString& text);
// The fee as the receipt and the entry fields show it: the shortest decimal form (100, 99.5).
QString feeText(const Money& fee);
// A count typed in a digits-only field: blank is 0; at most four digits, none otherwise.
std::optional<qint64> parseCount(const QString& text);

struct LevelInput {
    QString name;
    QString lessons;
    QString fee;
};

// Adds a level (editedId none) or rewrites the one of that 编号, checking in order: the name
// ("级别名称不能为空！"), the lessons ("所需课时必须是整数！"), the fee ("考核费用必须是金额！"), and on
// rewriting that the level is still there ("该记录已不存在！"). Duplicate names are accepted.
// Returns the level's 编号.
Outcome<qint64> saveLevel(const CommandContext& context, const LevelInput& input,
                          const std::optional<qint64>& editedId = std::nullopt);
// Members and results that name the level keep the name.
Outcome<> removeLevel(const CommandContext& context, qint64 id);

} // namespace tkd::assessment
