// Times the desk's swipe and check-ins on a generated hall, with what the window does around the
// core calls, and compares them with two floors measured on the same machine and file: one indexed
// member select and one synced single-row commit. Also opens the member list's dataset (all members)
// in a fresh process and reports its time and the process's peak memory, and times the goods
// windows' calls on the hall's large catalogue (see GoodsBenchmark.h) and the coaching and locker
// windows' calls (see CoachingLockerBenchmark.h), the leave and exchange windows' (see
// LeavePointsBenchmark.h) and the grading windows' (see AssessmentBenchmark.h).
#include "AssessmentBenchmark.h"
#include "CoachingLockerBenchmark.h"
#include "GoodsBenchmark.h"
#include "LeavePointsBenchmark.h"
#include "Timing.h"
#include "app/TimeZone.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"
#include "demo/BenchHall.h"
#include "demo/DemoHall.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "frontdesk/ThydjForm.h"
#include "security/Permissions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <random>
#include <vector>

using namespace tkd;

namespace {

const QString kMemberListSwitch = QStringLiteral("--member-list-of");

using bench::Figures;
using bench::summarise;

// Times fn for each card; before(card), untimed, is what the desk did with the card just before.
template <typename Fn, typename Before> std::vector<double> time(const QStringList& cards, Fn&& fn, Before&& before)
{
    std::vector<double> micros;
    micros.reserve(static_cast<size_t>(cards.size()));
    for (const QString& card : cards) {
        before(card);
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        fn(card);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        // Layout requests and the like run after the handler returns, as the event loop would run them.
        QCoreApplication::processEvents();
    }
    return micros;
}

template <typename Fn> std::vector<double> time(const QStringList& cards, Fn&& fn)
{
    return time(cards, std::forward<Fn>(fn), [](const QString&) {});
}

// A line of /proc/self/status in kB (VmHWM: the peak resident set; VmRSS: the resident set now).
qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLongLong();
    return -1;
}

// The child process: opens the member list's dataset once and reports rows, milliseconds and memory.
int measureMemberList(const QString& file)
{
    const qint64 before = statusKb("VmRSS");
    TvelunDMForm dm;
    dm.connect(file, QString::fromUtf16(kDatabaseKey));
    QElapsedTimer timer;
    timer.start();
    const ResultSet members = dm.open(QStringLiteral("ADODS_hyxx"));
    const qint64 ms = timer.elapsed();
    QTextStream(stdout) << members.rowCount() << ' ' << ms << ' ' << statusKb("VmHWM") << ' ' << before << Qt::endl;
    dm.disconnect();
    return 0;
}

struct MemberList {
    qint64 rows = 0;
    qint64 ms = -1;
    qint64 peakKb = -1;
    qint64 beforeKb = -1;
};

MemberList memberListInFreshProcess(const QString& file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kMemberListSwitch, file});
    MemberList result;
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return result;
    const QList<QByteArray> numbers = child.readAllStandardOutput().trimmed().split(' ');
    if (numbers.size() == 4)
        result = {numbers[0].toLongLong(), numbers[1].toLongLong(), numbers[2].toLongLong(), numbers[3].toLongLong()};
    return result;
}

qint64 count(TvelunDMForm& dm, const QString& statement, const Params& params = {})
{
    return dm.db().scalar(statement, params).toInt();
}

// What the timed members' history lists hold, on average, so a reader sees they are not the lightest.
QString historyOf(TvelunDMForm& dm, const QStringList& cards)
{
    const std::pair<const char16_t*, const char16_t*> lists[] = {
        {u"会员登记", u"visits"},   {u"会员充值", u"payments"},          {u"会员消费", u"sales lines"},
        {u"会员请假", u"leaves"},   {u"购买私教", u"coaching packages"}, {u"私教消费", u"lessons"},
        {u"兑换商品", u"exchanges"}};
    QStringList parts;
    for (const auto& [table, what] : lists) {
        qint64 rows = 0;
        for (const QString& card : cards)
            rows += count(
                dm, QStringLiteral("select count(*) from [%1] where [会员卡号]=:hykh").arg(QString::fromUtf16(table)),
                {{QStringLiteral("hykh"), card}});
        parts << QStringLiteral("%1 %2")
                     .arg(double(rows) / double(cards.size()), 0, 'f', 1)
                     .arg(QString::fromUtf16(what));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char* argv[])
{
    pinLocalTimeZone();
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == kMemberListSwitch) {
        QCoreApplication app(argc, argv);
        return measureMemberList(QString::fromLocal8Bit(argv[2]));
    }
    // The panel and the tabs are real widgets, never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Front-desk benchmark on a generated hall."));
    parser.addHelpOption();
    const QCommandLineOption fileOption(
        QStringLiteral("file"), QStringLiteral("Hall database; generated when missing or made by an older generator."),
        QStringLiteral("path"), QDir::temp().filePath(QStringLiteral("tkd-bench.cld")));
    const QCommandLineOption membersOption(QStringLiteral("members"), QStringLiteral("Members of a new hall."),
                                           QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption visitsOption(QStringLiteral("visits"), QStringLiteral("Visits of a new hall."),
                                          QStringLiteral("n"), QStringLiteral("5000000"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"),
                                           QStringLiteral("Members timed per measurement (at least 200)."),
                                           QStringLiteral("n"), QStringLiteral("250"));
    const QCommandLineOption regenerateOption(QStringLiteral("regenerate"),
                                              QStringLiteral("Make a new hall even when the file can be reused."));
    const QCommandLineOption deskOnlyOption(QStringLiteral("desk-only"),
                                            QStringLiteral("Time the desk alone, without the month of visits, the "
                                                           "member list and the goods (for profiling)."));
    const QCommandLineOption goodsOnlyOption(QStringLiteral("goods-only"),
                                             QStringLiteral("Time the goods windows alone (for profiling)."));
    const QCommandLineOption coachingLockersOnlyOption(
        QStringLiteral("coaching-lockers-only"),
        QStringLiteral("Time the coaching and locker windows alone (for profiling)."));
    const QCommandLineOption leavePointsOnlyOption(
        QStringLiteral("leave-points-only"),
        QStringLiteral("Time the leave and exchange windows alone (for profiling)."));
    const QCommandLineOption assessmentOnlyOption(QStringLiteral("assessment-only"),
                                                  QStringLiteral("Time the grading windows alone (for profiling)."));
    parser.addOptions({fileOption, membersOption, visitsOption, samplesOption, regenerateOption, deskOnlyOption,
                       goodsOnlyOption, coachingLockersOnlyOption, leavePointsOnlyOption, assessmentOnlyOption});
    parser.process(app);

    const QString file = QFileInfo(parser.value(fileOption)).absoluteFilePath();
    const QString photoFolder = file + QStringLiteral(".photos");
    const int members = std::max(300, parser.value(membersOption).toInt());
    const qint64 visits = parser.value(visitsOption).toLongLong();
    const int samples = std::max(200, parser.value(samplesOption).toInt());
    const QDate today = QDate::currentDate();
    constexpr int kBusiest = 300;

    demo::HallSize size;
    size.members = members;
    size.visitsPerMember = static_cast<int>(visits / members);
    size.busiestVisits = kBusiest;
    // Enough members with 300 visits for every measurement to take fresh ones.
    size.busyMembers = 3 * samples + 10;
    // A shop of a large hall: about 1,000,000 sales lines in 500,000 checkouts, 1,200,000 stock moves.
    size.goods = 5000;
    size.categories = 400;
    size.checkoutsPerMember = 5;
    // Coaching and lockers of a large hall: 10,000 packages and 100,000 lessons, 25,000 lockers with
    // 5,000 returns and 2,000 rentals for the day, for 100,000 members.
    size.packages = members / 10;
    size.lessons = members;
    size.lockers = members / 4;
    size.lockerReturns = members / 20;
    size.temporaryRentals = members / 50;

    TvelunDMForm dm;
    out << "hall file " << file << " (made anew when missing: " << members << " members, " << visits << " visits, "
        << size.goods << " goods)" << Qt::endl;
    const demo::Preparation prepared =
        demo::prepareHall(dm, file, photoFolder, size, today, parser.isSet(regenerateOption));
    if (!prepared.refusal.isEmpty()) {
        out << prepared.refusal << Qt::endl;
        return 1;
    }
    if (prepared.repageSeconds > 0)
        out << "rewrote the file in pages of " << Database::kPageSize << " bytes in "
            << QString::number(prepared.repageSeconds, 'f', 1) << " s" << Qt::endl;
    if (prepared.generated)
        out << "generated (" << prepared.why << ") in " << QString::number(prepared.generationSeconds, 'f', 0) << " s"
            << Qt::endl;
    else if (prepared.shiftedDays != 0)
        out << "reused the file; its dates moved " << prepared.shiftedDays << " days to today in "
            << QString::number(prepared.shiftSeconds, 'f', 1) << " s" << Qt::endl;
    else
        out << "reused the file, made today" << Qt::endl;

    const QStringList busyCards =
        dm.list(QStringLiteral("select [会员卡号] from [会员信息] where [刷卡次数]>=:n order by [会员卡号]"),
                {{QStringLiteral("n"), kBusiest}})
            .texts(QStringLiteral("会员卡号"));
    if (busyCards.size() < 3 * samples + 1) {
        out << "the hall has only " << busyCards.size() << " members with " << kBusiest
            << " visits; use --regenerate or a new --file" << Qt::endl;
        return 1;
    }
    const qint64 memberCount = count(dm, QStringLiteral("select count(*) from [会员信息]"));
    const qint64 visitCount = count(dm, QStringLiteral("select count(*) from [会员登记]"));
    out << "hall: " << memberCount << " members, " << visitCount << " visits, file "
        << QFileInfo(file).size() / (1024 * 1024) << " MB" << Qt::endl;
    out << "shop: " << count(dm, QStringLiteral("select count(*) from [商品信息]")) << " goods in "
        << count(dm, QStringLiteral("select count(*) from [商品类别]")) << " categories, "
        << count(dm, QStringLiteral("select count(*) from [会员消费]")) << " sales lines, "
        << count(dm, QStringLiteral("select count(*) from [金额记录]")) << " payment rows, "
        << count(dm, QStringLiteral("select count(*) from [商品进退单]")) << " stock moves" << Qt::endl;
    const Params onDay{{QStringLiteral("today"), today}};
    out << "coaching: " << count(dm, QStringLiteral("select count(*) from [购买私教]")) << " packages ("
        << count(dm, QStringLiteral("select count(*) from [购买私教] where [状态]='赠送'")) << " given, "
        << count(dm, QStringLiteral("select count(*) from [购买私教] where [有效日期]<:today"), onDay) << " expired, "
        << count(dm, QStringLiteral("select count(*) from [购买私教] where [剩余数量]=0")) << " used up), "
        << count(dm, QStringLiteral("select count(*) from [私教消费]")) << " lessons" << Qt::endl;
    out << "lockers: " << count(dm, QStringLiteral("select count(*) from [衣柜设置]")) << " lockers ("
        << count(dm, QStringLiteral("select count(*) from [衣柜设置] where [状态]='已租'")) << " rented), "
        << count(dm, QStringLiteral("select count(*) from [衣柜出租] where [出租状态]='租用'")) << " rentals ("
        << count(dm,
                 QStringLiteral("select count(*) from [衣柜出租] where [出租状态]='租用' and [起始日期]=[截止日期]"))
        << " for the day), " << count(dm, QStringLiteral("select count(*) from [衣柜出租] where [出租状态]='退柜'"))
        << " returns" << Qt::endl;
    out << "leave and points: " << count(dm, QStringLiteral("select count(*) from [会员请假]")) << " leaves, "
        << count(dm, QStringLiteral("select count(*) from [兑换商品]")) << " exchange lines, "
        << count(dm, QStringLiteral("select count(*) from [商品信息] where [是否兑换]<>0 and [是否计库存]<>0"))
        << " exchangeable stock-counted goods" << Qt::endl;

    std::mt19937 rng(7);
    QStringList anyCards;
    for (int i = 0; i < 4 * samples; ++i)
        anyCards << demo::cardNumber(static_cast<int>(rng() % static_cast<unsigned>(memberCount)));
    const QStringList lookupCards = busyCards.mid(0, samples);
    const QStringList attendedCards = busyCards.mid(samples, samples);
    const QStringList unattendedCards = busyCards.mid(2 * samples, samples);
    const QString warmCard = busyCards.back();
    const int photosWritten = demo::ensurePhotos(dm, busyCards.mid(0, 3 * samples) << warmCard);
    if (photosWritten > 0)
        out << "wrote " << photosWritten << " photos of timed members" << Qt::endl;
    out << "timed members, on average: " << historyOf(dm, busyCards.mid(0, 3 * samples)) << Qt::endl;

    const QString operatorName = demo::deskOperatorName();
    const QString checkInRight = QStringLiteral("学员登记");
    if (security::isSuperUser(operatorName) || security::checkPermission(dm, operatorName, checkInRight)) {
        out << "the desk's operator " << operatorName << " cannot check members in" << Qt::endl;
        return 1;
    }
    out << "operator: " << operatorName << " (an ordinary operator with the right " << checkInRight << ")" << Qt::endl;
    const QDateTime now(today, QTime(9, 30));

    // The window's own pieces: the member panel (labels and photo), the history tabs (grids) and
    // the confirmation window of the attended check-in (photo and notices).
    gui::MemberPanel panel;
    gui::HistoryTabs tabs;
    gui::ThydjForm confirmation;
    // After a visit the desk shows the member again as stored, with the visit list re-read.
    auto showOutcome = [&](const QString& card) {
        const auto again = frontdesk::lookUpAgain(dm, card, today, gui::HistoryTabs::entries(gui::HistoryTabs::Visits));
        if (!again)
            return;
        panel.show(again->member);
        tabs.show(again->history, gui::HistoryTabs::Visits);
    };
    // Where a swipe's time goes: the core's reads and scratch lists, the panel (labels and photo), the tabs.
    int photosShown = 0;
    std::vector<double> coreMicros, panelMicros, tabsMicros;
    auto swipe = [&](const QString& card) {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        const auto found = frontdesk::lookUpAtDesk(dm, card, today);
        if (!found)
            return;
        const auto read = Clock::now();
        photosShown += panel.show(found->member) ? 1 : 0;
        const auto shown = Clock::now();
        tabs.show(found->history);
        const auto end = Clock::now();
        coreMicros.push_back(std::chrono::duration<double, std::micro>(read - start).count());
        panelMicros.push_back(std::chrono::duration<double, std::micro>(shown - read).count());
        tabsMicros.push_back(std::chrono::duration<double, std::micro>(end - shown).count());
    };

    // Warm the statement cache and the pages every measurement touches alike.
    for (int i = 0; i < 20; ++i) {
        dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), anyCards[i]}});
        swipe(warmCard);
    }
    photosShown = 0;
    coreMicros.clear();
    panelMicros.clear();
    tabsMicros.clear();

    const Figures bare = summarise(time(anyCards, [&](const QString& card) {
        dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}});
    }));
    // The least any check-in can cost: one row changed and committed to disk.
    const Figures commit = summarise(time(anyCards.mid(0, samples), [&](const QString& card) {
        Transaction tx(dm.db());
        dm.change(QStringLiteral("update [会员信息] set [刷卡次数]=[刷卡次数] where [会员卡号]=:hykh"),
                  {{QStringLiteral("hykh"), card}});
        tx.commit();
    }));
    auto printFloors = [&] {
        out << QStringLiteral("bare member select        median %1 us  p95 %2 us  (%3 samples)")
                   .arg(bare.median, 9, 'f', 1)
                   .arg(bare.p95, 9, 'f', 1)
                   .arg(anyCards.size())
            << Qt::endl;
        out << QStringLiteral("synced single-row commit  median %1 us  p95 %2 us  (%3 samples)")
                   .arg(commit.median, 9, 'f', 1)
                   .arg(commit.p95, 9, 'f', 1)
                   .arg(samples)
            << Qt::endl;
    };
    if (parser.isSet(goodsOnlyOption)) {
        const std::vector<bench::GoodsLine> goodsLines = bench::timeGoods(dm, operatorName, today, samples);
        dm.disconnect();
        printFloors();
        return bench::reportGoods(out, goodsLines, bare, commit) ? 0 : 2;
    }
    if (parser.isSet(coachingLockersOnlyOption)) {
        const std::vector<bench::AreaLine> areaLines =
            bench::timeCoachingAndLockers(dm, operatorName, lookupCards, today, samples);
        dm.disconnect();
        printFloors();
        return bench::reportCoachingAndLockers(out, areaLines, bare, commit) ? 0 : 2;
    }
    if (parser.isSet(leavePointsOnlyOption)) {
        const std::vector<bench::AreaLine> leaveLines =
            bench::timeLeaveAndPoints(dm, operatorName, lookupCards, today, samples);
        return bench::reportLeaveAndPoints(out, leaveLines, bare, commit) ? 0 : 2;
    }
    if (parser.isSet(assessmentOnlyOption))
        return bench::reportAssessment(out, bench::timeAssessment(dm, samples), bare, commit) ? 0 : 2;

    const Figures lookup = summarise(time(lookupCards, swipe));
    int attendedAccepted = 0;
    const Figures attended = summarise(time(
        attendedCards,
        [&](const QString& card) {
            if (security::checkPermission(dm, operatorName, checkInRight))
                return;
            const auto check = frontdesk::prepareAttended(dm, card, now);
            if (!check)
                return;
            confirmation.prepare(check->notices, check->photoPath);
            if (check->refusal)
                return;
            const auto outcome = frontdesk::checkIn({dm, operatorName, now}, card);
            if (!outcome.ok())
                return;
            showOutcome(card);
            ++attendedAccepted;
        },
        [&](const QString& card) {
            // The operator checks in the member the swipe has just shown.
            if (const auto shown = frontdesk::lookUpAtDesk(dm, card, today)) {
                panel.show(shown->member);
                tabs.show(shown->history);
            }
        }));
    int unattendedAccepted = 0;
    // Where an unattended check-in's time goes: the core's command (its commit included), the
    // re-read of the member and visit list, the panel, the tabs.
    std::vector<double> commandMicros, againMicros, againPanelMicros, againTabsMicros;
    const Figures unattended = summarise(time(unattendedCards, [&](const QString& card) {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        if (security::checkPermission(dm, operatorName, checkInRight))
            return;
        const auto outcome = frontdesk::checkIn({dm, operatorName, now}, card);
        if (!outcome.ok())
            return;
        const auto done = Clock::now();
        const auto again = frontdesk::lookUpAgain(dm, card, today, gui::HistoryTabs::entries(gui::HistoryTabs::Visits));
        if (!again)
            return;
        const auto read = Clock::now();
        panel.show(again->member);
        const auto shown = Clock::now();
        tabs.show(again->history, gui::HistoryTabs::Visits);
        const auto end = Clock::now();
        commandMicros.push_back(std::chrono::duration<double, std::micro>(done - start).count());
        againMicros.push_back(std::chrono::duration<double, std::micro>(read - done).count());
        againPanelMicros.push_back(std::chrono::duration<double, std::micro>(shown - read).count());
        againTabsMicros.push_back(std::chrono::duration<double, std::micro>(end - shown).count());
        ++unattendedAccepted;
    }));

    const bool deskOnly = parser.isSet(deskOnlyOption);
    const std::vector<bench::GoodsLine> goodsLines =
        deskOnly ? std::vector<bench::GoodsLine>() : bench::timeGoods(dm, operatorName, today, samples);
    const std::vector<bench::AreaLine> areaLines =
        deskOnly ? std::vector<bench::AreaLine>()
                 : bench::timeCoachingAndLockers(dm, operatorName, lookupCards, today, samples);
    const std::vector<bench::AreaLine> leaveLines =
        deskOnly ? std::vector<bench::AreaLine>()
                 : bench::timeLeaveAndPoints(dm, operatorName, lookupCards, today, samples);
    const std::vector<bench::AreaLine> gradingLines =
        deskOnly ? std::vector<bench::AreaLine>() : bench::timeAssessment(dm, samples);
    qint64 monthRows = 0;
    qint64 monthMs = -1;
    if (!deskOnly) {
        QElapsedTimer monthTimer;
        monthTimer.start();
        monthRows = dm.list(QStringLiteral("select * from [会员登记] where [登记时间]>=:rq1 and [登记时间]<=:rq2"),
                            {{QStringLiteral("rq1"), QDateTime(today.addMonths(-2), QTime(0, 0))},
                             {QStringLiteral("rq2"), QDateTime(today.addMonths(-1).addDays(-1), QTime(23, 59, 59))}})
                        .rowCount();
        monthMs = monthTimer.elapsed();
    }
    const Database::FoldCount folds = dm.db().logFolds();
    dm.disconnect();
    const MemberList list = deskOnly ? MemberList{} : memberListInFreshProcess(file);

    auto row = [&](const char* name, const Figures& f) {
        out << QStringLiteral("%1  median %2 us  p95 %3 us  ratio to bare select: median %4x  p95 %5x")
                   .arg(QString::fromLatin1(name), -24)
                   .arg(f.median, 9, 'f', 1)
                   .arg(f.p95, 9, 'f', 1)
                   .arg(f.median / bare.median, 6, 'f', 1)
                   .arg(f.p95 / bare.p95, 6, 'f', 1)
            << Qt::endl;
    };
    auto toCommit = [&](const char* name, const Figures& f, int accepted) {
        out << QStringLiteral("%1  accepted %2 of %3; ratio to one synced commit: median %4x  p95 %5x")
                   .arg(QString::fromLatin1(name), -24)
                   .arg(accepted)
                   .arg(samples)
                   .arg(f.median / commit.median, 0, 'f', 1)
                   .arg(f.p95 / commit.p95, 0, 'f', 1)
            << Qt::endl;
    };
    printFloors();
    row("lookup (whole swipe)", lookup);
    row("attended check-in", attended);
    row("unattended check-in", unattended);
    // Where a measurement's time went: each part's median / p95.
    auto breakdown = [&](const char* what,
                         std::initializer_list<std::pair<const char*, const std::vector<double>*>> parts) {
        QStringList shown;
        for (const auto& [name, micros] : parts) {
            const Figures f = summarise(*micros);
            shown << QStringLiteral("%1 %2 / %3 us")
                         .arg(QString::fromLatin1(name))
                         .arg(f.median, 0, 'f', 1)
                         .arg(f.p95, 0, 'f', 1);
        }
        out << "  " << what << ", of which: " << shown.join(QStringLiteral(", ")) << " (median / p95)" << Qt::endl;
    };
    breakdown("lookup",
              {{"core reads", &coreMicros}, {"panel with photo", &panelMicros}, {"history tabs", &tabsMicros}});
    breakdown("unattended", {{"command with its commit", &commandMicros},
                             {"re-read", &againMicros},
                             {"panel", &againPanelMicros},
                             {"visit tab", &againTabsMicros}});
    out << "lookup: " << photosShown << " of " << samples << " photos decoded and shown" << Qt::endl;
    toCommit("attended check-in", attended, attendedAccepted);
    toCommit("unattended check-in", unattended, unattendedAccepted);
    // Not in any figure above: the program folds the log when idle, after the window has shown a command's result.
    out << "write-ahead log folded into the file " << folds.times << " times between samples, "
        << QString::number(folds.totalMs, 'f', 1) << " ms in all, the longest "
        << QString::number(folds.longestMs, 'f', 1) << " ms" << Qt::endl;
    if (!deskOnly) {
        out << "a month of visits (" << monthRows << " rows) read in " << monthMs << " ms" << Qt::endl;
        if (list.ms < 0)
            out << "member list: the measuring process failed" << Qt::endl;
        else
            out << "member list (ADODS_hyxx): " << list.rows << " rows opened in " << list.ms << " ms, peak memory "
                << list.peakKb / 1024 << " MB (" << list.beforeKb / 1024 << " MB before opening)" << Qt::endl;
    }

    bool met = true;
    for (const auto& [name, f] :
         {std::pair{"lookup", lookup}, std::pair{"attended", attended}, std::pair{"unattended", unattended}}) {
        const bool fast = f.p95 < 5000.0;
        const bool close = f.p95 / bare.p95 <= 60.0;
        out << name << ": p95 under 5 ms " << (fast ? "yes" : "NO") << ", within 60x the bare select "
            << (close ? "yes" : "NO") << Qt::endl;
        met = met && fast && close;
    }
    const bool everyoneIn = attendedAccepted == samples && unattendedAccepted == samples;
    out << "every timed check-in accepted " << (everyoneIn ? "yes" : "NO") << Qt::endl;
    if (deskOnly)
        return met && everyoneIn ? 0 : 2;
    const bool listFast = list.ms >= 0 && list.ms < 300;
    const bool listSmall = list.peakKb >= 0 && list.peakKb < 150 * 1024;
    out << "member list: under 300 ms " << (listFast ? "yes" : "NO") << ", peak under 150 MB "
        << (listSmall ? "yes" : "NO") << Qt::endl;
    const bool goodsMet = bench::reportGoods(out, goodsLines, bare, commit);
    const bool areaMet = bench::reportCoachingAndLockers(out, areaLines, bare, commit);
    const bool leaveMet = bench::reportLeaveAndPoints(out, leaveLines, bare, commit);
    const bool gradingMet = bench::reportAssessment(out, gradingLines, bare, commit);
    return met && everyoneIn && listFast && listSmall && goodsMet && areaMet && leaveMet && gradingMet ? 0 : 2;
}
