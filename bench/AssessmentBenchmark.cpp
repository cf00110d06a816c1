// Times the grading windows' reads on the generated hall, as TxykhpllrForm makes them when it opens.
#include "AssessmentBenchmark.h"

#include "assessment/Results.h"
#include "data/TvelunDMForm.h"

#include <QTextStream>

namespace tkd::bench {
namespace {

// A whole refill of about 100,000 members takes a good part of a second: twenty readings tell its time.
constexpr int kLeastSamples = 20;

} // namespace

std::vector<AreaLine> timeAssessment(TvelunDMForm& dm, int samples)
{
    std::vector<AreaLine> lines;
    const int n = std::max(kLeastSamples, samples / 10);
    qint64 rows = 0;
    auto open = [&](int) { rows = assessment::openStudentList(dm).rowCount(); };
    timeEach(1, open);
    lines.push_back({QStringLiteral("batch entry opening"), summarise(timeEach(n, open)), 700000, n, kLeastSamples,
                     QStringLiteral("%1 usable members refilled and read").arg(rows)});
    return lines;
}

bool reportAssessment(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare, const Figures& commit)
{
    return reportLines(out, QStringLiteral("gradings"), 1, lines, bare, commit);
}

} // namespace tkd::bench
