// The chart module's statements against the demo fleet on each backend: the fleet and
// dictionary lookups through their own functions, the rest as the module sends them. Where the
// module's statement was written for SQL Server (top N, isnull, a declare batch, dateadd, a
// positional insert, delete without from), the portable statement here is the one it uses:
// limit N, coalesce, one statement with bound values, the date arithmetic done before binding,
// the column list written out, delete from.

#include "DbFixture.h"

#include "host/Flota.h"
#include "host/KatyCzas.h"
#include "host/Sesja.h"
#include "host/Slowniki.h"
#include "host/db/DemoData.h"

using namespace host;
using namespace tacho_test;

namespace {

using Params = std::initializer_list<std::pair<const char*, QVariant>>;

QVariant day(int y, int m, int d, int h = 0, int mi = 0) {
    return QVariant::fromValue(TDateTime::encode(y, m, d, h, mi));
}

class ModuleSql : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(db::FillDemoData(db()));
    }
    Query open(const QString& sql, Params params = {}) {
        Query q(sql, db());
        for (const auto& [name, value] : params)
            q.setParam(QLatin1String(name), value);
        q.open();
        return q;
    }
    int rows(const QString& sql, Params params = {}) { return open(sql, params).RecordCount(); }
    void run(const QString& sql, Params params) {
        Query q(sql, db());
        for (const auto& [name, value] : params)
            q.setParam(QLatin1String(name), value);
        q.exec();
    }
};

} // namespace

TEST_P(ModuleSql, DriversAndDictionaries) {
    // Employed on the chart's day and visible to the user: the driver who left in 2023 is not.
    auto on = [](int y, int u) {
        Query q = KierowcyZatrudnieni(QDate(y, 3, 5), u);
        q.open();
        return q;
    };
    EXPECT_EQ(on(2024, 1).RecordCount(), 5);
    EXPECT_EQ(on(2023, 1).RecordCount(), 6);
    EXPECT_EQ(on(2024, 2).RecordCount(), 3);
    EXPECT_EQ(on(2024, 1).asString(QStringLiteral("nazwisko_imie")),
              QStringLiteral("Kamiński Adam"));

    Query en = StatusyTarczy(2);
    en.open();
    EXPECT_EQ(en.asString(QStringLiteral("wartosc")), QStringLiteral("Abroad"));
    // A language without translations falls back to the dictionary's own texts.
    Query inny = StatusyTarczy(3);
    inny.open();
    EXPECT_EQ(inny.RecordCount(), 4);
}

TEST_P(ModuleSql, OpenChartRows) {
    const QString dll = QStringLiteral("lista_tacho.dll");
    const int a = addChart(1, TDateTime::encode(2024, 3, 5));
    EXPECT_FALSE(JestWierszSesji(dll, a, 1));
    ZapiszWierszSesji(dll, a, 1);
    ZapiszWierszSesji(dll, a, 1);
    ZapiszWierszSesji(dll, 0, 1); // not stored yet: nothing to tell others
    EXPECT_EQ(rows(QStringLiteral("select id_sesji from sesja")), 1);
    EXPECT_TRUE(JestWierszSesji(dll, a, 1));
    EXPECT_FALSE(JestWierszSesji(dll, a, 2));
    UsunWierszSesji(dll, a, 1);
    EXPECT_FALSE(JestWierszSesji(dll, a, 1));
}

TEST_P(ModuleSql, InfringementsAndEnteredPeriods) {
    // Approved infringements of a day: a missing act reads as 2 (coalesce for isnull).
    exec(QStringLiteral("insert into naruszenia (id_k, data, data_do, typ, ustawa, zatwierdzone) "
                        "values (1, '2024-03-05 20:00:00.000', null, 4, null, 1)"));
    Query inf = open(QStringLiteral("select coalesce(ustawa, 2) as ustawa, data, data_do, "
                                    "skroc_wydluz, typ from naruszenia where zatwierdzone = 1 and "
                                    "id_k=:id_k and data >= :data and data < :data_do and (typ = 1 "
                                    "or typ = 4 or typ = 0) order by data"),
                     {{"id_k", 1}, {"data", day(2024, 3, 5)}, {"data_do", day(2024, 3, 6)}});
    ASSERT_EQ(inf.RecordCount(), 2);
    EXPECT_EQ(inf.asInteger(QStringLiteral("typ")), 0);
    EXPECT_EQ(inf.asInteger(QStringLiteral("ustawa")), 2);
    inf.Next();
    EXPECT_EQ(inf.asInteger(QStringLiteral("typ")), 4);
    EXPECT_EQ(inf.asInteger(QStringLiteral("ustawa")), 2);
    EXPECT_TRUE(inf.isNull(QStringLiteral("data_do")));

    const int chart = addChart(1, TDateTime::encode(2024, 3, 5));
    // A period as entered before the event conversion: the declare / sp_executesql batch is
    // one insert with bound values, gbox and km_wer null.
    run(QStringLiteral(
            "insert into poz_zdarz_org (id_t, czas_od, czas_do, km, czy_praca, kat_trw, podjazd, "
            "pz_zespol, out, slot, gbox, czy_przerwa, km_wer) values (:id_t, :czas_od, :czas_do, "
            ":km, :czy_praca, :kat_trw, :podjazd, :pz_zespol, :out, :slot, NULL, :czy_przerwa, "
            "NULL)"),
        {{"id_t", chart},
         {"czas_od", day(2024, 3, 5, 6, 0)},
         {"czas_do", day(2024, 3, 5, 7, 30)},
         {"km", 82.5},
         {"czy_praca", 3},
         {"kat_trw", 22.5},
         {"podjazd", 0},
         {"pz_zespol", 11},
         {"out", 1},
         {"slot", 0},
         {"czy_przerwa", 0}});
    Query org =
        open(QStringLiteral("select * from poz_zdarz_org where id_t = :id_t"), {{"id_t", chart}});
    ASSERT_EQ(org.RecordCount(), 1);
    EXPECT_EQ(org.asDateTime(QStringLiteral("czas_do")), TDateTime::encode(2024, 3, 5, 7, 30));
    EXPECT_DOUBLE_EQ(org.asFloat(QStringLiteral("km")), 82.5);
    EXPECT_EQ(org.asInteger(QStringLiteral("pz_zespol")), 11);
    EXPECT_EQ(org.asInteger(QStringLiteral("out")), 1);
    EXPECT_TRUE(org.isNull(QStringLiteral("gbox")));
    EXPECT_TRUE(org.isNull(QStringLiteral("km_wer")));
}

INSTANTIATE_TEST_SUITE_P(, ModuleSql, ::testing::Values(backendUnderTest()), backendName);
