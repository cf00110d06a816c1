// Times the desk's swipe and check-ins on a generated hall and compares them with the bare
// cost of one indexed member select on the same machine and file.
#include "app/TimeZone.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"
#include "demo/DemoHall.h"
#include "frontdesk/CheckIn.h"
#include "frontdesk/DeskLookup.h"
#include "security/Permissions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

using namespace tkd;

namespace {

struct Figures {
    double median = 0;
    double p95 = 0;
};

Figures summarise(std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<size_t>(q * static_cast<double>(micros.size() - 1))]; };
    return {at(0.5), at(0.95)};
}

template <typename Fn> std::vector<double> time(const QStringList& cards, Fn&& fn)
{
    std::vector<double> micros;
    micros.reserve(static_cast<size_t>(cards.size()));
    for (const QString& card : cards) {
        const auto start = std::chrono::steady_clock::now();
        fn(card);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    return micros;
}

} // namespace

int main(int argc, char* argv[])
{
    pinLocalTimeZone();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Front-desk benchmark on a generated hall."));
    parser.addHelpOption();
    const QCommandLineOption fileOption(QStringLiteral("file"),
                                        QStringLiteral("Hall database; generated when missing, reused otherwise."),
                                        QStringLiteral("path"), QDir::temp().filePath(QStringLiteral("tkd-bench.cld")));
    const QCommandLineOption membersOption(QStringLiteral("members"), QStringLiteral("Members of a new hall."),
                                           QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption visitsOption(QStringLiteral("visits"), QStringLiteral("Visits of a new hall."),
                                          QStringLiteral("n"), QStringLiteral("5000000"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"),
                                           QStringLiteral("Members timed per measurement (at least 200)."),
                                           QStringLiteral("n"), QStringLiteral("250"));
    parser.addOptions({fileOption, membersOption, visitsOption, samplesOption});
    parser.process(app);

    const QString file = parser.value(fileOption);
    const int members = std::max(300, parser.value(membersOption).toInt());
    const qint64 visits = parser.value(visitsOption).toLongLong();
    const int samples = std::max(200, parser.value(samplesOption).toInt());
    const QDate today = QDate::currentDate();
    const QString key = QString::fromUtf16(kDatabaseKey);

    TvelunDMForm dm;
    const bool existed = QFileInfo::exists(file);
    dm.connect(file, key);
    if (!existed) {
        out << "generating " << members << " members and " << visits << " visits into " << file << " ..." << Qt::endl;
        QElapsedTimer timer;
        timer.start();
        demo::HallSize size;
        size.members = members;
        size.visitsPerMember = static_cast<int>(visits / members);
        size.busiestVisits = 300;
        // Enough members with 300 visits for every measurement to take fresh ones.
        size.busyMembers = 3 * samples + 10;
        demo::generate(dm, size, today);
        out << "generated in " << timer.elapsed() / 1000 << " s" << Qt::endl;
    }

    const ResultSet busy = dm.list(QStringLiteral("select [会员卡号] from [会员登记] group by [会员卡号] "
                                                  "having count(*)>=300 order by [会员卡号]"));
    QStringList busyCards;
    for (int i = 0; i < busy.rowCount(); ++i)
        busyCards << busy.value(i, QStringLiteral("会员卡号")).toText();
    if (busyCards.size() < 3 * samples) {
        out << "the hall has only " << busyCards.size() << " members with 300 visits; use a new --file" << Qt::endl;
        return 1;
    }
    const qint64 memberCount =
        dm.list(QStringLiteral("select count(*) as [n] from [会员信息]")).first(QStringLiteral("n")).toInt();
    const qint64 visitCount =
        dm.list(QStringLiteral("select count(*) as [n] from [会员登记]")).first(QStringLiteral("n")).toInt();
    out << "hall: " << memberCount << " members, " << visitCount << " visits, file "
        << QFileInfo(file).size() / (1024 * 1024) << " MB" << Qt::endl;

    std::mt19937 rng(7);
    QStringList anyCards;
    for (int i = 0; i < 4 * samples; ++i)
        anyCards << demo::cardNumber(static_cast<int>(rng() % static_cast<unsigned>(memberCount)));
    const QStringList lookupCards = busyCards.mid(0, samples);
    const QStringList attendedCards = busyCards.mid(samples, samples);
    const QStringList unattendedCards = busyCards.mid(2 * samples, samples);
    const QString operatorName = QStringLiteral("超级用户");
    const QDateTime now(today, QTime(9, 30));

    // Warm the statement cache and the pages every measurement touches alike.
    for (int i = 0; i < 20; ++i) {
        dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), anyCards[i]}});
        frontdesk::lookUpAtDesk(dm, busyCards.back(), today);
    }

    const Figures bare = summarise(time(anyCards, [&](const QString& card) {
        dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}});
    }));
    const Figures lookup =
        summarise(time(lookupCards, [&](const QString& card) { frontdesk::lookUpAtDesk(dm, card, today); }));
    int refused = 0;
    const Figures attended = summarise(time(attendedCards, [&](const QString& card) {
        const auto check = frontdesk::prepareAttended(dm, card, now);
        if (check && !check->refusal && frontdesk::checkIn({dm, operatorName, now}, card).ok())
            return;
        ++refused;
    }));
    const Figures unattended = summarise(time(unattendedCards, [&](const QString& card) {
        if (!security::checkPermission(dm, operatorName, QStringLiteral("学员登记")) &&
            frontdesk::checkIn({dm, operatorName, now}, card).ok())
            return;
        ++refused;
    }));

    auto row = [&](const char* name, const Figures& f) {
        out << QStringLiteral("%1  median %2 us  p95 %3 us  ratio to bare select: median %4x  p95 %5x")
                   .arg(QString::fromLatin1(name), -22)
                   .arg(f.median, 9, 'f', 1)
                   .arg(f.p95, 9, 'f', 1)
                   .arg(f.median / bare.median, 6, 'f', 1)
                   .arg(f.p95 / bare.p95, 6, 'f', 1)
            << Qt::endl;
    };
    out << QStringLiteral("bare member select      median %1 us  p95 %2 us  (%3 samples)")
               .arg(bare.median, 9, 'f', 1)
               .arg(bare.p95, 9, 'f', 1)
               .arg(anyCards.size())
        << Qt::endl;
    row("lookup (whole swipe)", lookup);
    row("attended check-in", attended);
    row("unattended check-in", unattended);
    if (refused)
        out << refused << " check-ins were refused (they still count in the times)" << Qt::endl;

    bool met = true;
    for (const auto& [name, f] :
         {std::pair{"lookup", lookup}, std::pair{"attended", attended}, std::pair{"unattended", unattended}}) {
        const bool fast = f.p95 < 5000.0;
        const bool close = f.p95 / bare.p95 <= 60.0;
        out << name << ": p95 under 5 ms " << (fast ? "yes" : "NO") << ", within 60x the bare select "
            << (close ? "yes" : "NO") << Qt::endl;
        met = met && fast && close;
    }
    dm.disconnect();
    return met ? 0 : 2;
}
