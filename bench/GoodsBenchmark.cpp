// Times the goods windows' core calls on the generated hall's catalogue: what TspxxForm, the sale
// window's goods picker, the purchase line dialog's history, the checkout with the desk's refresh
// and the purchase window's posting call, in the same order and with the same arguments.
#include "GoodsBenchmark.h"

#include "data/TvelunDMForm.h"
#include "demo/DemoHall.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/HistoryTabs.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "goods/Checkout.h"
#include "goods/GoodsSearch.h"
#include "goods/Purchasing.h"
#include "goods/ShoppingList.h"

#include <QDateTime>
#include <QTextStream>

#include <chrono>
#include <functional>
#include <random>

namespace tkd::bench {
namespace {

constexpr int kWarmUp = 5;

struct Item {
    QString code;
    QString name;
    QString unit;
    QString cost;
    bool counted = false;
};

// What an operator types into a goods search: a piece of a name, part of a code, or a whole name.
QString typedText(std::mt19937& rng, const std::vector<Item>& items)
{
    const Item& item = items[rng() % items.size()];
    switch (rng() % 3) {
    case 0:
        return item.name.mid(int(rng() % unsigned(std::max<qsizetype>(1, item.name.size() - 1))), 2);
    case 1:
        return item.code.mid(int(rng() % 3), 4);
    default:
        return item.name;
    }
}

} // namespace

std::vector<GoodsLine> timeGoods(TvelunDMForm& dm, const QString& operatorName, const QDate& today, int samples)
{
    std::vector<GoodsLine> lines;
    // Another run, other members and goods: repeated runs spread their few sales over the hall.
    std::mt19937 rng(unsigned(dm.db().scalar(QStringLiteral("select count(*) from [金额记录]")).toInt()));

    std::vector<Item> items;
    std::vector<int> countedItems;
    {
        const ResultSet all = goods::catalogue(dm);
        for (int row = 0; row < all.rowCount(); ++row) {
            // The system item is the points exchange's, never sold at the desk.
            if (all.value(row, QStringLiteral("商品名称")).toText() == goods::kSystemItemName)
                continue;
            Item item{all.value(row, QStringLiteral("商品编号")).toText(),
                      all.value(row, QStringLiteral("商品名称")).toText(),
                      all.value(row, QStringLiteral("单位")).toText(),
                      all.value(row, QStringLiteral("预设进价")).toMoney().toString(),
                      all.value(row, QStringLiteral("是否计库存")).toBool()};
            if (item.counted)
                countedItems.push_back(int(items.size()));
            items.push_back(std::move(item));
        }
    }
    std::vector<qint64> leaves;
    for (const TreeNode& node : goods::categoryTree(dm))
        if (node.parent >= 0 && node.children.empty())
            leaves.push_back(node.id);
    if (items.empty() || countedItems.empty() || leaves.empty())
        return lines;
    std::vector<QString> texts;
    for (int i = 0; i < samples + kWarmUp; ++i)
        texts.push_back(typedText(rng, items));

    // TspxxForm's opening: the category tree, then every item with the typed search (blank) applied.
    qint64 shown = 0;
    auto openCatalogue = [&](int) {
        const std::vector<TreeNode> tree = goods::categoryTree(dm);
        ResultSet list = goods::catalogue(dm);
        list.setFilter(goods::catalogueSearch(QString()));
        shown += list.rowCount() + qint64(tree.size());
    };
    timeEach(kWarmUp, openCatalogue);
    shown = 0;
    lines.push_back(
        {QStringLiteral("catalogue open"), summarise(timeEach(samples, openCatalogue)), 10000, samples,
         QStringLiteral("%1 goods and %2 categories").arg(items.size() + 1).arg(goods::categoryTree(dm).size() - 1)});

    // The open list narrowed by the typed text, then by a leaf of the tree.
    ResultSet open = goods::catalogue(dm);
    shown = 0;
    auto search = [&](int i) {
        open.setFilter(goods::catalogueSearch(texts[size_t(i)]));
        shown += open.rowCount();
    };
    timeEach(kWarmUp, search);
    shown = 0;
    lines.push_back({QStringLiteral("catalogue typed search"),
                     summarise(timeEach(samples, [&](int i) { search(i + kWarmUp); })), 2000, samples,
                     averageRows(shown, samples)});
    std::vector<qint64> pickedLeaves;
    for (int i = 0; i < samples + kWarmUp; ++i)
        pickedLeaves.push_back(leaves[rng() % leaves.size()]);
    shown = 0;
    auto leaf = [&](int i) {
        const std::optional<Filter> filter = goods::filterForClick({pickedLeaves[size_t(i)], false, false});
        open.setFilter(*filter);
        shown += open.rowCount();
    };
    timeEach(kWarmUp, leaf);
    shown = 0;
    lines.push_back({QStringLiteral("catalogue leaf filter"),
                     summarise(timeEach(samples, [&](int i) { leaf(i + kWarmUp); })), 2000, samples,
                     averageRows(shown, samples)});

    // The sale window's picker opens on its list narrowed by the window's search text.
    shown = 0;
    auto picker = [&](int i) { shown += goods::search(dm, texts[size_t(i)]).rowCount(); };
    timeEach(kWarmUp, picker);
    shown = 0;
    lines.push_back({QStringLiteral("goods picker with search"),
                     summarise(timeEach(samples, [&](int i) { picker(i + kWarmUp); })), 8000, samples,
                     averageRows(shown, samples)});

    // The purchase line dialog's history of the items bought about 250 times.
    const QStringList historyCodes =
        dm.list(QStringLiteral("select [商品编号] from [商品进退单] where [状态说明]='采购进货' group by [商品编号] "
                               "order by abs(count(*)-250),[商品编号] limit :n"),
                {{QStringLiteral("n"), samples + kWarmUp}})
            .texts(QStringLiteral("商品编号"));
    if (historyCodes.size() >= kWarmUp + 1) {
        const int timed = int(historyCodes.size()) - kWarmUp;
        auto history = [&](int i) {
            shown += goods::purchasing::history(dm, goods::purchasing::Direction::Purchase, historyCodes[i]).rowCount();
        };
        timeEach(kWarmUp, history);
        shown = 0;
        lines.push_back({QStringLiteral("purchase history"),
                         summarise(timeEach(timed, [&](int i) { history(i + kWarmUp); })), 2000, timed,
                         averageRows(shown, timed) + QStringLiteral(", each item once")});
    }

    // Checkouts at the desk: the sale window's list is filled first (untimed), then the checkout and
    // the desk's refresh of the member (panel values and the consumption list) are timed together.
    const qint64 members = dm.db().scalar(QStringLiteral("select count(*) from [会员信息]")).toInt();
    const QStringList consumption = gui::HistoryTabs::entries(gui::HistoryTabs::Consumption);
    goods::ShoppingList basket(dm);
    std::vector<int> soldUnits;
    auto checkoutLine = [&](int lineCount, double target) {
        QString card;
        int accepted = 0;
        int refused = 0;
        auto fill = [&](int) {
            card = demo::cardNumber(int(rng() % quint64(members)));
            const auto member = goods::openSale(dm, card);
            basket.clear();
            if (member.refused())
                return;
            for (int l = 0; l < lineCount; ++l) {
                const int index = countedItems[rng() % countedItems.size()];
                if (basket.add(items[size_t(index)].code, QStringLiteral("1"), member->rate).ok())
                    soldUnits.push_back(index);
            }
        };
        auto pay = [&](int) {
            goods::CheckoutInput input;
            input.cardNumber = card;
            input.means = goods::PaymentMeans::Cash;
            input.cashPaid = Money::fromYuan(1000000);
            const CommandContext context{dm, operatorName, QDateTime::currentDateTime()};
            if (!goods::checkout(context, input).ok()) {
                ++refused;
                return;
            }
            if (frontdesk::lookUpAgain(dm, card, today, consumption))
                ++accepted;
        };
        timeEach(kWarmUp, pay, fill);
        accepted = 0;
        refused = 0;
        const Figures figures = summarise(timeEach(samples, pay, fill));
        lines.push_back({QStringLiteral("checkout %1 line%2 + desk").arg(lineCount).arg(lineCount == 1 ? "" : "s"),
                         figures, target, samples,
                         QStringLiteral("%1 of %2 sales shown again at the desk, %3 refused")
                             .arg(accepted)
                             .arg(samples)
                             .arg(refused),
                         true});
    };
    checkoutLine(1, 4000);
    checkoutLine(20, 8000);
    basket.clear();

    // The purchase window posts its work list of twenty lines; the lines buy back what was just sold.
    constexpr int kPostingLines = 20;
    namespace purchasing = goods::purchasing;
    size_t nextUnit = 0;
    int written = 0;
    int topUps = 0;
    auto addLines = [&](int count) {
        purchasing::openWorkList(dm);
        const CommandContext context{dm, operatorName, QDateTime::currentDateTime()};
        for (int l = 0; l < count; ++l) {
            int index = 0;
            if (nextUnit < soldUnits.size()) {
                index = soldUnits[nextUnit++];
            } else {
                index = countedItems[rng() % countedItems.size()];
                ++topUps;
            }
            const Item& item = items[size_t(index)];
            purchasing::addLine(context, purchasing::Direction::Purchase,
                                {item.code, item.name, item.unit, item.cost, QStringLiteral("1")});
        }
    };
    auto post = [&](int) {
        const auto posted =
            purchasing::post({dm, operatorName, QDateTime::currentDateTime()}, purchasing::Direction::Purchase);
        if (posted.ok())
            written += *posted;
    };
    timeEach(kWarmUp, post, [&](int) { addLines(kPostingLines); });
    written = 0;
    const Figures posting = summarise(timeEach(samples, post, [&](int) { addLines(kPostingLines); }));
    const int timedRows = written;
    // What is left of the sold units goes back on the shelf too, untimed.
    const int leftOver = int(soldUnits.size() - std::min(nextUnit, soldUnits.size()));
    if (leftOver > 0) {
        addLines(leftOver);
        post(0);
    }
    lines.push_back({QStringLiteral("posting 20 purchase lines"), posting, 6000, samples,
                     QStringLiteral("%1 ledger rows; %2 lines bought more than was sold").arg(timedRows).arg(topUps)});
    return lines;
}

bool reportGoods(QTextStream& out, const std::vector<GoodsLine>& lines, const Figures& bare, const Figures& commit)
{
    // Every line the windows need; a hall without goods or purchase history misses some.
    return reportLines(out, QStringLiteral("goods"), 8, lines, bare, commit);
}

} // namespace tkd::bench
