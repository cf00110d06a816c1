#pragma once

#include "GoodsValues.h"
#include "TestDatabase.h"
#include "goods/StockLedger.h"
#include "points/Exchange.h"
#include "points/ExchangeBasket.h"

#include <gtest/gtest.h>

namespace tkd::test {

// A hall whose points buy days at 100 : 30: member 1001 opened on 2024-01-01 with 100 points and an
// expiry of 2024-06-30, 1002 on a count card (opened, no expiry), 1003 whose card was never opened;
// A01 counts stock (5 in stock, 10 points a unit), B01 does not (20 points a unit).
class ExchangeHall : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm().change(QStringLiteral("update [其它设置] set [使用积分]=100,[兑换会籍]=30"));
        addMember(QStringLiteral("1001"), s(u"张小龙"), 100, Value(QDate(2024, 1, 1)), Value(QDate(2024, 6, 30)));
        addMember(QStringLiteral("1002"), s(u"李小燕"), 500, Value(QDate(2024, 1, 1)), Value());
        addMember(QStringLiteral("1003"), s(u"王小明"), 500, Value(), Value());
        addItem(QStringLiteral("A01"), s(u"护具"), true, 10, "5");
        addItem(QStringLiteral("B01"), s(u"矿泉水"), false, 20, "0");
    }

    void addMember(const QString& card, const QString& name, qint64 points, const Value& opened, const Value& expiry)
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[会员积分],"
                                   "[开卡日期],[到期日期]) values(:k,:n,'月卡','可用',:p,:o,:e)"),
                    {{QStringLiteral("k"), card},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("p"), points},
                     {QStringLiteral("o"), opened},
                     {QStringLiteral("e"), expiry}});
    }
    // An exchangeable item, its opening stock in the ledger as the catalogue writes it.
    void addItem(const QString& code, const QString& name, bool counted, qint64 points, const char* stock)
    {
        dm().change(
            QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[数量],[销售总数],"
                           "[是否兑换],[兑换积分]) values(:c,:n,'个',:k,0,0,-1,:p)"),
            {{QStringLiteral("c"), code},
             {QStringLiteral("n"), name},
             {QStringLiteral("k"), counted},
             {QStringLiteral("p"), points}});
        if (counted) {
            goods::StockMove move;
            move.code = code;
            move.name = name;
            move.unit = s(u"个");
            move.quantity = quantity(stock);
            move.day = QDate(2024, 1, 2);
            goods::recordStockMove(dm(), move);
        }
    }

    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext context() { return {dm(), s(u"前台"), QDateTime(QDate(2024, 3, 15), QTime(10, 30))}; }
    void setRate(qint64 points, qint64 days)
    {
        dm().change(QStringLiteral("update [其它设置] set [使用积分]=:p,[兑换会籍]=:d"),
                    {{QStringLiteral("p"), points}, {QStringLiteral("d"), days}});
    }

    void addGoods(const QString& code, const char* quantity, const QString& remark = {})
    {
        const auto line = basket.addGoods(code, QString::fromLatin1(quantity), remark);
        EXPECT_TRUE(line.ok()) << (line.ok() ? "" : line.refusal().message.toStdString());
    }
    void addDays(const QString& card, const char* points)
    {
        const auto offer = points::offerDays(dm(), card);
        ASSERT_TRUE(offer.ok()) << offer.refusal().message.toStdString();
        const auto line = basket.addDays(*offer, QString::fromLatin1(points));
        EXPECT_TRUE(line.ok()) << (line.ok() ? "" : line.refusal().message.toStdString());
    }
    points::SavedExchange save(const QString& card = QStringLiteral("1001"))
    {
        const auto saved = points::saveExchange(context(), card);
        EXPECT_TRUE(saved.ok()) << (saved.ok() ? "" : saved.refusal().message.toStdString());
        return saved.ok() ? *saved : points::SavedExchange{};
    }
    QString refusalOfSave(const QString& card = QStringLiteral("1001"))
    {
        const auto saved = points::saveExchange(context(), card);
        return saved.refused() ? saved.refusal().message : QStringLiteral("(saved)");
    }

    Value member(const char* card, const char16_t* column)
    {
        return dm()
            .list(QStringLiteral("select * from [会员信息] where [会员卡号]=:k"),
                  {{QStringLiteral("k"), QString::fromLatin1(card)}})
            .first(s(column));
    }
    qint64 points(const char* card) { return member(card, u"会员积分").toInt(); }
    QDate expiry(const char* card) { return member(card, u"到期日期").toDate(); }
    double stock(const char* code)
    {
        return dm()
            .list(QStringLiteral("select [数量] from [商品信息] where [商品编号]=:c"),
                  {{QStringLiteral("c"), QString::fromLatin1(code)}})
            .first(s(u"数量"))
            .toDouble();
    }
    ResultSet exchanges() { return dm().list(QStringLiteral("select * from [兑换商品] order by [编号]")); }
    ResultSet ledger() { return dm().list(QStringLiteral("select * from [商品进退单]")); }
    // The ledger's rows of one kind ("兑换商品", "兑换商品删除").
    ResultSet ledger(const char16_t* kind)
    {
        return dm().list(QStringLiteral("select * from [商品进退单] where [状态说明]=:k"),
                         {{QStringLiteral("k"), s(kind)}});
    }
    qint64 onlyExchangeId()
    {
        const ResultSet rows = exchanges();
        EXPECT_EQ(rows.rowCount(), 1);
        return rows.first(s(u"编号")).toInt();
    }

    TestDatabase m_db;
    points::ExchangeBasket basket{m_db.dm()};
};

} // namespace tkd::test
