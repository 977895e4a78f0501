#pragma once
// The demo fleet of a new data folder (data/schema/demo.sql, built into the library): firms,
// users, drivers with their employment, vehicles, cities, the dictionaries of chart statuses,
// annotations and error-description templates, a calendar, absences and infringements.

#include "host/db/Connection.h"

#include <QString>

#include <utility>
#include <vector>

namespace host::db {

// True when the database holds no drivers, vehicles, cities, dictionaries or charts.
bool isEmptyDatabase(Connection& c);

// Fills an empty database with the demo fleet in one transaction. Returns false, writing
// nothing, when the database is not empty.
bool FillDemoData(Connection& c);

// Rows of every table of the schema, in the order of the schema.
std::vector<std::pair<QString, int>> tableRowCounts(Connection& c);

} // namespace host::db
