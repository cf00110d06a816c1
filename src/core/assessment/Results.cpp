#include "Results.h"

#include "Levels.h"
#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

namespace tkd::assessment {

namespace {

const QString kStudents = QStringLiteral("选择学员");

Refusal rowGone()
{
    return Refusal::warning(QStringLiteral("该记录已不存在！"));
}

struct Checked {
    QString card;
    QString name;
    QString level;
    Money fee;
    QString result;
    QString remark;
};

Params resultParams(const QDate& date, const Checked& c)
{
    return {{QStringLiteral("khsj"), date},    {QStringLiteral("hykh"), c.card}, {QStringLiteral("hyxm"), c.name},
            {QStringLiteral("bkjb"), c.level}, {QStringLiteral("khfy"), c.fee},  {QStringLiteral("khjg"), c.result},
            {QStringLiteral("bz"), c.remark}};
}

const QString kInsert =
    QStringLiteral("insert into [学员考核] ([考核时间],[会员卡号],[会员姓名],[报考级别],[考核费用],[考核结果],[备注]) "
                   "values(:khsj,:hykh,:hyxm,:bkjb,:khfy,:khjg,:bz)");

void passMember(TvelunDMForm& dm, const QString& card, const QString& level)
{
    const std::optional<Level> found = levelByName(dm, level);
    dm.change(QStringLiteral("update [会员信息] set [会员级别]=:hyjb,[完成课时]=:wcks,[剩余课时]=:syks "
                             "where [会员卡号]=:hykh"),
              {{QStringLiteral("hyjb"), level},
               {QStringLiteral("wcks"), qint64(0)},
               {QStringLiteral("syks"), found ? found->lessons : qint64(0)},
               {QStringLiteral("hykh"), card}});
}

} // namespace

ResultSet results(TvelunDMForm& dm, const DayRange& days)
{
    return dm.open(QStringLiteral("ADOQ_xykh"),
                   {{QStringLiteral("time1"), days.first}, {QStringLiteral("time2"), days.last}});
}

Filter levelFilter(const QString& level)
{
    if (level.isEmpty() || level == kAllLevels)
        return {};
    return Filter::where(QStringLiteral("报考级别"), Match::Equals, level);
}

Filter detailedFilter(const DetailedSearch& search)
{
    std::vector<Filter> parts;
    const auto contains = [&parts](const QString& column, const QString& text) {
        if (!text.trimmed().isEmpty())
            parts.push_back(Filter::where(column, Match::Contains, text.trimmed()));
    };
    contains(QStringLiteral("会员卡号"), search.card);
    contains(QStringLiteral("会员姓名"), search.name);
    if (!search.level.isEmpty() && search.level != kAllLevels)
        parts.push_back(Filter::where(QStringLiteral("报考级别"), Match::Equals, search.level));
    if (!search.result.isEmpty() && search.result != kAllResults)
        parts.push_back(Filter::where(QStringLiteral("考核结果"), Match::Equals, search.result));
    contains(QStringLiteral("备注"), search.remark);
    if (parts.empty())
        return {};
    return Filter::allOf(std::move(parts));
}

Receipt receipt(const QDate& date, const QString& cardNumber, const QString& name, const QString& level,
                const Money& fee, const QDateTime& printed)
{
    return {QStringLiteral("考级收款单"),
            {QStringLiteral("考核时间：%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()),
             QStringLiteral("会员卡号：") + cardNumber, QStringLiteral("会员姓名：") + name,
             QStringLiteral("报考级别：") + level, QStringLiteral("考核费用：￥") + feeText(fee),
             QStringLiteral("打印时间：") + printed.toString(QStringLiteral("yyyy-MM-dd HH:mm"))}};
}

Outcome<SavedResult> saveResult(const CommandContext& context, const ResultInput& input,
                                const std::optional<qint64>& editedId)
{
    Checked c{input.cardNumber.trimmed(), input.name.trimmed(),  input.level.trimmed(), {},
              input.result.trimmed(),     input.remark.trimmed()};
    if (c.card.isEmpty())
        return Refusal::error(QStringLiteral("会员卡号不能为空！"), field::card);
    if (c.level.isEmpty())
        return Refusal::error(QStringLiteral("报考级别不能为空！"), field::level);
    const std::optional<Money> fee = parseFee(input.fee);
    if (!fee)
        return Refusal::error(QStringLiteral("考核费用必须是金额！"), field::fee);
    c.fee = *fee;

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    bool updateMember = c.result == kPassed;
    if (editedId) {
        const ResultSet old =
            dm.list(QStringLiteral("select * from [学员考核] where [编号]=:bh"), {{QStringLiteral("bh"), *editedId}});
        if (old.isEmpty())
            return rowGone();
        // Correcting a pass's remark, fee or date must not undo the lessons attended since.
        if (updateMember && old.first(QStringLiteral("考核结果")).toText().trimmed() == kPassed)
            updateMember = old.first(QStringLiteral("报考级别")).toText() != c.level ||
                           old.first(QStringLiteral("会员卡号")).toText() != c.card;
    }
    if (updateMember)
        passMember(dm, c.card, c.level);

    Params params = resultParams(input.date, c);
    SavedResult saved;
    if (editedId) {
        params.set(QStringLiteral("bh"), *editedId);
        dm.change(QStringLiteral("update [学员考核] set [考核时间]=:khsj,[会员卡号]=:hykh,[会员姓名]=:hyxm,"
                                 "[报考级别]=:bkjb,[考核费用]=:khfy,[考核结果]=:khjg,[备注]=:bz where [编号]=:bh"),
                  params);
        saved.id = *editedId;
    } else {
        dm.change(kInsert, params);
        saved.id = dm.db().lastInsertId();
    }
    tx.commit();
    saved.memberUpdated = updateMember;
    saved.receipt = receipt(input.date, c.card, c.name, c.level, c.fee, context.now);
    return saved;
}

Outcome<> removeResult(const CommandContext& context, qint64 id)
{
    Transaction tx(context.dm.db());
    if (context.dm.change(QStringLiteral("delete from [学员考核] where [编号]=:bh"), {{QStringLiteral("bh"), id}}) == 0)
        return rowGone();
    tx.commit();
    return Done{};
}

std::optional<ResultInput> findResult(TvelunDMForm& dm, qint64 id)
{
    const ResultSet row =
        dm.list(QStringLiteral("select * from [学员考核] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    if (row.isEmpty())
        return std::nullopt;
    return ResultInput{row.first(QStringLiteral("考核时间")).toDateTime().date(),
                       row.first(QStringLiteral("会员卡号")).toText(),
                       row.first(QStringLiteral("会员姓名")).toText(),
                       row.first(QStringLiteral("报考级别")).toText(),
                       feeText(row.first(QStringLiteral("考核费用")).toMoney()),
                       row.first(QStringLiteral("考核结果")).toText(),
                       row.first(QStringLiteral("备注")).toText()};
}

std::optional<QString> memberName(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    return row.first(QStringLiteral("会员姓名")).toText();
}

ResultSet openStudentList(TvelunDMForm& dm)
{
    ScratchList(dm, kStudents)
        .refill(
            QStringLiteral("insert into [选择学员] ([选择学员],[会员卡号],[会员姓名],[会员类型],[加入时间],[联系电话]) "
                           "select 0,[会员卡号],[会员姓名],[会员类型],[加入时间],"
                           "coalesce([移动电话],'')||' '||coalesce([固定电话],'') from [会员信息] "
                           "where [会员状态]=:hyzt order by [会员卡号]"),
            {{QStringLiteral("hyzt"), QStringLiteral("可用")}});
    return studentList(dm);
}

ResultSet studentList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_xzxy"));
}

bool toggleStudent(TvelunDMForm& dm, const QString& cardNumber)
{
    Transaction tx(dm.db());
    const bool ticked = dm.list(QStringLiteral("select [选择学员] from [选择学员] where [会员卡号]=:hykh"),
                                {{QStringLiteral("hykh"), cardNumber}})
                            .first(QStringLiteral("选择学员"))
                            .toBool();
    dm.change(QStringLiteral("update [选择学员] set [选择学员]=:xzxy where [会员卡号]=:hykh"),
              {{QStringLiteral("xzxy"), !ticked}, {QStringLiteral("hykh"), cardNumber}});
    tx.commit();
    return !ticked;
}

Outcome<qint64> saveBatch(const CommandContext& context, const BatchInput& input)
{
    const QString level = input.level.trimmed();
    if (level.isEmpty())
        return Refusal::error(QStringLiteral("报考级别不能为空！"), field::level);
    const std::optional<Money> fee = parseFee(input.fee);
    if (!fee)
        return Refusal::error(QStringLiteral("考核费用必须是金额！"), field::fee);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const ResultSet ticked =
        dm.list(QStringLiteral("select [会员卡号],[会员姓名] from [选择学员] where [选择学员]<>0"));
    for (int row = 0; row < ticked.rowCount(); ++row) {
        const Checked c{ticked.value(row, QStringLiteral("会员卡号")).toText().trimmed(),
                        ticked.value(row, QStringLiteral("会员姓名")).toText().trimmed(),
                        level,
                        *fee,
                        input.result.trimmed(),
                        input.remark.trimmed()};
        dm.change(kInsert, resultParams(input.date, c));
    }
    tx.commit();
    return qint64(ticked.rowCount());
}

} // namespace tkd::assessment
