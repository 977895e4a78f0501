#include "DbFixture.h"

#include "host/db/StoredProc.h"

#include <QUuid>

using namespace host;

namespace tacho_test {

namespace {
struct PgServer {
    std::optional<ConnectionParams> params;
    QString unavailable;
};

const PgServer& pgServer() {
    static const PgServer server = [] {
        PgServer s;
        ConnectionParams p;
        p.backend = Backend::PostgreSQL;
        p.host = qEnvironmentVariable("TACHO_PG_HOST");
        if (p.host.isEmpty()) {
            s.unavailable = QStringLiteral("TACHO_PG_HOST is not set (source scripts/pg-start.sh)");
            return s;
        }
        p.port = qEnvironmentVariableIntValue("TACHO_PG_PORT");
        if (p.port == 0) p.port = 5432;
        p.user = qEnvironmentVariable("TACHO_PG_USER", QStringLiteral("postgres"));
        p.password = qEnvironmentVariable("TACHO_PG_PASSWORD");
        p.database = qEnvironmentVariable("TACHO_PG_DB", QStringLiteral("tacho_test"));
        p.schemaUse = SchemaUse::Ignore;
        try {
            Connection probe(p);
        } catch (const DbError& e) {
            s.unavailable = QStringLiteral("PostgreSQL server unreachable: ") + e.message;
            return s;
        }
        s.params = p;
        return s;
    }();
    return server;
}
} // namespace

std::optional<ConnectionParams> pgFreshParams(QString* why) {
    if (!pgServer().params) {
        if (why) *why = pgServer().unavailable;
        return std::nullopt;
    }
    ConnectionParams p = *pgServer().params;
    p.schemaUse = SchemaUse::Create;
    p.schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    return p;
}

void dropPgSchema(Connection& c, const QString& schema) {
    c.RollbackTrans();
    c.execNative(QStringLiteral("drop schema if exists \"%1\" cascade").arg(schema));
}

ConnectionParams DbTest::freshParams() {
    if (!pg()) {
        ConnectionParams p;
        p.database = QStringLiteral(":memory:");
        return p;
    }
    ConnectionParams p = *pgFreshParams(nullptr);
    schemas_.push_back(p.schema);
    return p;
}

void DbTest::SetUp() {
    if (pg() && !pgServer().params) {
        const std::string why = pgServer().unavailable.toStdString();
        if (qEnvironmentVariable("CI") == QLatin1String("true")) FAIL() << why;
        GTEST_SKIP() << why;
    }
    conn_ = std::make_shared<Connection>(freshParams());
    InstallConnection(conn_);
}

void DbTest::TearDown() {
    InstallConnection(nullptr);
    if (!schemas_.empty()) {
        std::unique_ptr<Connection> admin;
        if (!conn_) admin = std::make_unique<Connection>(*pgServer().params);
        Connection& c = conn_ ? *conn_ : *admin;
        for (const QString& s : schemas_)
            dropPgSchema(c, s);
    }
    conn_.reset();
}

int DbTest::count(const QString& sql) {
    Query q(sql, db());
    q.open();
    return q.Eof() ? 0 : q.asInteger(QStringLiteral("n"));
}

void DbTest::exec(const QString& sql) {
    ExecQuery(sql, &db());
}

int DbTest::addChart(int id_k, TDateTime day, int id_s) {
    StoredProc p(QStringLiteral("PZapTacho"), db());
    p.setParam(QStringLiteral("@data"), day);
    p.setParam(QStringLiteral("@idk"), id_k);
    p.setParam(QStringLiteral("@ids"), id_s);
    p.setParam(QStringLiteral("@kat24"), 180.0);
    p.setParam(QStringLiteral("@idt"), 0);
    ExecProc(p);
    return p.param(QStringLiteral("@id_t")).toInt();
}

int DbTest::addPeriod(int id_tarczy, TDateTime od, TDateTime do_, int czy_praca, double km) {
    StoredProc p(QStringLiteral("PZapPozZdarz"), db());
    p.setParam(QStringLiteral("@id_t"), id_tarczy);
    p.setParam(QStringLiteral("@czas_od"), od);
    p.setParam(QStringLiteral("@czas_do"), do_);
    p.setParam(QStringLiteral("@czy_praca"), czy_praca);
    p.setParam(QStringLiteral("@km"), km);
    p.setParam(QStringLiteral("@kat_trw"), (do_ - od) * 360.0);
    p.setParam(QStringLiteral("@id_tpz"), QVariant());
    ExecProc(p);
    return p.param(QStringLiteral("@id_tpz")).toInt();
}

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

} // namespace tacho_test
