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
    int value(const QString& sql, const char* column) {
        return GetIntDB(sql, QLatin1String(column), &db());
    }
};

} // namespace

TEST_P(Procs, PZapTachoStoresANewChartAndChangesIt) {
    StoredProc p =
        call("PZapTacho", {{"@idt", 0},
                           {"@data", QVariant::fromValue(kDay)},
                           {"@idk", 1},
                           {"@ids", 2},
                           {"@id_konwojenta", 0},
                           {"@id_konwojenta2", QVariant()},
                           {"@km_pocz", 1200},
                           {"@km_kon", 1560},
                           {"@kat24", 181.25},
                           {"@kat_rozp", 200.5},
                           {"@x0", 501},
                           {"@y0", 499},
                           {"@pocz_sr_godz", 362},
                           {"@czy_szczeg", 1},
                           {"@kat_zak", QVariant()},
                           {"@niekompletne", 6},
                           {"@brak_wr", true},
                           {"@adnotacje", QStringLiteral("Prom")},
                           {"@zdarz_podsum", QStringLiteral("04:30,01:15,00:45,00:00,212")},
                           {"@id_u", 1}});
    const int id = p.param(QStringLiteral("@id_t")).toInt();
    ASSERT_GT(id, 0);
    EXPECT_EQ(p.ReturnValue(), 0);
    EXPECT_EQ(p.param(QStringLiteral("@RETURN_VALUE")).toInt(), 0);

    Query t(QStringLiteral("select t.*, a.kat24, a.x0, a.kat_zak, a.czy_szczeg from tacho t join "
                           "tacho_analog a on a.id_t = t.id_t where t.id_t = :id"),
            db());
    t.setParam(QStringLiteral("id"), id);
    t.open();
    EXPECT_DOUBLE_EQ(t.asDateTime(QStringLiteral("data")), kDay.value);
    EXPECT_EQ(t.asInteger(QStringLiteral("id_s")), 2);
    EXPECT_TRUE(t.isNull(QStringLiteral("id_konwojenta"))); // "none chosen" is stored as null
    EXPECT_EQ(t.asInteger(QStringLiteral("km_kon")), 1560);
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("kat24")), 181.25);
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("kat_rozp")), 200.5);
    EXPECT_TRUE(t.isNull(QStringLiteral("kat_zak")));
    EXPECT_EQ(t.asInteger(QStringLiteral("brak_wr")), 1);
    EXPECT_EQ(t.asInteger(QStringLiteral("niekompletne")), 6);
    EXPECT_EQ(t.asInteger(QStringLiteral("cyfrowy")),
              0); // not null: "cyfrowy <> 2" must see the chart
    EXPECT_EQ(t.asInteger(QStringLiteral("id_u_dod")), 1);

    // Edited: same key, new values; an empty period summary keeps the stored one.
    StoredProc e = call("PZapTacho", {{"@idt", id},
                                      {"@data", QVariant::fromValue(TDateTime(kDay + 1))},
                                      {"@idk", 3},
                                      {"@kat24", 90.0},
                                      {"@kat_zak", 170.5},
                                      {"@zdarz_podsum", QString()},
                                      {"@id_u", 2}});
    EXPECT_EQ(e.param(QStringLiteral("@id_t")).toInt(), id);
    t.open();
    EXPECT_DOUBLE_EQ(t.asDateTime(QStringLiteral("data")), kDay + 1);
    EXPECT_EQ(t.asInteger(QStringLiteral("id_k")), 3);
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("kat_zak")), 170.5);
    EXPECT_EQ(t.asString(QStringLiteral("zdarz_podsum")),
              QStringLiteral("04:30,01:15,00:45,00:00,212"));
    EXPECT_EQ(t.asInteger(QStringLiteral("id_u_mod")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho")), 1);

    // A chart deleted meanwhile is not stored again.
    exec(QStringLiteral("delete from tacho where id_t = %1").arg(id));
    StoredProc gone = call("PZapTacho", {{"@idt", id}, {"@data", QVariant::fromValue(kDay)}});
    EXPECT_EQ(gone.ReturnValue(), 101);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho_analog")), 0);
    EXPECT_THROW(call("PZapTacho", {{"@idt", 0}}), DbError); // no date
}

TEST_P(Procs, PeriodsAndTheirPointsReadBackAsTheListLoadsThem) {
    const int chart = addChart(1, kDay);
    StoredProc p1 = call("PZapPozZdarz", {{"@id_t", chart},
                                          {"@slot", 0},
                                          {"@czas_od", at(6, 15)},
                                          {"@czas_do", at(10, 45)},
                                          {"@kat_trw", 67.5},
                                          {"@km", 361.0},
                                          {"@czy_praca", 2},
                                          {"@podjazd", 0},
                                          {"@out", 1},
                                          {"@czy_przerwa", 0},
                                          {"@pz_zespol", 11},
                                          {"@km_wer", QVariant()},
                                          {"@id_tpz", QVariant()},
                                          {"@gbox", QVariant()}});
    // A date-time given as a plain number of days is taken as one.
    StoredProc p2 = call("PZapPozZdarz", {{"@id_t", chart},
                                          {"@czas_od", czas(23, 0).value},
                                          {"@czas_do", at(1, 0, 1)},
                                          {"@czy_praca", 0},
                                          {"@id_tpz", QVariant()}});
    const int k1 = p1.param(QStringLiteral("@id_tpz")).toInt(),
              k2 = p2.param(QStringLiteral("@id_tpz")).toInt();
    ASSERT_GT(k1, 0);
    ASSERT_GT(k2, k1);
    for (auto [kat, pasek] : {std::pair{200.123456789012, 2}, {201.5, 3}}) {
        Query q(QStringLiteral("insert into punkty_zdarz(kat,nr_paska,promien,id_tpz) "
                               "values(:kat,:nr_paska,:promien,:id_tpz)"),
                db());
        q.setParam(QStringLiteral("kat"), kat);
        q.setParam(QStringLiteral("nr_paska"), pasek);
        q.setParam(QStringLiteral("promien"), 300 + pasek);
        q.setParam(QStringLiteral("id_tpz"), k1);
        q.exec();
    }

    Query load(QStringLiteral("select p.pz_zespol, p.out, p.podjazd, p.km, p.czy_praca, p.czas_do, "
                              "p.czas_od, p.id_tpz, pz.kat, "
                              "pz.nr_paska, pz.promien from poz_zdarz p left join punkty_zdarz pz "
                              "on pz.id_tpz = p.id_tpz where "
                              "id_t= :id_t  order by p.id_tpz"),
               db());
    load.setParam(QStringLiteral("id_t"), chart);
    load.open();
    ASSERT_EQ(load.RecordCount(), 3);
    EXPECT_EQ(load.asInteger(QStringLiteral("id_tpz")), k1);
    EXPECT_NEAR(load.asFloat(QStringLiteral("czas_od")), czas(6, 15), 1e-8);
    EXPECT_EQ(load.asInteger(QStringLiteral("km")), 361);
    EXPECT_EQ(load.asInteger(QStringLiteral("out")), 1);
    EXPECT_EQ(load.asInteger(QStringLiteral("pz_zespol")), 11);
    EXPECT_EQ(round_str(load.asFloat(QStringLiteral("kat")), 12), 200.123456789012);
    load.Next();
    load.Next();
    EXPECT_EQ(load.asInteger(QStringLiteral("id_tpz")), k2);
    EXPECT_TRUE(load.isNull(QStringLiteral("kat")));
    EXPECT_NEAR(load.asFloat(QStringLiteral("czas_do")), czas(1, 0, 1), 1e-8);

    // Rewriting the periods takes their points with them.
    Query del(QStringLiteral("delete from poz_zdarz where id_t=:id_t"), db());
    del.setParam(QStringLiteral("id_t"), chart);
    del.exec();
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from punkty_zdarz")), 0);
    EXPECT_THROW(call("PZapPozZdarz", {{"@id_t", chart}, {"@czas_od", at(1, 0)}}),
                 DbError); // no end, no code
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

    // A failure the caller answers with a rollback takes every write of the save with it.
    db().BeginTrans();
    const int second = addChart(2, kDay);
    const int period = addPeriod(second, czas(8, 0), czas(9, 0), 2, 80);
    SPEED_ZapiszPozZdarz(period, 2, czas(8, 0), czas(9, 0), 2, 0, db());
    call("PZapPktSpec", {{"@id_t", second}, {"@data", at(8, 30)}, {"@typ", 1}});
    db().RollbackTrans();
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from tacho")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from poz_zdarz")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from punkty_specjalne")), 0);
}

TEST_P(Procs, SpecialPointsWithAndWithoutLoadAndPlace) {
    exec(QStringLiteral("insert into miasto (miasto, kod_pocz) values ('Świecko', '69-100')"));
    const int city = value(QStringLiteral("select id_m from miasto"), "id_m");
    const int chart = addChart(1, kDay);
    call("PZapPktSpec", {{"@id_t", chart},
                         {"@data", at(9, 10)},
                         {"@stan_licznika", 125400},
                         {"@tonaz", QVariant()},
                         {"@kod_ladunku", QVariant()},
                         {"@typ", 0},
                         {"@id_adr", city},
                         {"@id", QVariant()}});
    StoredProc load = call("PZapPktSpec", {{"@id_t", chart},
                                           {"@data", at(2, 0, 1)},
                                           {"@stan_licznika", 125900},
                                           {"@tonaz", 12.5},
                                           {"@kod_ladunku", QStringLiteral("ADR-3")},
                                           {"@typ", 1},
                                           {"@id_adr", 0},
                                           {"@id", QVariant()}});
    EXPECT_GT(load.param(QStringLiteral("@id")).toInt(), 0);

    Query q(QStringLiteral("select p.*, miasto from punkty_specjalne p left join miasto m on "
                           "p.id_adr = m.id_m where id_t=:id_t order by data"),
            db());
    q.setParam(QStringLiteral("id_t"), chart);
    q.open();
    ASSERT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.asString(QStringLiteral("miasto")), QStringLiteral("Świecko"));
    EXPECT_TRUE(q.isNull(QStringLiteral("tonaz")));
    EXPECT_TRUE(q.isNull(QStringLiteral("kod_ladunku")));
    q.Next();
    EXPECT_TRUE(q.isNull(QStringLiteral("id_adr"))); // no place
    EXPECT_DOUBLE_EQ(q.asFloat(QStringLiteral("tonaz")), 12.5);
    EXPECT_DOUBLE_EQ(q.asDateTime(QStringLiteral("data")), czas(2, 0, 1).value);
    EXPECT_EQ(
        call("PZapPktSpec", {{"@id_t", chart}, {"@data", at(3, 0)}, {"@id", 9999}}).ReturnValue(),
        101);
}

TEST_P(Procs, ChartErrorTexts) {
    const int chart = addChart(1, kDay);
    const QString sql =
        QStringLiteral("select opis_bledow, opis_kier, uwagi from tacho_opisy where id_t = %1")
            .arg(chart);
    call("PZapTachoOpisy", {{"@id_t", chart},
                            {"@opis_bledow", QStringLiteral("Brak wpisu")},
                            {"@opis_kier", QVariant()},
                            {"@uwagi", QString()}});
    Query q(sql, db());
    q.open();
    EXPECT_EQ(q.asString(QStringLiteral("opis_bledow")), QStringLiteral("Brak wpisu"));
    EXPECT_TRUE(q.isNull(QStringLiteral("uwagi")));
    call("PZapTachoOpisy", {{"@id_t", chart},
                            {"@opis_bledow", QVariant()},
                            {"@opis_kier", QStringLiteral("Pouczony")}});
    q.open();
    EXPECT_TRUE(q.isNull(QStringLiteral("opis_bledow")));
    EXPECT_EQ(q.asString(QStringLiteral("opis_kier")), QStringLiteral("Pouczony"));
    call("PZapTachoOpisy", {{"@id_t", chart},
                            {"@opis_bledow", QVariant()},
                            {"@opis_kier", QVariant()},
                            {"@uwagi", QVariant()}});
    q.open();
    EXPECT_TRUE(q.Eof());
}

TEST_P(Procs, DocumentsRegisteredAndRemoved) {
    const int chart = addChart(1, kDay);
    auto add = [&](const QVariant& tabela, const QVariant& record, const QString& path) {
        return call("PZapDokPlik", {{"@sciezka", path},
                                    {"@podkatalog", QVariant()},
                                    {"@tabela", tabela},
                                    {"@id_", record},
                                    {"@id_u", 1},
                                    {"@id", QVariant()}});
    };
    StoredProc ok = add(QStringLiteral("20"), chart, QStringLiteral("/dok/skan.jpg"));
    EXPECT_EQ(ok.ReturnValue(), 0);
    const int doc = ok.param(QStringLiteral("@id")).toInt();
    EXPECT_GT(doc, 0);
    EXPECT_EQ(add(QStringLiteral("tacho"), chart, QStringLiteral("/dok/b.pdf")).ReturnValue(),
              0); // by its name
    EXPECT_EQ(add(QStringLiteral("20"), chart + 50, QStringLiteral("/dok/c.pdf")).ReturnValue(),
              101);
    EXPECT_EQ(add(QStringLiteral("77"), chart, QStringLiteral("/dok/d.pdf")).ReturnValue(), 102);
    EXPECT_EQ(add(QStringLiteral("20"), chart, QString()).ReturnValue(), 1);
    EXPECT_EQ(count(QStringLiteral(
                        "select count(*) as n from VListaDokPlik where tabela = 20 and id_ = %1")
                        .arg(chart)),
              2);

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
                                             {"@kol_", QVariant()},
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
    EXPECT_EQ(count(QStringLiteral(
                        "select count(*) as n from speed_poz_zdarz where id_k = 1 and id_t = %1")
                        .arg(chart)),
              2);
    Query q(QStringLiteral("select czas_do from speed_poz_zdarz where id_tpz = %1").arg(p2), db());
    q.open();
    EXPECT_DOUBLE_EQ(q.asDateTime(QStringLiteral("czas_do")), czas(11, 30).value);

    SPEED_ZmienKierPozZdarz(chart, 1, 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz where id_k = 4")), 2);
    SPEED_UsunPozZdarz(chart, 1); // the old driver has nothing left
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 2);
    SPEED_UsunPozZdarz(chart, 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from speed_poz_zdarz")), 0);
    EXPECT_THROW(SPEED_ZapiszPozZdarz(p2 + 100, 1, kDay, kDay + 0.1, 0, 0), DbError);
}

TEST_P(Procs, PeriodsAsEnteredThroughTheExecuteSqlBatch) {
    const int chart = addChart(1, kDay);
    const QString batch = QStringLiteral("declare @id_t int, @czas_od datetime, @czas_do datetime, "
                                         "@km float, @czy_praca tinyint, @kat_trw float, "
                                         "@podjazd tinyint, @pz_zespol tinyint, @out tinyint, "
                                         "@slot tinyint, @czy_przerwa tinyint, @km_wer tinyint  "
                                         "set @id_t = %1 set @czas_od =  %2 set @czas_do = %3 set "
                                         "@km =         %4 set @czy_praca = 2 set @kat_trw  "
                                         "= 60 set @podjazd = 1 set @pz_zespol = 11 set @out = 0 "
                                         "set @slot = 0 set @czy_przerwa = 0 exec "
                                         "sp_executesql N' INSERT INTO [dbo].[poz_zdarz_org] "
                                         "([id_t] ,[czas_od] ,[czas_do] ,[km] ,[czy_praca] "
                                         ",[kat_trw] ,[podjazd] ,[pz_zespol] ,[out] ,[slot] "
                                         ",[gbox] ,[czy_przerwa] ,[km_wer]) VALUES (@id_t, "
                                         "@czas_od, @czas_do, @km, @czy_praca, @kat_trw, @podjazd, "
                                         "@pz_zespol, @out, @slot, NULL, @czy_przerwa, "
                                         "NULL)', N'@id_t int, @czas_od datetime, @czas_do "
                                         "datetime, @km float, @czy_praca tinyint, @kat_trw "
                                         "float, @podjazd tinyint, @pz_zespol tinyint, @out "
                                         "tinyint, @slot tinyint, @czy_przerwa tinyint', "
                                         "@id_t, @czas_od, @czas_do, @km, @czy_praca, @kat_trw, "
                                         "@podjazd, @pz_zespol, @out, @slot, @czy_przerwa")
                              .arg(chart)
                              .arg(double_to_sql_str(czas(23, 0)), double_to_sql_str(czas(3, 0, 1)))
                              .arg(12.75);
    exec(batch);
    Query q(QStringLiteral("select * from poz_zdarz_org where id_t = %1").arg(chart), db());
    q.open();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(q.asDateTime(QStringLiteral("czas_do")), czas(3, 0, 1).value);
    EXPECT_DOUBLE_EQ(q.asFloat(QStringLiteral("km")), 12.75);
    EXPECT_EQ(q.asInteger(QStringLiteral("podjazd")), 1);
    EXPECT_TRUE(q.isNull(QStringLiteral("km_wer")));
}

TEST_P(Procs, UnknownProcedureIsNamed) {
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
