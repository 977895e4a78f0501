#pragma once
// Database tests run with the same bodies on SQLite (in memory) and on PostgreSQL (the server
// that scripts/pg-start.sh starts, found through TACHO_PG_HOST / _PORT / _USER / _DB and
// TACHO_PG_PASSWORD). Each PostgreSQL test works in a schema of its own, dropped afterwards.
// Without a server the PostgreSQL tests are skipped, except under CI=true, where they fail.

#include "host/TDateTime.h"
#include "host/db/Connection.h"
#include "host/db/Query.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <optional>

namespace host {
// Test names read "/SQLite" and "/PostgreSQL" rather than bytes.
inline void PrintTo(Backend b, std::ostream* os) { *os << (b == Backend::SQLite ? "SQLite" : "PostgreSQL"); }
} // namespace host

namespace tacho_test {

// Connection parameters of the test server, or the reason why there is none.
struct PgServer {
    std::optional<host::ConnectionParams> params;
    QString unavailable;
};
const PgServer& pgServer();

class DbTest : public ::testing::TestWithParam<host::Backend> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Fresh parameters for this test: a new in-memory database or a new PostgreSQL schema.
    host::ConnectionParams freshParams();
    host::Connection& db() { return *conn_; }
    bool pg() const { return GetParam() == host::Backend::PostgreSQL; }

    // Helpers on the test's connection.
    int count(const QString& sqlServerText); // reads the column "n"
    void exec(const QString& sqlServerText);
    // A chart row for a driver and day (through PZapTacho), returns its key.
    int addChart(int id_k, host::TDateTime day, int id_s = 1);
    int addPeriod(int id_t, host::TDateTime od, host::TDateTime do_, int czy_praca, double km = 0);

    std::shared_ptr<host::Connection> conn_;

private:
    std::vector<QString> schemas_;
};

// The backend this test executable runs the database tests on (one per executable).
host::Backend backendUnderTest();

std::string backendName(const ::testing::TestParamInfo<host::Backend>& info);

} // namespace tacho_test
