#include "LargeAssortment.h"

#include "Random.h"

#include <algorithm>
#include <array>

namespace tkd::demo {
namespace {

QString t(const char16_t* text)
{
    return QString::fromUtf16(text);
}

constexpr int kMaxDepth = 5;
constexpr int kServices = 11;

enum class SpecKind { Sizes, LetterSizes, Colours, Volumes, Counts, Durations };

struct RootSpec {
    const char16_t* name;
    std::array<const char16_t*, 8> nouns;
    std::array<const char16_t*, 3> units;
    int lowest;
    int highest;
    SpecKind spec;
};

// The twelve top-level categories and what their goods are called and cost; the last holds the services.
const RootSpec kRoots[] = {
    {u"服装",
     {u"道服", u"运动服", u"T恤", u"短裤", u"卫衣", u"腰带", u"训练裤"},
     {u"套", u"件", u"条"},
     60,
     600,
     SpecKind::Sizes},
    {u"护具",
     {u"护头", u"护胸", u"护臂", u"护腿", u"护裆", u"护齿", u"护手", u"护脚背"},
     {u"个", u"套", u"副"},
     40,
     400,
     SpecKind::LetterSizes},
    {u"训练器材",
     {u"脚靶", u"手靶", u"沙袋", u"拉力带", u"跳绳", u"软垫", u"速度靶", u"平衡板"},
     {u"个", u"套", u"根"},
     20,
     900,
     SpecKind::Colours},
    {u"饮料",
     {u"矿泉水", u"运动饮料", u"电解质水", u"功能饮料", u"果汁", u"苏打水", u"绿茶"},
     {u"瓶", u"罐", u"瓶"},
     2,
     8,
     SpecKind::Volumes},
    {u"食品",
     {u"能量棒", u"巧克力", u"坚果", u"饼干", u"蛋白粉", u"牛肉干"},
     {u"袋", u"盒", u"根"},
     3,
     60,
     SpecKind::Counts},
    {u"配件",
     {u"护具包", u"毛巾", u"水杯", u"袜子", u"发带", u"运动包"},
     {u"个", u"条", u"双"},
     10,
     150,
     SpecKind::Colours},
    {u"比赛用品",
     {u"号码布", u"感应袜", u"记分牌", u"秒表", u"口哨", u"裁判服"},
     {u"个", u"套", u"块"},
     5,
     300,
     SpecKind::Colours},
    {u"康复用品",
     {u"肌贴", u"冰袋", u"绷带", u"按摩油", u"护膝", u"护踝", u"喷雾"},
     {u"卷", u"个", u"盒"},
     8,
     150,
     SpecKind::Counts},
    {u"书籍音像",
     {u"教材", u"品势光盘", u"挂图", u"技术手册", u"规则汇编"},
     {u"本", u"张", u"套"},
     15,
     90,
     SpecKind::Counts},
    {u"礼品",
     {u"钥匙扣", u"奖杯", u"奖牌", u"纪念章", u"公仔", u"徽章"},
     {u"个", u"盒", u"个"},
     5,
     200,
     SpecKind::Colours},
    {u"文具", {u"笔记本", u"签字笔", u"贴纸", u"文件袋", u"书签"}, {u"本", u"支", u"个"}, 2, 30, SpecKind::Colours},
    {u"服务项目",
     {u"私教体验课", u"拉伸理疗", u"运动按摩", u"体能测试", u"考级辅导", u"陪练", u"营养咨询"},
     {u"次", u"次", u"次"},
     50,
     400,
     SpecKind::Durations},
};
constexpr int kRootCount = int(std::size(kRoots));
static_assert(kServices == kRootCount - 1);

// What a child category puts in front of its parent's name, by the child's depth (2 to 5).
const std::vector<std::vector<const char16_t*>> kQualifiers = {
    {u"儿童", u"青少年", u"成人", u"专业", u"入门", u"进阶", u"竞技", u"品牌", u"进口", u"国产"},
    {u"男款", u"女款", u"通用", u"大号", u"小号", u"加厚", u"轻便"},
    {u"春夏", u"秋冬", u"四季", u"经典", u"新款"},
    {u"特价", u"限量", u"团购", u"礼盒"},
};

const char16_t* const kBrands[] = {u"李宁",     u"安踏", u"九日山", u"世达", u"特步", u"361度",
                                   u"鸿星尔克", u"匹克", u"乐动",   u"金刚", u"龙狮", u"奥力"};

QString specText(Rng& rng, SpecKind kind)
{
    static const char16_t* const sizes[] = {u"110码", u"120码", u"130码", u"140码", u"150码",
                                            u"160码", u"170码", u"180码", u"190码"};
    static const char16_t* const letters[] = {u"XS", u"S", u"M", u"L", u"XL", u"XXL"};
    static const char16_t* const colours[] = {u"红色", u"蓝色", u"黑色", u"白色", u"黄色", u"绿色"};
    static const char16_t* const volumes[] = {u"350ml", u"500ml", u"550ml", u"600ml", u"1L", u"1.5L"};
    static const char16_t* const counts[] = {u"单只", u"一对", u"一盒", u"十件装", u"大包装"};
    static const char16_t* const durations[] = {u"30分钟", u"45分钟", u"60分钟", u"90分钟"};
    switch (kind) {
    case SpecKind::Sizes:
        return t(rng.pick(sizes));
    case SpecKind::LetterSizes:
        return t(rng.pick(letters));
    case SpecKind::Colours:
        return t(rng.pick(colours));
    case SpecKind::Volumes:
        return t(rng.pick(volumes));
    case SpecKind::Counts:
        return t(rng.pick(counts));
    case SpecKind::Durations:
        return t(rng.pick(durations));
    }
    return {};
}

template <typename T> void shuffle(Rng& rng, std::vector<T>& values)
{
    for (int i = int(values.size()) - 1; i > 0; --i)
        std::swap(values[size_t(i)], values[size_t(rng.below(i + 1))]);
}

struct Node {
    int depth;
    int root;
    int children = 0;
    // Qualifiers its children took, one bit each.
    unsigned used = 0;
};

// Adds a child under the parent with a qualifier none of its siblings has; false when none is left.
bool addChild(Rng& rng, Assortment& a, std::vector<Node>& nodes, int parent)
{
    Node& p = nodes[size_t(parent)];
    if (p.depth >= kMaxDepth)
        return false;
    const std::vector<const char16_t*>& pool = kQualifiers[size_t(p.depth - 1)];
    std::vector<int> free;
    for (int q = 0; q < int(pool.size()); ++q)
        if ((p.used & (1u << q)) == 0)
            free.push_back(q);
    if (free.empty())
        return false;
    const int q = free[size_t(rng.below(int(free.size())))];
    p.used |= 1u << q;
    ++p.children;
    const Node child{p.depth + 1, p.root};
    a.categories.push_back({t(pool[size_t(q)]) + a.categories[size_t(parent)].name, parent});
    nodes.push_back(child);
    return true;
}

void growTree(Rng& rng, Assortment& a, std::vector<Node>& nodes, int count)
{
    for (int r = 0; r < kRootCount; ++r) {
        a.categories.push_back({t(kRoots[r].name), -1});
        nodes.push_back({1, r});
    }
    // One branch reaches the deepest level.
    for (int parent = 0; int(nodes.size()) < count && nodes[size_t(parent)].depth < kMaxDepth;
         parent = int(nodes.size()) - 1)
        addChild(rng, a, nodes, parent);
    // The rest hang anywhere, shallow levels more often than deep ones.
    static const int acceptPercent[kMaxDepth] = {100, 75, 45, 20, 0};
    while (int(nodes.size()) < count) {
        const int parent = rng.below(int(nodes.size()));
        if (rng.chance(acceptPercent[nodes[size_t(parent)].depth - 1]))
            addChild(rng, a, nodes, parent);
    }
}

enum class Kind { Service, Counted, Uncounted };

} // namespace

Assortment largeAssortment(int items, int categories, int checkoutsPerMember, int exchangeable)
{
    Rng rng(20250301);
    Assortment a;
    a.checkoutsPerMember = std::max(1, checkoutsPerMember);
    std::vector<Node> nodes;
    growTree(rng, a, nodes, std::max(kRootCount, categories));

    std::vector<int> serviceLeaves;
    std::vector<int> goodsLeaves;
    for (int c = 0; c < int(nodes.size()); ++c)
        if (nodes[size_t(c)].children == 0)
            (nodes[size_t(c)].root == kServices ? serviceLeaves : goodsLeaves).push_back(c);

    const int n = std::max(0, items);
    std::vector<Kind> kinds(size_t(n), Kind::Uncounted);
    const int services = n / 10;
    const int counted = n * 2 / 3;
    std::fill_n(kinds.begin(), services, Kind::Service);
    std::fill_n(kinds.begin() + services, counted, Kind::Counted);
    shuffle(rng, kinds);

    // Each kind's goods in a random order of popularity.
    std::array<std::vector<int>, 3> ranks;
    const int perKind[3] = {services, counted, n - services - counted};
    for (int k = 0; k < 3; ++k) {
        for (int r = 0; r < perKind[k]; ++r)
            ranks[size_t(k)].push_back(r);
        shuffle(rng, ranks[size_t(k)]);
    }
    // Of every sale line: counted goods about 85 in 100, goods sold without stock 9, services 6.
    constexpr double kShare[3] = {0.06, 0.85, 0.09};
    double harmonic[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < perKind[k]; ++r)
            harmonic[k] += 1.0 / (r + 10);

    int taken[3] = {0, 0, 0};
    int bestGear = -1;
    int bestGearRank = n;
    qint64 running = 0;
    a.items.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const int k = int(kinds[size_t(i)]);
        const int rank = ranks[size_t(k)][size_t(taken[k]++)];
        const std::vector<int>& leaves = kinds[size_t(i)] == Kind::Service ? serviceLeaves : goodsLeaves;
        GoodsItem item;
        item.category = leaves[size_t(rng.below(int(leaves.size())))];
        const int root = nodes[size_t(item.category)].root;
        const RootSpec& spec = kRoots[root];
        int nouns = 0;
        while (nouns < int(spec.nouns.size()) && spec.nouns[size_t(nouns)])
            ++nouns;
        item.code = QString::number(1000001 + i);
        item.service = kinds[size_t(i)] == Kind::Service;
        item.counted = kinds[size_t(i)] == Kind::Counted;
        item.name = (item.service ? QString() : t(rng.pick(kBrands))) + t(spec.nouns[size_t(rng.below(nouns))]) +
                    specText(rng, spec.spec);
        item.unit = t(spec.units[size_t(rng.below(3))]);
        // Half-yuan prices; the cost about half to two thirds of it, to the cent.
        item.price = Money::fromUnits(qint64(rng.between(spec.lowest * 2, spec.highest * 2)) * 5000);
        if (!item.service)
            item.cost = Money::fromUnits(item.price.units() * rng.between(45, 68) / 100 / 100 * 100);
        // A large shop orders from its wholesaler's list by the piece.
        item.pack = 1;
        if (item.counted) {
            // The best sellers are on the list most mornings; the rest less often the less they sell.
            item.deliveries = int(std::min<qint64>(250, 250LL * 800 / (rank + 10)));
            if (root == 1 && rank < bestGearRank) {
                bestGear = i;
                bestGearRank = rank;
            }
        }
        running += std::max<qint64>(1, qint64(1e9 * kShare[k] / (rank + 10) / harmonic[k]));
        a.runningWeights.push_back(running);
        a.items.push_back(std::move(item));
    }
    a.firstPurchase = bestGear >= 0 ? bestGear : 0;

    // Goods for points: drawn apart, so that their number leaves the rest of the catalogue as it is.
    std::vector<int> cheap;
    for (int i = 0; i < n; ++i)
        if (a[i].counted && a[i].price <= Money::fromYuan(50))
            cheap.push_back(i);
    Rng forPoints(20250302);
    shuffle(forPoints, cheap);
    cheap.resize(size_t(std::clamp(exchangeable, 0, int(cheap.size()))));
    std::sort(cheap.begin(), cheap.end());
    for (const int i : cheap)
        a.items[size_t(i)].points = int(std::max<qint64>(4, a[i].price.wholeYuan() * 2));
    a.exchangeable = cheap;
    return a;
}

} // namespace tkd::demo
