#pragma once
// The host database's schema: one portable script (data/schema/tacho.sql, built into the
// library) whose identity keys "{ID}" are spelt per backend, installed on first use in one
// transaction.

#include "host/db/Connection.h"

#include <QString>

namespace host::db {

constexpr int kSchemaVersion = 1;

// The built-in script with its identity keys spelt for the backend.
QString schemaScript(Backend backend);
// The same for any script that writes its identity keys as "{ID}".
QString fillIdentityKeys(const QString& script, Backend backend);

// True when the schema's marker table exists in the connection's database (or schema).
bool schemaPresent(Connection& c);

// Runs the script statement by statement in one transaction; on a failure everything is rolled
// back and DbError names the statement. On PostgreSQL with a schema name the schema itself is
// created in the same transaction.
void installSchema(Connection& c, const QString& script);

// Identity keys of PostgreSQL continue after the largest key present (after rows were written
// with explicit keys). Nothing to do on SQLite.
void syncIdentityKeys(Connection& c);

// Tables of the schema, in the order of the script.
QStringList schemaTables();

} // namespace host::db
