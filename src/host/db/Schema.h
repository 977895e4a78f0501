#pragma once
// The host database's schema: one portable script (data/schema/tacho.sql, built into the
// library) whose identity keys "{ID}" are spelt per backend, installed on first use in one
// transaction.

#include "host/db/Connection.h"

#include <QString>
#include <QStringList>

namespace host::db {

constexpr int kSchemaVersion = 1;

// The built-in script with its identity keys spelt for the backend.
QString schemaScript(Backend backend);
// The same for any script that writes its identity keys as "{ID}".
QString fillIdentityKeys(const QString& script, Backend backend);

// What the connection's database (or PostgreSQL schema) holds.
struct SchemaState {
    enum Kind {
        Empty,     // no tables at all
        Ours,      // the version table with a version (which may not be this program's)
        Foreign,   // tables, but no version table
        NoVersion, // a version table without a version
    };
    Kind kind = Empty;
    int version = 0;    // Ours
    QStringList tables; // Foreign: the first few of its tables
};
// Throws DbError with the backend's message when the database cannot be read (a file that is
// no SQLite database).
SchemaState inspectSchema(Connection& c);

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
