#pragma once

#include "Timing.h"

#include <vector>

class QTextStream;

namespace tkd {
class TvelunDMForm;
}

namespace tkd::bench {

// Times what the grading windows read on the generated hall: the batch entry's opening, which refills
// 选择学员 with every usable member and reads it for the grid, at least twenty times.
std::vector<AreaLine> timeAssessment(TvelunDMForm& dm, int samples);

// Prints each line as the other areas' (see reportLines); true when every line is there and meets it.
bool reportAssessment(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare, const Figures& commit);

} // namespace tkd::bench
