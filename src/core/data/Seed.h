#pragma once

#include <QString>
#include <vector>

namespace tkd {
class Database;
}

namespace tkd::schema {

struct GuardedFunction {
    QString category;
    QString name;
};

// Every function name a command checks before it runs, with the category the permission
// window groups it under.
const std::vector<GuardedFunction>& guardedFunctions();

// The rows a new database must hold: the function catalogue, the single setting rows,
// the super user and the system goods item.
void seedVersion1(Database& db);

} // namespace tkd::schema
