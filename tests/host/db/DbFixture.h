#pragma once
// Database tests run with the same bodies on SQLite (in memory) and on PostgreSQL (found through
// TACHO_PG_HOST / _PORT / _USER / _DB / _PASSWORD, see scripts/pg-start.sh), each PostgreSQL test
// in a schema of its own. Without a server they are skipped, except under CI=true.

#include "host/TDateTime.h"
#include "host/db/Connection.h"
#include "host/db/Query.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace tacho_test {

class DbTest : public ::testing::TestWithParam<host::Backend> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Fresh parameters for this test: a new in-memory database or a new PostgreSQL schema.
    host::ConnectionParams freshParams();
    host::Connection& db() { return *conn_; }
    bool pg() const { return GetParam() == host::Backend::PostgreSQL; }

    int count(const QString& sqlServerText); // reads the column "n"
    void exec(const QString& sqlServerText);
    int addChart(int id_k, host::TDateTime day, int id_s = 1); // through PZapTacho
    int addPeriod(int id_tarczy, host::TDateTime od, host::TDateTime do_, int czy_praca,
                  double km = 0);

    std::shared_ptr<host::Connection> conn_;

private:
    std::vector<QString> schemas_;
};

// For tests that are not DbTests: parameters of a new schema on the PostgreSQL test server
// (the schema is created on the first connection), or nullopt with the reason in why when no
// server answers. dropPgSchema removes such a schema through c.
std::optional<host::ConnectionParams> pgFreshParams(QString* why);
void dropPgSchema(host::Connection& c, const QString& schema);

// The backend this test executable runs the database tests on (one per executable).
host::Backend backendUnderTest();
std::string backendName(const ::testing::TestParamInfo<host::Backend>& info);

} // namespace tacho_test
