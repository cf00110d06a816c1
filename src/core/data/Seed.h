#pragma once

#include <QString>
#include <vector>

namespace tkd::schema {

struct GuardedFunction {
    QString category;
    QString name;
};

// Every function name a command checks before it runs, with the category the permission
// window groups it under. Files get their rows from the schema steps: a function added here
// needs a new step that inserts its row (a test compares a new file with this list).
const std::vector<GuardedFunction>& guardedFunctions();

} // namespace tkd::schema
