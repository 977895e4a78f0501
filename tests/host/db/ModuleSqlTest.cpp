// The chart module's own statements, as it writes them for SQL Server, run against the demo
// fleet on each backend: the schema must hold every table, view and column they use.

#include "DbFixture.h"

#include "host/KatyCzas.h"
#include "host/db/DemoData.h"
#include "host/db/StoredProc.h"

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
    void run(const QString& sql, Params params = {}) {
        Query q(sql, db());
        for (const auto& [name, value] : params)
            q.setParam(QLatin1String(name), value);
        q.exec();
    }
};

const char* const kTemplate =
    "select wartosc1 from VListaPozSlownika2 v inner join slownik2parametry s2p on s2p.id_slow = "
    "v.id_slow "
    "inner join slowwartosci sw on sw.id_sp = s2p.id_sp and sw.grupa = v.grupa inner join "
    "slowparametry sp "
    "on sp.id_parametru = s2p.id_parametru and sp.nazwa = 'jm_grupa' where id_jezyka= 1 and "
    "typ_slownika='opisy_kwir' and v.nazwa='nazwa' and nazwa2='aktywnosc' and wartosc = '1' and "
    "v.wartosc2 = ";

} // namespace

TEST_P(ModuleSql, ChartHeaderLists) {
    EXPECT_EQ(rows(QStringLiteral("select distinct id_k, nazwisko_imie, id_f\nfrom "
                                  "VListaKierAll\norder by nazwisko_imie")),
              6);
    // Employed on the chart's day and visible to the user: the driver who left in 2023 is not.
    const QString employed = QStringLiteral(
        "select distinct id_k, nazwisko_imie, id_f\nfrom VListaKierAll\nwhere (data_od<=:data_do "
        "or data_od is null) "
        "and (data_do>=:data_od or data_do is null)\nand id_u = :id_u\norder by nazwisko_imie");
    EXPECT_EQ(
        rows(employed, {{"data_od", day(2024, 3, 5)}, {"data_do", day(2024, 3, 5)}, {"id_u", 1}}),
        5);
    EXPECT_EQ(
        rows(employed, {{"data_od", day(2023, 3, 5)}, {"data_do", day(2023, 3, 5)}, {"id_u", 1}}),
        6);
    EXPECT_EQ(
        rows(employed, {{"data_od", day(2024, 3, 5)}, {"data_do", day(2024, 3, 5)}, {"id_u", 2}}),
        3);
    Query first =
        open(employed, {{"data_od", day(2024, 3, 5)}, {"data_do", day(2024, 3, 5)}, {"id_u", 1}});
    EXPECT_EQ(first.asString(QStringLiteral("nazwisko_imie")), QStringLiteral("Kamiński Adam"));

    EXPECT_EQ(rows(QStringLiteral("select id as id_s, nr_rej, id_f\nfrom VListaSam \nwhere "
                                  "(czy_maly = 0 or czy_maly is null)\norder by nr_rej")),
              4);
    Query sam =
        open(QStringLiteral(
                 "SELECT k.domyslny_sam, s.nr_rej from kierowca AS k left join samochod as s on "
                 "s.id_s = k.domyslny_sam where id_k=:idk"),
             {{"idk", 2}});
    EXPECT_EQ(sam.asString(QStringLiteral("nr_rej")), QStringLiteral("WI 772PL"));
    EXPECT_EQ(GetIntDB(QStringLiteral("select id_f from kierowca where id_k = 4"),
                       QStringLiteral("id_f")),
              2);

    const QString statuses = QStringLiteral(
        "select s1.id, s1.wartosc, s1.grupa, s1.nazwa_parametru\nfrom VListaPozSlownika s1\nwhere "
        "s1.typ_slownika='tarcza_status' and s1.id_jezyka=:id_jezyka  and nazwa_parametru = "
        "'nazwa'\norder by s1.wartosc");
    EXPECT_EQ(open(statuses, {{"id_jezyka", 1}}).asString(QStringLiteral("wartosc")),
              QStringLiteral("Do wyjaśnienia"));
    EXPECT_EQ(open(statuses, {{"id_jezyka", 2}}).asString(QStringLiteral("wartosc")),
              QStringLiteral("Abroad"));
    // A language without translations falls back to the dictionary's own texts.
    EXPECT_EQ(rows(statuses, {{"id_jezyka", 3}}), 4);

    Query notes = open(
        QStringLiteral(
            "select s1.id_slow, s1.id as id, s1.wartosc1 as wartosc, s1.wartosc2 as opis\nfrom "
            "VListaPozSlownika2 s1 \nwhere typ_slownika='tarcza_adnotacje' and "
            "id_jezyka=:id_jezyka "
            "and nazwa='nazwa' and nazwa2='opis'\norder by s1.wartosc1"),
        {{"id_jezyka", 1}});
    EXPECT_EQ(notes.RecordCount(), 5);
    EXPECT_EQ(notes.asString(QStringLiteral("wartosc")), QStringLiteral("Awaria"));
    EXPECT_TRUE(notes.asString(QStringLiteral("opis")).startsWith(QLatin1String("Awaria pojazdu")));
    EXPECT_EQ(GetStringDB(QStringLiteral("select kod_jezyka from jezyk where id_jezyka = 3"),
                          QStringLiteral("kod_jezyka")),
              QStringLiteral("lt"));
}

TEST_P(ModuleSql, OpeningAndMovingBetweenCharts) {
    const int a = addChart(1, TDateTime::encode(2024, 3, 5));
    const int b = addChart(1, TDateTime::encode(2024, 3, 6));
    const int c = addChart(1, TDateTime::encode(2024, 3, 8));
    addChart(2, TDateTime::encode(2024, 3, 7));
    Query row = open(QStringLiteral("select km_pocz, km_kon, id_s, data, id_k, kat_rozp, zespol, "
                                    "adnotacje, rodzaj, typ_dnia, km_obl, ps, "
                                    "cyfrowy, status, id_konwojenta, id_konwojenta2, nieczytelna, "
                                    "blad_obsl_t, niekompletne, przerysowana, "
                                    "status_tacho, czy_reczna, kilka_wykr, nieprawidlowa, "
                                    "niezgodnosc_cz, brak_wr, wirtualne_przem from "
                                    "tacho where id_t=:idt"),
                     {{"idt", b}});
    EXPECT_EQ(row.asInteger(QStringLiteral("id_k")), 1);
    EXPECT_DOUBLE_EQ(row.asDateTime(QStringLiteral("data")), TDateTime::encode(2024, 3, 6).value);
    Query rec = open(QStringLiteral("select kat24, x0, y0, pocz_sr_godz, pv, kat_zak, czy_szczeg "
                                    "from tacho_analog where id_t = :id_t"),
                     {{"id_t", b}});
    EXPECT_DOUBLE_EQ(rec.asFloat(QStringLiteral("kat24")), 180.0);
    EXPECT_TRUE(rec.isNull(QStringLiteral("kat_zak")));
    EXPECT_EQ(rows(QStringLiteral("select * from pv\nwhere id_t = :id_t"), {{"id_t", b}}), 0);

    const QString find =
        QStringLiteral("select top 2 id_k, nazwisko_imie, nazwa, id_t, cyfrowy, typ_dnia, wartosc, "
                       "data, nr_rej\nfrom vlistatacho\n"
                       "where id_jezyka = :id_jezyka and id_t <> :id_t and id_k = :id_k and \n");
    const QString next = QStringLiteral(
        "(data > :data or (data = :data1 and id_t > :id_t1)) and (typ_dnia not in (1,2,3) or "
        "(cyfrowy > 0 and cyfrowy <> 4)) order by data, id_t");
    const QString prev = QStringLiteral(
        "(data < :data or (data = :data1 and id_t < :id_t1)) and (typ_dnia not in (1,2,3) or "
        "(cyfrowy > 0 and cyfrowy <> 4)) order by data DESC, id_t DESC");
    auto from = [&](const QString& dir, int id_t, const QVariant& d) {
        return open(find + dir, {{"id_jezyka", 1},
                                 {"id_t", id_t},
                                 {"id_k", 1},
                                 {"data", d},
                                 {"data1", d},
                                 {"id_t1", id_t}});
    };
    Query n = from(next, a, day(2024, 3, 5));
    EXPECT_EQ(n.RecordCount(), 2);
    EXPECT_EQ(n.asInteger(QStringLiteral("id_t")), b);
    EXPECT_EQ(n.asString(QStringLiteral("nazwisko_imie")), QStringLiteral("Kowalski Jan"));
    EXPECT_EQ(n.asString(QStringLiteral("nr_rej")), QStringLiteral("WX 4521K"));
    EXPECT_EQ(from(prev, c, day(2024, 3, 8)).asInteger(QStringLiteral("id_t")), b);
    EXPECT_TRUE(from(next, c, day(2024, 3, 8)).Eof());

    // Open-chart rows: the positional insert skips the identity key as SQL Server does.
    const QString session = QStringLiteral("select top 1 id_sesji from sesja where id_u = 1 and "
                                           "nazwa_dll = 'lista_tacho.dll' and id_ = %1")
                                .arg(a);
    EXPECT_TRUE(open(session).Eof());
    run(QStringLiteral("insert into sesja values ('lista_tacho.dll', %1, 1)").arg(a));
    EXPECT_FALSE(open(session).Eof());
    run(QStringLiteral(
            "delete from sesja where id_u = 1 and nazwa_dll = 'lista_tacho.dll' and id_ = %1")
            .arg(a));
    EXPECT_TRUE(open(session).Eof());

    Query nar = open(QStringLiteral("select isnull(ustawa, 2) as ustawa, data, data_do, "
                                    "skroc_wydluz, typ from naruszenia where "
                                    "zatwierdzone = 1 and id_k=:id_k and data >= :data and data < "
                                    ":data_do and (typ = 1 or typ = 4 "
                                    "or typ = 0) order by data"),
                     {{"id_k", 1}, {"data", day(2024, 3, 5)}, {"data_do", day(2024, 3, 6)}});
    ASSERT_EQ(nar.RecordCount(), 1);
    EXPECT_EQ(nar.asInteger(QStringLiteral("skroc_wydluz")), 6);
    EXPECT_DOUBLE_EQ(nar.asDateTime(QStringLiteral("data_do")),
                     TDateTime::encode(2024, 3, 5, 19, 30).value);
}

TEST_P(ModuleSql, SaveChecksAndNotices) {
    const QString absence = QStringLiteral(
        "SELECT count(*) as ile FROM nieobecnosc n inner join dzien as d on d.id_dnia = n.id_dnia "
        "where d.dzien = 1 \t\tand n.id_k = :id_k  and :data between data_od and data_do");
    EXPECT_EQ(
        open(absence, {{"id_k", 2}, {"data", day(2024, 7, 14)}}).asInteger(QStringLiteral("ile")),
        1);
    EXPECT_EQ(
        open(absence, {{"id_k", 2}, {"data", day(2024, 7, 15)}}).asInteger(QStringLiteral("ile")),
        0);
    EXPECT_EQ(
        open(absence, {{"id_k", 4}, {"data", day(2024, 3, 12)}}).asInteger(QStringLiteral("ile")),
        1);

    // The overlap check: another chart of the same driver working across this one's times.
    const int other = addChart(1, TDateTime::encode(2024, 3, 5), 2);
    addPeriod(other, TDateTime::encode(2024, 3, 5, 22, 0), TDateTime::encode(2024, 3, 6, 2, 0), 2);
    const QString overlap =
        QStringLiteral(" declare @id_k int, @czas_od datetime, @czas_do datetime;  select @id_k = "
                       ":id_k, @czas_od = :czas_od, "
                       "@czas_do = :czas_do  select distinct t.id_t from tacho t inner join "
                       "poz_zdarz p on p.id_t = t.id_t  where "
                       "(id_k=@id_k or id_konwojenta = :id_k1 or id_konwojenta2 = :id_k2 ) and "
                       "t.id_t <> :id_t AND t.data >= "
                       "dateadd(day, -1, @czas_od) AND t.data <= dateadd(day, 1, @czas_do) and "
                       "p.czy_praca <> 0 and p.czas_od < "
                       "@czas_do and p.czas_do > @czas_od and t.cyfrowy <> 2");
    auto hits = [&](const QVariant& od, const QVariant& do_) {
        return rows(overlap, {{"id_k", 1},
                              {"id_k1", 1},
                              {"id_k2", 1},
                              {"id_t", 0},
                              {"czas_od", od},
                              {"czas_do", do_}});
    };
    EXPECT_EQ(hits(day(2024, 3, 5, 23, 0), day(2024, 3, 6, 9, 0)), 1);
    EXPECT_EQ(hits(day(2024, 3, 5, 6, 0), day(2024, 3, 5, 22, 0)), 0); // ends as the other starts
    EXPECT_EQ(hits(day(2024, 3, 6, 2, 0), day(2024, 3, 6, 9, 0)), 0);  // starts as the other ends
    EXPECT_EQ(rows(QStringLiteral("select distinct t.id_t from tacho t inner join poz_zdarz p on "
                                  "p.id_t = t.id_t where (id_k=:id_k ) "
                                  "and t.data=:data and t.cyfrowy <> 2"),
                   {{"id_k", 1}, {"data", day(2024, 3, 5)}}),
              1);
    Query span = open(QStringLiteral("select min(czas_od) as mincz, max(czas_do) as maxcz\nfrom "
                                     "poz_zdarz where id_t = :id_t and czy_praca > 0"),
                      {{"id_t", other}});
    EXPECT_DOUBLE_EQ(span.asDateTime(QStringLiteral("maxcz")),
                     TDateTime::encode(2024, 3, 6, 2, 0).value);

    // Crew partner and the distance the other driver drove before a moment.
    run(QStringLiteral("UPDATE tacho SET zespol=:z WHERE id_t=:idt"), {{"z", 1}, {"idt", other}});
    run(QStringLiteral("update tacho set km_pocz = 1000 where id_t = %1").arg(other));
    EXPECT_EQ(rows(QStringLiteral("select t.id_t, t.id_k\nfrom tacho as t\nwhere t.data=:data and "
                                  "t.id_s=:ids and (t.km_pocz=:km_pocz "
                                  "or t.km_kon=:km_kon) and (t.id_k<>:idk or t.id_k is null)\nand "
                                  "(t.zespol=:zespol1 or t.zespol=:zespol2)"),
                   {{"data", day(2024, 3, 5)},
                    {"ids", 2},
                    {"km_pocz", 1000},
                    {"km_kon", 0},
                    {"idk", 5},
                    {"zespol1", 1},
                    {"zespol2", 2}}),
              1);
    run(QStringLiteral("update poz_zdarz set km = 120 where id_t = %1").arg(other));
    EXPECT_EQ(open(QStringLiteral("select sum(km) as skm from tacho t inner join poz_zdarz p on "
                                  "p.id_t = t.id_t where t.id_t <> :id_t and "
                                  "t.id_s = :id_s and t.km_pocz = :km_pocz and t.data = :data and "
                                  "p.czas_do <= :czas "),
                   {{"id_t", 0},
                    {"id_s", 2},
                    {"km_pocz", 1000},
                    {"data", day(2024, 3, 5)},
                    {"czas", day(2024, 3, 6, 3, 0)}})
                  .asInteger(QStringLiteral("skm")),
              120);

    // Change notices for the settlement, written only for days in the driver's calendar.
    EXPECT_EQ(open(QStringLiteral(
                       "select count(*) as tak from kalendarz where id_k=:id_k and data=:data"),
                   {{"id_k", 1}, {"data", day(2024, 3, 5)}})
                  .asInteger(QStringLiteral("tak")),
              1);
    const Params notice = {{"id_t", other}, {"id_k", 1}, {"data", day(2024, 3, 5)}, {"ktory", 2}};
    run(QStringLiteral("insert into Komunikacja\n(id_t, id_k, data, ktory)\nvalues (:id_t, :id_k, "
                       ":data, :ktory)"),
        notice);
    const QString exists =
        QStringLiteral("select count(*) as tak from Komunikacja \nwhere id_k=:id_k and data=:data "
                       "and id_t=:id_t and ktory>=:ktory");
    EXPECT_EQ(open(exists, notice).asInteger(QStringLiteral("tak")), 1);
    run(QStringLiteral("delete from Komunikacja \nwhere id_k=:id_k and data=:data and id_t=:id_t"),
        notice);
    EXPECT_EQ(open(exists, notice).asInteger(QStringLiteral("tak")), 0);
}

TEST_P(ModuleSql, ErrorDescriptionTexts) {
    EXPECT_EQ(
        GetStringDB(QLatin1String(kTemplate) + QStringLiteral("'101'"), QStringLiteral("wartosc1")),
        QStringLiteral("Nieprawidłowe operowanie przełącznikiem tachografu w godzinach <zastąp> - "
                       "<zastąp2>."));
    EXPECT_TRUE(
        GetStringDB(QLatin1String(kTemplate) + QStringLiteral("'9'"), QStringLiteral("wartosc1"))
            .contains(QStringLiteral("<zastąp2>")));
    EXPECT_EQ(
        GetStringDB(QLatin1String(kTemplate) + QStringLiteral("'104'"), QStringLiteral("wartosc1")),
        QString());
    QString menu = QString::fromLatin1(kTemplate);
    menu.replace(QStringLiteral("select wartosc1 from"),
                 QStringLiteral("select wartosc1, v.grupa from"));
    menu.replace(QStringLiteral("wartosc = '1' and v.wartosc2 = "),
                 QStringLiteral("wartosc = '2'"));
    EXPECT_EQ(rows(menu), 3);

    // The driver's monthly text: found, changed, emptied (deleted) as the frame does it.
    const QString m = double_to_sql_str(TDateTime::encode(2024, 3, 1));
    const QString where = QStringLiteral(" where czy_premium = 0 and id_k = 3 and data = ") + m;
    EXPECT_EQ(
        GetIntDB(QStringLiteral("select id_k from kierowcy_opisy") + where, QStringLiteral("id_k")),
        0);
    run(QStringLiteral("insert into kierowcy_opisy values (3, ") + m +
        QStringLiteral(", 0, 'Kierowca''s notatka')"));
    EXPECT_EQ(
        GetIntDB(QStringLiteral("select id_k from kierowcy_opisy") + where, QStringLiteral("id_k")),
        3);
    EXPECT_EQ(GetStringDB(QStringLiteral("select opis from kierowcy_opisy") + where,
                          QStringLiteral("opis")),
              QStringLiteral("Kierowca's notatka"));
    run(QStringLiteral("update kierowcy_opisy set opis = 'Pouczony' ") + where);
    EXPECT_EQ(GetStringDB(QStringLiteral("select opis from kierowcy_opisy") + where,
                          QStringLiteral("opis")),
              QStringLiteral("Pouczony"));
    run(QStringLiteral("delete kierowcy_opisy") + where);
    EXPECT_EQ(
        GetIntDB(QStringLiteral("select id_k from kierowcy_opisy") + where, QStringLiteral("id_k")),
        0);
}

TEST_P(ModuleSql, CitiesPointsAndDocuments) {
    Query cities = open(QStringLiteral("select id as id_m, miasto, kod_pocz,nazwa from vlistamiast "
                                       "where id_jezyka = :id_jezyka and "
                                       "widoczne=1 order by miasto"),
                        {{"id_jezyka", 1}});
    EXPECT_EQ(cities.RecordCount(), 12); // the hidden one is not offered
    EXPECT_EQ(cities.asString(QStringLiteral("miasto")), QStringLiteral("Berlin"));
    EXPECT_EQ(cities.asString(QStringLiteral("nazwa")), QStringLiteral("Niemcy"));

    const int chart = addChart(1, TDateTime::encode(2024, 3, 5));
    EXPECT_EQ(GetIntDB(QStringLiteral(
                           "select tabela from definicja_tabela where tabela_slownie = 'tacho'"),
                       QStringLiteral("tabela")),
              20);
    EXPECT_TRUE(
        open(QStringLiteral("select top 1 * from VListaDokPlik where tabela = 20 and id_ = :id_t"),
             {{"id_t", chart}})
            .Eof());
    exec(QStringLiteral(
             "insert into dokument_plik (sciezka, tabela, id_) values ('/d/a.pdf', 20, %1)")
             .arg(chart));
    exec(QStringLiteral(
             "insert into dokument_plik (sciezka, tabela, id_) values ('/d/ogolny.pdf', 0, %1)")
             .arg(chart));
    Query docs =
        open(QStringLiteral("select * from VListaDokPlik\nwhere tabela = :tabela and id_=:id_"),
             {{"tabela", 20}, {"id_", chart}});
    EXPECT_EQ(docs.RecordCount(), 1);
    EXPECT_EQ(docs.asString(QStringLiteral("sciezka")), QStringLiteral("/d/a.pdf"));
    EXPECT_GT(docs.asInteger(QStringLiteral("id")), 0);
    EXPECT_EQ(rows(QStringLiteral("select * from VListaDokPlik\nwhere (tabela = :tabela or tabela "
                                  "= 0) and id_ = :id_"),
                   {{"tabela", 8}, {"id_", chart}}),
              1);

    run(QStringLiteral("insert into pv\n(id_t, kat_p, kat_k, widoczny)\nvalues\n(:id_t, :kat_p, "
                       ":kat_k, :widoczny)"),
        {{"id_t", chart}, {"kat_p", 10.5}, {"kat_k", 12.25}, {"widoczny", 1}});
    Query pv = open(QStringLiteral("select * from pv\nwhere id_t = :id_t"), {{"id_t", chart}});
    EXPECT_DOUBLE_EQ(pv.asFloat(QStringLiteral("kat_k")), 12.25);
    run(QStringLiteral("delete from pv where id_t = :id_t"), {{"id_t", chart}});
    EXPECT_EQ(rows(QStringLiteral("select * from pv\nwhere id_t = :id_t"), {{"id_t", chart}}), 0);
}

INSTANTIATE_TEST_SUITE_P(, ModuleSql, ::testing::Values(backendUnderTest()), backendName);
