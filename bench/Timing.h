#pragma once

#include "Percentile.h"

#include <QCoreApplication>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace tkd::bench {

// A measurement in microseconds: its median and its 95th percentile (nearest rank).
struct Figures {
    double median = 0;
    double p95 = 0;
};

inline Figures summarise(std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    return {nearestRank(micros, 50), nearestRank(micros, 95)};
}

// One timed line of an area's windows and the most its 95th percentile may be.
struct AreaLine {
    QString name;
    Figures figures;
    double targetMicros = 0;
    int samples = 0;
    // Fewer samples are enough only for a whole year's read, which takes a second or so each.
    int leastSamples = 200;
    // What the line did, for the reader: rows shown, commands accepted.
    QString detail;
    // A command that commits: its figures are compared with one synced commit too.
    bool commits = false;
};

// "12.5 rows on average": what a line showed per sample, for its detail.
inline QString averageRows(qint64 rows, int samples)
{
    return QStringLiteral("%1 rows on average").arg(double(rows) / std::max(1, samples), 0, 'f', 1);
}

// Times fn(i) for i in 0..count-1; before(i), untimed, is what the operator did just before. The event
// loop has its turn between samples, untimed, as the program's has after each command (layouts, and
// folding the write-ahead log into the file once it has grown).
inline std::vector<double> timeEach(int count, const std::function<void(int)>& fn,
                                    const std::function<void(int)>& before = {})
{
    std::vector<double> micros;
    micros.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        if (before)
            before(i);
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        fn(i);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    QCoreApplication::processEvents();
    return micros;
}

// Prints each line of an area (median, p95, their ratios to the bare select and, for a command that
// commits, to one synced commit) and whether it met its target. False when a line missed, had too few
// samples, or fewer lines than expected could be timed on the hall.
template <typename Line>
bool reportLines(QTextStream& out, const QString& area, size_t expected, const std::vector<Line>& lines,
                 const Figures& bare, const Figures& commit)
{
    bool met = lines.size() == expected;
    if (!met)
        out << area << ": only " << lines.size() << " of " << expected << " lines could be timed on this hall"
            << Qt::endl;
    for (const Line& line : lines) {
        const bool fast = line.figures.p95 < line.targetMicros;
        out << QStringLiteral("%1  median %2 us  p95 %3 us  ratio to bare select: median %4x  p95 %5x  (%6 samples)")
                   .arg(line.name, -26)
                   .arg(line.figures.median, 9, 'f', 1)
                   .arg(line.figures.p95, 9, 'f', 1)
                   .arg(line.figures.median / bare.median, 6, 'f', 1)
                   .arg(line.figures.p95 / bare.p95, 6, 'f', 1)
                   .arg(line.samples)
            << Qt::endl;
        if (line.commits)
            out << QStringLiteral("  ratio to one synced commit: median %1x  p95 %2x")
                       .arg(line.figures.median / commit.median, 0, 'f', 1)
                       .arg(line.figures.p95 / commit.p95, 0, 'f', 1)
                << Qt::endl;
        out << QStringLiteral("  %1; p95 under %2 ms %3")
                   .arg(line.detail)
                   .arg(line.targetMicros / 1000, 0, 'f', 0)
                   .arg(fast ? QStringLiteral("yes") : QStringLiteral("NO"))
            << Qt::endl;
        int leastSamples = 200;
        if constexpr (requires { line.leastSamples; })
            leastSamples = line.leastSamples;
        met = met && fast && line.samples >= leastSamples;
    }
    return met;
}

} // namespace tkd::bench
