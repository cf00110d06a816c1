#include "Levels.h"

#include "data/TvelunDMForm.h"
#include "db/Database.h"

namespace tkd::assessment {

namespace {

Level levelFrom(const ResultSet& row)
{
    return {row.first(QStringLiteral("编号")).toInt(), row.first(QStringLiteral("级别名称")).toText(),
            row.first(QStringLiteral("所需课时")).toInt(), row.first(QStringLiteral("考核费用")).toMoney()};
}

Refusal rowGone()
{
    return Refusal::warning(QStringLiteral("该记录已不存在！"));
}

} // namespace

ResultSet levels(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_bkjb"));
}

QStringList levelNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [编号],[级别名称] from [报考级别] order by [编号]"))
        .texts(QStringLiteral("级别名称"));
}

std::optional<Level> levelByName(TvelunDMForm& dm, const QString& name)
{
    const ResultSet row = dm.list(QStringLiteral("select * from [报考级别] where [级别名称]=:jbmc order by [编号]"),
                                  {{QStringLiteral("jbmc"), name}});
    if (row.isEmpty())
        return std::nullopt;
    return levelFrom(row);
}

std::optional<Level> findLevel(TvelunDMForm& dm, qint64 id)
{
    const ResultSet row =
        dm.list(QStringLiteral("select * from [报考级别] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    if (row.isEmpty())
        return std::nullopt;
    return levelFrom(row);
}

std::optional<Money> parseFee(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Money();
    Money fee;
    if (!Money::parse(trimmed, &fee) || fee < Money())
        return std::nullopt;
    return fee;
}

QString feeText(const Money& fee)
{
    const bool negative = fee < Money();
    const qint64 units = negative ? -fee.units() : fee.units();
    QString text = QString::number(units / 10000);
    if (const qint64 fraction = units % 10000; fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<qint64> parseCount(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    if (trimmed.size() > 4)
        return std::nullopt;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return trimmed.toLongLong();
}

Outcome<qint64> saveLevel(const CommandContext& context, const LevelInput& input, const std::optional<qint64>& editedId)
{
    const QString name = input.name.trimmed();
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("级别名称不能为空！"), field::levelName);
    const std::optional<qint64> lessons = parseCount(input.lessons);
    if (!lessons)
        return Refusal::error(QStringLiteral("所需课时必须是整数！"), field::lessons);
    const std::optional<Money> fee = parseFee(input.fee);
    if (!fee)
        return Refusal::error(QStringLiteral("考核费用必须是金额！"), field::fee);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const Params values{
        {QStringLiteral("jbmc"), name}, {QStringLiteral("sxks"), *lessons}, {QStringLiteral("khfy"), *fee}};
    qint64 id = 0;
    if (editedId) {
        Params params = values;
        params.set(QStringLiteral("bh"), *editedId);
        if (dm.change(QStringLiteral("update [报考级别] set [级别名称]=:jbmc,[所需课时]=:sxks,[考核费用]=:khfy "
                                     "where [编号]=:bh"),
                      params) == 0)
            return rowGone();
        id = *editedId;
    } else {
        dm.change(QStringLiteral("insert into [报考级别] ([级别名称],[所需课时],[考核费用]) values(:jbmc,:sxks,:khfy)"),
                  values);
        id = dm.db().lastInsertId();
    }
    tx.commit();
    return id;
}

Outcome<> removeLevel(const CommandContext& context, qint64 id)
{
    Transaction tx(context.dm.db());
    if (context.dm.change(QStringLiteral("delete from [报考级别] where [编号]=:bh"), {{QStringLiteral("bh"), id}}) == 0)
        return rowGone();
    tx.commit();
    return Done{};
}

} // namespace tkd::assessment
