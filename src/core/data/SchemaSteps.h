#pragma once

namespace tkd {
class Database;
}

namespace tkd::schema {

// The numbered steps of the schema; step n brings a file of version n - 1 to version n.
// Each is fixed text once released (see Schema.cpp for how a new one is added).
void createVersion1(Database& db);
// Covering indexes for the desk's history lists.
void addVersion2(Database& db);
// Version 3: the index of an item's purchase and return history.
void addPurchaseHistoryIndex(Database& db);
// Version 4: that index covers the history's columns.
void coverPurchaseHistory(Database& db);
// Version 5: the days a leave moved the expiry and an exchange line added.
void addLeaveAndExchangeDays(Database& db);

} // namespace tkd::schema
