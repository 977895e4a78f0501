// The host's stored procedures on each backend: written, read back the way the module reads.

#include "DbFixture.h"

#include "host/KatyCzas.h"
#include "host/db/StoredProc.h"

using namespace host;
using namespace tacho_test;

namespace {

using Params = std::initializer_list<std::pair<const char*, QVariant>>;

const TDateTime kDay = TDateTime::encode(2024, 3, 5);

TDateTime czas(int h, int mi, int dayOffset = 0) {
    return TDateTime(kDay + dayOffset + (h * 60 + mi) / 1440.0);
}
QVariant at(int h, int mi, int dayOffset = 0) {
    return QVariant::fromValue(czas(h, mi, dayOffset));
}

class Procs : public DbTest {
protected:
    StoredProc call(const char* name, Params params) {
        StoredProc p(QLatin1String(name), db());
        for (const auto& [n, v] : params)
            p.setParam(QLatin1String(n), v);
        ExecProc(p);
        return p;
    }
};

} // namespace

TEST_P(Procs, PZapTachoStoresANewChartAndChangesIt) {
    StoredProc p = call("PZapTacho", {{"@idt", 0},
                                      {"@data", QVariant::fromValue(kDay)},
                                      {"@idk", 1},
                                      {"@ids", 2},
                                      {"@id_konwojenta", 0},
                                      {"@kat24", 181.25},
                                      {"@kat_zak", QVariant()},
                                      {"@brak_wr", true},
                                      {"@zdarz_podsum", QStringLiteral("04:30,01:15")},
                                      {"@id_u", 1}});
    const int id = p.param(QStringLiteral("@id_t")).toInt();
    ASSERT_GT(id, 0);
    EXPECT_EQ(p.ReturnValue(), 0);
    EXPECT_EQ(p.param(QStringLiteral("@RETURN_VALUE")).toInt(), 0);

    Query t(QStringLiteral("select t.*, a.kat24, a.kat_zak from tacho t join "
                           "tacho_analog a on a.id_t = t.id_t where t.id_t = :id"),
            db());
    t.setParam(QStringLiteral("id"), id);
    t.open();
    EXPECT_EQ(t.asInteger(QStringLiteral("id_s")), 2);
    EXPECT_TRUE(t.isNull(QStringLiteral("id_konwojenta"))); // "none chosen" is stored as null
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("kat24")), 181.25);
    EXPECT_TRUE(t.isNull(QStringLiteral("kat_zak")));
    EXPECT_EQ(t.asInteger(QStringLiteral("brak_wr")), 1);
    EXPECT_EQ(t.asInteger(QStringLiteral("cyfrowy")), 0); // not null: "cyfrowy <> 2" must see it

    // Edited: same key, new values; an empty period summary keeps the stored one.
    StoredProc e = call("PZapTacho", {{"@idt", id},
                                      {"@data", QVariant::fromValue(TDateTime(kDay + 1))},
                                      {"@idk", 3},
                                      {"@kat_zak", 170.5},
                                      {"@zdarz_podsum", QString()},
                                      {"@id_u", 2}});
    EXPECT_EQ(e.param(QStringLiteral("@id_t")).toInt(), id);
    t.open();
    EXPECT_DOUBLE_EQ(t.asDateTime(QStringLiteral("data")), kDay + 1);
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("kat_zak")), 170.5);
    EXPECT_EQ(t.asString(QStringLiteral("zdarz_podsum")), QStringLiteral("04:30,01:15"));
    EXPECT_EQ(t.asInteger(QStringLiteral("id_u_mod")), 2);

    // A chart deleted meanwhile is not stored again.
    exec(QStringLiteral("delete from tacho where id_t = %1").arg(id));
    StoredProc gone = call("PZapTacho", {{"@idt", id}, {"@data", QVariant::fromValue(kDay)}});
    EXPECT_EQ(gone.ReturnValue(), 101);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho_analog")), 0);
    EXPECT_THROW(call("PZapTacho", {{"@idt", 0}}), DbError); // no date
}

TEST_P(Procs, PeriodsAndTheirPointsReadBack) {
    const int chart = addChart(1, kDay);
    const int k1 = addPeriod(chart, czas(6, 15), czas(10, 45), 2, 361);
    // A date-time given as a plain number of days is taken as one.
    StoredProc p2 = call("PZapPozZdarz", {{"@id_t", chart},
                                          {"@czas_od", czas(23, 0).value},
                                          {"@czas_do", at(1, 0, 1)},
                                          {"@czy_praca", 0},
                                          {"@id_tpz", QVariant()}});
    const int k2 = p2.param(QStringLiteral("@id_tpz")).toInt();
    ASSERT_GT(k1, 0);
    ASSERT_GT(k2, k1);
    exec(QStringLiteral("insert into punkty_zdarz(kat,nr_paska,promien,id_tpz) "
                        "values(200.123456789012, 2, 302, %1)")
             .arg(k1));
    Query load(QStringLiteral("select p.km, p.czas_do, p.czas_od, p.id_tpz, pz.kat from poz_zdarz "
                              "p left join punkty_zdarz pz on pz.id_tpz = p.id_tpz where "
                              "id_t= :id_t  order by p.id_tpz"),
               db());
    load.setParam(QStringLiteral("id_t"), chart);
    load.open();
    ASSERT_EQ(load.RecordCount(), 2);
    EXPECT_NEAR(load.asFloat(QStringLiteral("czas_od")), czas(6, 15), 1e-8);
    EXPECT_EQ(load.asInteger(QStringLiteral("km")), 361);
    EXPECT_EQ(round_str(load.asFloat(QStringLiteral("kat")), 12), 200.123456789012);
    load.Next();
    EXPECT_TRUE(load.isNull(QStringLiteral("kat")));
    EXPECT_NEAR(load.asFloat(QStringLiteral("czas_do")), czas(1, 0, 1), 1e-8);

    // Rewriting the periods takes their points with them.
    exec(QStringLiteral("delete from poz_zdarz where id_t = %1").arg(chart));
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from punkty_zdarz")), 0);
    EXPECT_THROW(call("PZapPozZdarz", {{"@id_t", chart}, {"@czas_od", at(1, 0)}}), DbError);
}

TEST_P(Procs, AFailingProcedureLeavesTheCallersTransactionUsable) {
    db().BeginTrans();
    const int chart = addChart(1, kDay);
    addPeriod(chart, czas(0, 0), czas(6, 0), 0);
    // No such chart: the procedure fails, its own writes vanish, the caller's stay.
    EXPECT_THROW(addPeriod(chart + 100, czas(6, 0), czas(7, 0), 2), DbError);
    EXPECT_TRUE(db().InTransaction());
    addPeriod(chart, czas(6, 0), czas(7, 0), 1);
    db().CommitTrans();
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from poz_zdarz")), 2);

    // A rollback by the caller takes the speed records written in its transaction too.
    db().BeginTrans();
    const int period = addPeriod(addChart(2, kDay), czas(8, 0), czas(9, 0), 2, 80);
    SPEED_ZapiszPozZdarz(period, 2, czas(8, 0), czas(9, 0), 2, 0, db());
    db().RollbackTrans();
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 0);
}

TEST_P(Procs, SpecialPointsAndErrorTexts) {
    exec(QStringLiteral("insert into miasto (miasto) values ('Świecko')"));
    const int chart = addChart(1, kDay);
    StoredProc sp = call("PZapPktSpec", {{"@id_t", chart},
                                         {"@data", at(2, 0, 1)},
                                         {"@tonaz", 12.5},
                                         {"@kod_ladunku", QVariant()},
                                         {"@typ", 1},
                                         {"@id_adr", 0},
                                         {"@id", QVariant()}});
    EXPECT_GT(sp.param(QStringLiteral("@id")).toInt(), 0);
    Query q(QStringLiteral("select * from punkty_specjalne where id_t = %1").arg(chart), db());
    q.open();
    EXPECT_TRUE(q.isNull(QStringLiteral("id_adr"))); // no place
    EXPECT_TRUE(q.isNull(QStringLiteral("kod_ladunku")));
    EXPECT_DOUBLE_EQ(q.asFloat(QStringLiteral("tonaz")), 12.5);
    EXPECT_EQ(
        call("PZapPktSpec", {{"@id_t", chart}, {"@data", at(3, 0)}, {"@id", 9999}}).ReturnValue(),
        101);

    Query o(QStringLiteral("select opis_bledow, uwagi from tacho_opisy where id_t = %1").arg(chart),
            db());
    call("PZapTachoOpisy",
         {{"@id_t", chart}, {"@opis_bledow", QStringLiteral("Brak wpisu")}, {"@uwagi", QString()}});
    o.open();
    EXPECT_EQ(o.asString(QStringLiteral("opis_bledow")), QStringLiteral("Brak wpisu"));
    EXPECT_TRUE(o.isNull(QStringLiteral("uwagi")));
    // All texts empty: the row goes.
    call("PZapTachoOpisy", {{"@id_t", chart}, {"@opis_bledow", QVariant()}});
    o.open();
    EXPECT_TRUE(o.Eof());
}

TEST_P(Procs, DocumentsRegisteredAndRemoved) {
    const int chart = addChart(1, kDay);
    auto add = [&](const QVariant& tabela, const QVariant& record, const QString& path) {
        return call("PZapDokPlik", {{"@sciezka", path},
                                    {"@tabela", tabela},
                                    {"@id_", record},
                                    {"@id_u", 1},
                                    {"@id", QVariant()}});
    };
    StoredProc ok = add(QStringLiteral("20"), chart, QStringLiteral("/dok/skan.jpg"));
    EXPECT_EQ(ok.ReturnValue(), 0);
    const int doc = ok.param(QStringLiteral("@id")).toInt();
    EXPECT_GT(doc, 0);
    EXPECT_EQ(add(QStringLiteral("tacho"), chart, QStringLiteral("/b.pdf")).ReturnValue(), 0);
    EXPECT_EQ(add(QStringLiteral("20"), chart + 50, QStringLiteral("/c.pdf")).ReturnValue(), 101);
    EXPECT_EQ(add(QStringLiteral("77"), chart, QStringLiteral("/d.pdf")).ReturnValue(), 102);
    EXPECT_EQ(add(QStringLiteral("20"), chart, QString()).ReturnValue(), 1);

    auto remove = [&](const char* table, const char* key, int id, int force) {
        return call("PUsunW", {{"@tabela", QLatin1String(table)},
                               {"@nazwa_id", QLatin1String(key)},
                               {"@id_u", 1},
                               {"@czy_wymuszenie", force},
                               {"@id", id}})
            .ReturnValue();
    };
    EXPECT_EQ(remove("dokument_plik", "id_dp", doc, 0), 0);
    EXPECT_EQ(remove("dokument_plik", "id_dp", doc, 0), 101);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from dokument_plik")), 1);
    // A driver with charts stays unless forced.
    exec(QStringLiteral("insert into kierowca (id_k, nazwisko) values (1, 'Kowalski')"));
    EXPECT_EQ(remove("kierowca", "id_k", 1, 0), 103);
    EXPECT_EQ(remove("kierowca", "id_k", 1, 1), 0);
    EXPECT_THROW(remove("tacho; drop table tacho", "id_t", 1, 1), DbError);
}

TEST_P(Procs, ImportLinksOneRowPerColumn) {
    auto link = [&](const char* column, const QString& value) {
        return call("PZapImportPowiazania", {{"@id", QVariant()},
                                             {"@tabela", QStringLiteral("tacho")},
                                             {"@nazwa_id", QStringLiteral("id_t")},
                                             {"@id_", 5},
                                             {"@nazwa_kol", QLatin1String(column)},
                                             {"@wartosc_import", value},
                                             {"@import", QStringLiteral("DDD")},
                                             {"@czy_import", 1}})
            .param(QStringLiteral("@id"))
            .toInt();
    };
    const int a = link("km_pocz", QStringLiteral("1200"));
    EXPECT_EQ(link("km_pocz", QStringLiteral("1250")), a);
    EXPECT_NE(link("km_kon", QStringLiteral("1560")), a);
    EXPECT_EQ(
        GetStringDB(
            QStringLiteral("select wartosc_import from import_powiazania where id = %1").arg(a),
            QStringLiteral("wartosc_import")),
        QStringLiteral("1250"));
}

TEST_P(Procs, SpeedRecordsFollowTheSavedPeriods) {
    const int chart = addChart(1, kDay);
    const int p1 = addPeriod(chart, czas(6, 0), czas(10, 0), 2, 300);
    const int p2 = addPeriod(chart, czas(10, 0), czas(11, 0), 0);
    SPEED_ZapiszPozZdarz(p1, 1, czas(6, 0), czas(10, 0), 2, 0);
    SPEED_ZapiszPozZdarz(p2, 1, czas(10, 0), czas(11, 0), 0, 0);
    SPEED_ZapiszPozZdarz(p2, 1, czas(10, 0), czas(11, 30), 0, 0); // replaces
    Query q(QStringLiteral("select czas_do from speed_poz_zdarz where id_tpz = %1").arg(p2), db());
    q.open();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(q.asDateTime(QStringLiteral("czas_do")), czas(11, 30).value);
    SPEED_ZmienKierPozZdarz(chart, 1, 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz where id_k = 4")), 2);
    SPEED_UsunPozZdarz(chart, 1); // the old driver has nothing left
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 2);
    SPEED_UsunPozZdarz(chart, 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 0);
    EXPECT_THROW(SPEED_ZapiszPozZdarz(p2 + 100, 1, kDay, kDay + 0.1, 0, 0), DbError);
}

TEST_P(Procs, ProcedureNames) {
    try {
        call("PZapNieIstnieje", {});
        FAIL() << "ran";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message.contains(QLatin1String("PZapNieIstnieje")));
    }
    StoredProc qualified(QStringLiteral("[dbo].[PZapTachoOpisy];1"), db()); // ADO's spelling
    qualified.setParam(QStringLiteral("@id_t"), addChart(1, kDay));
    EXPECT_NO_THROW(ExecProc(qualified));
}

INSTANTIATE_TEST_SUITE_P(, Procs, ::testing::Values(backendUnderTest()), backendName);
