#pragma once

#include <QString>
#include <vector>

namespace tkd::schema {

struct GuardedFunction {
    QString category;
    QString name;
};

// Every function name a command checks before it runs, with the category the permission
// window groups it under.
const std::vector<GuardedFunction>& guardedFunctions();

} // namespace tkd::schema
