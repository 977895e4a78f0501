// The connection on each backend: schema creation, values, transactions, errors, demo data.

#include "DbFixture.h"

#include "host/KatyCzas.h"
#include "host/db/DemoData.h"
#include "host/db/Schema.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <functional>

using namespace host;
using namespace tacho_test;

TEST_P(DbTest, SchemaCreationIsAllOrNothing) {
    ConnectionParams p = freshParams();
    QTemporaryDir dir;
    if (!pg()) p.database = dir.filePath(QStringLiteral("half.sqlite"));
    QFile f(QStringLiteral(":/tacho/schema/tacho.sql"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // The last statement fails: none of the tables before it may stay.
    p.schemaScript = QString::fromUtf8(f.readAll()) +
                     QStringLiteral("\ncreate table zepsuta (id integer, id integer);\n");
    try {
        Connection broken(p);
        FAIL() << "a failing schema step was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message.contains(QLatin1String("zepsuta"))) << e.message.toStdString();
    }
    p.schemaScript.clear();
    p.schemaUse = SchemaUse::Ignore;
    {
        Connection look(p);
        QSqlQuery q(look.db());
        const QString tables =
            pg() ? QStringLiteral(
                       "select count(*) from information_schema.tables where table_schema = '%1'")
                       .arg(p.schema)
                 : QStringLiteral("select count(*) from sqlite_master");
        ASSERT_TRUE(q.exec(tables) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 0);
    }
    // Created once; a second connection must not create the tables again.
    p.schemaUse = SchemaUse::Create;
    {
        Connection first(p);
        EXPECT_EQ(db::inspectSchema(first).kind, db::SchemaState::Ours);
        ExecQuery(QStringLiteral("insert into miasto (miasto) values ('Opole')"), &first);
    }
    Connection second(p);
    EXPECT_EQ(
        GetStringDB(QStringLiteral("select miasto from miasto"), QStringLiteral("miasto"), &second),
        QStringLiteral("Opole"));
    EXPECT_EQ(GetIntDB(QStringLiteral("select wersja from wersja_bazy"), QStringLiteral("wersja"),
                       &second),
              db::kSchemaVersion);
}

// A SQLite file of ours commits through the write-ahead log with a sync at each commit: a
// save that returned is on disk. A raw connection leaves the file as it finds it.
TEST(SqliteFile, CommitsDurablyThroughTheLog) {
    QTemporaryDir dir;
    ConnectionParams p;
    p.database = dir.filePath(QStringLiteral("tacho.sqlite"));
    p.schemaUse = SchemaUse::Ignore;
    const auto pragma = [](Connection& c, const char* name) {
        QSqlQuery q(c.db());
        EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && q.next());
        return q.value(0).toString();
    };
    {
        Connection raw(p);
        EXPECT_EQ(pragma(raw, "journal_mode"), QStringLiteral("delete"));
    }
    p.schemaUse = SchemaUse::Create;
    Connection ours(p);
    EXPECT_EQ(pragma(ours, "journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(pragma(ours, "synchronous"), QStringLiteral("2")); // FULL
    ExecQuery(QStringLiteral("insert into miasto (miasto) values ('Opole')"), &ours);
    p.schemaUse = SchemaUse::Require;
    Connection other(p);
    EXPECT_EQ(pragma(other, "synchronous"), QStringLiteral("2"));
    EXPECT_EQ(
        GetStringDB(QStringLiteral("select miasto from miasto"), QStringLiteral("miasto"), &other),
        QStringLiteral("Opole"));
}

// The statements the connection keeps prepared: a select read only in part holds no read
// snapshot once let go (another connection's commit is seen), a nested run of the same text
// gets a statement of its own, and one that failed runs again.
TEST(SqliteFile, KeptStatementsAreResetNestedAndRetried) {
    QTemporaryDir dir;
    ConnectionParams p;
    p.database = dir.filePath(QStringLiteral("tacho.sqlite"));
    Connection a(p);
    p.schemaUse = SchemaUse::Require;
    Connection b(p);
    for (const char* m : {"Opole", "Kalisz", "Radom"})
        ExecQuery(QStringLiteral("insert into miasto (miasto) values ('%1')").arg(m), &a);
    const QString lista = QStringLiteral("select miasto from miasto where widoczne = ? order by 1");
    const auto ile = [&a] {
        Statement s(a, QStringLiteral("select count(*) from miasto"));
        EXPECT_TRUE(s.exec({}) && s.query().next());
        return s.query().value(0).toInt();
    };
    {
        Statement s(a, lista); // read in part, then kept
        ASSERT_TRUE(s.exec({1}) && s.query().next());
        EXPECT_EQ(s.query().value(0).toString(), QStringLiteral("Kalisz"));
    }
    ExecQuery(QStringLiteral("insert into miasto (miasto) values ('Zabrze')"), &b);
    EXPECT_EQ(ile(), 4);
    {
        Statement s(a, lista);
        ASSERT_TRUE(s.exec({1}) && s.query().next());
        {
            Statement wewnatrz(a, lista);
            ASSERT_TRUE(wewnatrz.exec({1}));
            QStringList wszystkie;
            while (wewnatrz.query().next())
                wszystkie << wewnatrz.query().value(0).toString();
            EXPECT_EQ(wszystkie.join(QLatin1Char(',')),
                      QStringLiteral("Kalisz,Opole,Radom,Zabrze"));
        }
        ASSERT_TRUE(s.query().next());
        EXPECT_EQ(s.query().value(0).toString(), QStringLiteral("Opole"));
    }

    const QString dodaj = QStringLiteral("insert into miasto (id_m, miasto) values (?, ?)");
    {
        Statement s(a, dodaj);
        EXPECT_FALSE(s.exec({1, QStringLiteral("Again")})); // the key is taken
    }
    Statement s(a, dodaj);
    EXPECT_TRUE(s.exec({100, QStringLiteral("Tarnow")}));
    EXPECT_EQ(ile(), 5);
}

TEST_P(DbTest, DateTimesRoundTripAndCompareInOrder) {
    const TDateTime t = TDateTime::encode(2024, 3, 5, 23, 59, 59, 123);
    Query ins(
        QStringLiteral("insert into komunikacja (id_k, data, ktory) values (:id_k, :data, 1)"));
    ins.setParam(QStringLiteral("id_k"), 7);
    ins.setParam(QStringLiteral("data"), t);
    ins.exec();
    ins.setParam(QStringLiteral("id_k"), 8);
    ins.setParam(QStringLiteral("data"), QDateTime(QDate(2024, 3, 6), QTime(0, 0)));
    ins.exec();

    Query q(QStringLiteral(
        "select id_k, data from komunikacja where data >= :od and data < :do order by data"));
    q.setParam(QStringLiteral("od"), QVariant::fromValue(TDateTime::encode(2024, 3, 5)));
    q.setParam(QStringLiteral("do"), QDate(2024, 3, 7));
    q.open();
    ASSERT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.asInteger(QStringLiteral("id_k")), 7);
    EXPECT_NEAR(q.asDateTime(QStringLiteral("data")), t, 0.5 / 86400000.0);
    EXPECT_NEAR(q.asFloat(QStringLiteral("data")), t, 0.5 / 86400000.0);
    EXPECT_EQ(q.asString(QStringLiteral("data")), QStringLiteral("2024-03-05 23:59:59.123"));
    // A literal written by double_to_sql_str matches the bound value exactly.
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from komunikacja where data = ") +
                    double_to_sql_str(TDateTime::encode(2024, 3, 6))),
              1);
}

TEST_P(DbTest, ParametersNullsAndTypedReads) {
    exec(QStringLiteral("insert into miasto (miasto) values ('Opole')"));
    // A name used twice is bound twice; text that merely looks like a parameter is left alone.
    Query q(QStringLiteral(
        "select id_m * 21 + id_m * 21 as dwa, ':a' as tekst, cast(null as integer) as nic, "
        "cast(:b as varchar(20)) as b, 2.5 as ulamek from miasto where id_m = :a and :a > 0"));
    q.setParam(QStringLiteral(":A"), 1);
    q.setParam(QStringLiteral("b"), QStringLiteral("zażółć"));
    q.open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.asInteger(QStringLiteral("dwa")), 42);
    EXPECT_EQ(q.asString(QStringLiteral("tekst")), QStringLiteral(":a"));
    EXPECT_TRUE(q.isNull(QStringLiteral("nic")));
    EXPECT_EQ(q.asInteger(QStringLiteral("nic")), 0);
    EXPECT_EQ(q.asString(QStringLiteral("b")), QStringLiteral("zażółć"));
    EXPECT_EQ(q.asInteger(QStringLiteral("ulamek")), 3); // rounded, not truncated
    EXPECT_EQ(GetIntDB(QStringLiteral("select 5 as x where 1 = 0"), QStringLiteral("x")), 0);
}

TEST_P(DbTest, TransactionsNestAndRollBackEverything) {
    db().BeginTrans();
    exec(QStringLiteral("insert into miasto (miasto) values ('A')"));
    db().BeginTrans();
    exec(QStringLiteral("insert into miasto (miasto) values ('B')"));
    db().CommitTrans(); // inner: nothing committed yet
    EXPECT_TRUE(db().InTransaction());
    db().RollbackTrans();
    EXPECT_FALSE(db().InTransaction());
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from miasto")), 0);
    EXPECT_THROW(db().CommitTrans(), DbError);
    EXPECT_NO_THROW(db().RollbackTrans()); // an error handler may roll back unconditionally
}

TEST_P(DbTest, ErrorsCarryBackendMessageAndStatement) {
    const QString bad =
        QStringLiteral("select nie_ma_kolumny from tacho where id_t = :id_t limit 1");
    try {
        Query q(bad);
        q.setParam(QStringLiteral("id_t"), 1);
        q.open();
        FAIL() << "accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.statement, bad);
        EXPECT_TRUE(e.message.contains(QLatin1String("nie_ma_kolumny"))) << e.message.toStdString();
        EXPECT_TRUE(QString::fromStdString(e.what()).contains(bad));
    }
    // After an error inside a transaction the caller can still roll back and go on.
    db().BeginTrans();
    EXPECT_THROW(exec(QStringLiteral("insert into nie_ma_tabeli values (1)")), DbError);
    db().RollbackTrans();
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho")), 0);
}

TEST_P(DbTest, DemoDataFillOnlyAnEmptyDatabase) {
    EXPECT_TRUE(db::isEmptyDatabase(db()));
    ASSERT_TRUE(db::FillDemoData(db()));
    const auto counts = db::tableRowCounts(db());
    auto rows = [&](const char* table) {
        for (const auto& [name, n] : counts)
            if (name == QLatin1String(table)) return n;
        return -1;
    };
    EXPECT_EQ(rows("kierowca"), 6);
    EXPECT_EQ(rows("samochod"), 5);
    EXPECT_EQ(rows("tacho"), 0);
    EXPECT_FALSE(db::FillDemoData(db()));
    EXPECT_EQ(db::tableRowCounts(db()), counts);
    // New rows continue after the demo's explicit keys.
    exec(QStringLiteral("insert into kierowca (nazwisko) values ('Nowy')"));
    EXPECT_EQ(GetIntDB(QStringLiteral("select id_k from kierowca where nazwisko = 'Nowy'"),
                       QStringLiteral("id_k")),
              7);
}

namespace {

// Tables and views of the database (or the PostgreSQL schema), to see that nothing was written.
int objectCount(Connection& c) {
    return GetIntDB(c.backend() == Backend::SQLite
                        ? QStringLiteral("select count(*) as n from sqlite_master")
                        : QStringLiteral("select count(*) as n from information_schema.tables "
                                         "where table_schema = current_schema()"),
                    QStringLiteral("n"), &c);
}

} // namespace

TEST_P(DbTest, OnlyAnEmptyDatabaseOrOursIsOpened) {
    using Setup = std::function<void(Connection & raw, const ConnectionParams& p)>;
    const Setup nothing = [](Connection&, const ConnectionParams&) {};
    auto tables = [](std::vector<const char*> sql) -> Setup {
        return [sql](Connection& raw, const ConnectionParams&) {
            for (const char* s : sql)
                raw.execNative(QLatin1String(s));
        };
    };
    auto oursAt = [](int version) -> Setup {
        return [version](Connection& raw, const ConnectionParams& p) {
            ConnectionParams create = p;
            create.schemaUse = SchemaUse::Create;
            Connection{create};
            raw.execNative(QStringLiteral("update wersja_bazy set wersja = %1").arg(version));
        };
    };
    const QString untouched = QStringLiteral("; nothing was written to it");
    const int v = db::kSchemaVersion;
    struct Case {
        const char* name;
        Setup setup;
        SchemaUse use;
        QString refusal; // empty: opened
    };
    const Case cases[] = {
        {"empty, created", nothing, SchemaUse::Create, {}},
        {"empty, required", nothing, SchemaUse::Require,
         QStringLiteral("it holds no tacho schema (an empty database)")},
        {"foreign tables",
         tables({"create table klienci (id integer)", "create table zamowienia (id integer)"}),
         SchemaUse::Create,
         QStringLiteral("it is not a tacho database: it holds other tables (klienci, zamowienia) "
                        "and no schema version") +
             untouched},
        {"no version row", tables({"create table wersja_bazy (wersja integer)"}), SchemaUse::Create,
         QStringLiteral("it is not a complete tacho database: the table wersja_bazy holds no "
                        "schema version") +
             untouched},
        {"newer version", oursAt(v + 1), SchemaUse::Require,
         QStringLiteral("its schema version %1 is newer than this program's (%2); use a newer "
                        "version of the program")
             .arg(v + 1)
             .arg(v)},
        {"older version", oursAt(v - 1), SchemaUse::Create,
         QStringLiteral("its schema version %1 is older than this program's (%2) and cannot be "
                        "upgraded")
             .arg(v - 1)
             .arg(v)},
        {"ours, required", oursAt(v), SchemaUse::Require, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConnectionParams p = freshParams();
        QTemporaryDir dir;
        if (!pg()) p.database = dir.filePath(QStringLiteral("tacho.sqlite"));
        p.schemaUse = SchemaUse::Ignore;
        Connection raw(p);
        if (pg()) raw.execNative(QStringLiteral("create schema \"%1\"").arg(p.schema));
        c.setup(raw, p);
        const int before = objectCount(raw);
        p.schemaUse = c.use;
        try {
            Connection opened(p);
            EXPECT_TRUE(c.refusal.isEmpty()) << "opened";
            EXPECT_EQ(db::inspectSchema(opened).version, v);
        } catch (const DbError& e) {
            EXPECT_EQ(e.message,
                      QStringLiteral("Cannot open %1: %2").arg(raw.describe(), c.refusal));
        }
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(objectCount(raw), before);
        }
    }

    if (pg()) return;
    // A missing file is created only where the schema may be created.
    QTemporaryDir dir;
    ConnectionParams p;
    p.database = dir.filePath(QStringLiteral("brak.sqlite"));
    p.schemaUse = SchemaUse::Require;
    try {
        Connection c(p);
        FAIL() << "a missing file was opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message,
                  QStringLiteral("Cannot open SQLite database %1: the file does not exist")
                      .arg(p.database));
    }
    EXPECT_FALSE(QFile::exists(p.database));
}

INSTANTIATE_TEST_SUITE_P(, DbTest, ::testing::Values(backendUnderTest()), backendName);
