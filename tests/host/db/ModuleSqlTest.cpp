// The chart module's own statements, as it writes them for SQL Server, run against the demo
// fleet on each backend; kept where the dialect is tricky or the result is checked.

#include "DbFixture.h"

#include "host/KatyCzas.h"
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
};

} // namespace

TEST_P(ModuleSql, DriversAndDictionaries) {
    // Employed on the chart's day and visible to the user: the driver who left in 2023 is not.
    const QString employed = QStringLiteral(
        "select distinct id_k, nazwisko_imie, id_f\nfrom VListaKierAll\nwhere (data_od<=:data_do "
        "or data_od is null) and (data_do>=:data_od or data_do is null)\nand id_u = :id_u\norder "
        "by nazwisko_imie");
    auto on = [&](int y, int u) {
        return open(employed, {{"data_od", day(y, 3, 5)}, {"data_do", day(y, 3, 5)}, {"id_u", u}});
    };
    EXPECT_EQ(on(2024, 1).RecordCount(), 5);
    EXPECT_EQ(on(2023, 1).RecordCount(), 6);
    EXPECT_EQ(on(2024, 2).RecordCount(), 3);
    EXPECT_EQ(on(2024, 1).asString(QStringLiteral("nazwisko_imie")),
              QStringLiteral("Kamiński Adam"));

    const QString statuses = QStringLiteral(
        "select s1.id, s1.wartosc from VListaPozSlownika s1 where s1.typ_slownika='tarcza_status' "
        "and s1.id_jezyka=:id_jezyka  and nazwa_parametru = 'nazwa'\norder by s1.wartosc");
    EXPECT_EQ(open(statuses, {{"id_jezyka", 2}}).asString(QStringLiteral("wartosc")),
              QStringLiteral("Abroad"));
    // A language without translations falls back to the dictionary's own texts.
    EXPECT_EQ(rows(statuses, {{"id_jezyka", 3}}), 4);

    const QString errorText = QStringLiteral(
        "select wartosc1 from VListaPozSlownika2 v inner join slownik2parametry s2p on s2p.id_slow "
        "= v.id_slow inner join slowwartosci sw on sw.id_sp = s2p.id_sp and sw.grupa = v.grupa "
        "inner join slowparametry sp on sp.id_parametru = s2p.id_parametru and sp.nazwa = "
        "'jm_grupa' where id_jezyka= 1 and typ_slownika='opisy_kwir' and v.nazwa='nazwa' and "
        "nazwa2='aktywnosc' and wartosc = '1' and v.wartosc2 = ");
    EXPECT_EQ(GetStringDB(errorText + QStringLiteral("'101'"), QStringLiteral("wartosc1")),
              QStringLiteral("Nieprawidłowe operowanie przełącznikiem tachografu w godzinach "
                             "<zastąp> - <zastąp2>."));
    EXPECT_EQ(GetStringDB(errorText + QStringLiteral("'104'"), QStringLiteral("wartosc1")),
              QString());
}

TEST_P(ModuleSql, MovingBetweenChartsAndOpenRows) {
    const int a = addChart(1, TDateTime::encode(2024, 3, 5));
    const int b = addChart(1, TDateTime::encode(2024, 3, 6));
    const int c = addChart(1, TDateTime::encode(2024, 3, 8));
    addChart(2, TDateTime::encode(2024, 3, 7));
    const QString find = QStringLiteral(
        "select top 2 id_k, nazwisko_imie, id_t, data, nr_rej\nfrom vlistatacho\nwhere id_jezyka "
        "= 1 and id_t <> :id_t and id_k = 1 and \n");
    const QString next = QStringLiteral("(data > :data or (data = :data1 and id_t > :id_t1)) and "
                                        "(typ_dnia not in (1,2,3) or (cyfrowy > 0 and cyfrowy <> "
                                        "4)) order by data, id_t");
    const QString prev = QStringLiteral("(data < :data or (data = :data1 and id_t < :id_t1)) and "
                                        "(typ_dnia not in (1,2,3) or (cyfrowy > 0 and cyfrowy <> "
                                        "4)) order by data DESC, id_t DESC");
    auto from = [&](const QString& dir, int id_t, const QVariant& d) {
        return open(find + dir, {{"id_t", id_t}, {"data", d}, {"data1", d}, {"id_t1", id_t}});
    };
    Query n = from(next, a, day(2024, 3, 5));
    EXPECT_EQ(n.RecordCount(), 2);
    EXPECT_EQ(n.asInteger(QStringLiteral("id_t")), b);
    EXPECT_EQ(n.asString(QStringLiteral("nr_rej")), QStringLiteral("WX 4521K"));
    EXPECT_EQ(from(prev, c, day(2024, 3, 8)).asInteger(QStringLiteral("id_t")), b);
    EXPECT_TRUE(from(next, c, day(2024, 3, 8)).Eof());

    // Open-chart rows: the positional insert skips the identity key as SQL Server does.
    const QString session = QStringLiteral("select top 1 id_sesji from sesja where id_u = 1 and "
                                           "nazwa_dll = 'lista_tacho.dll' and id_ = %1")
                                .arg(a);
    exec(QStringLiteral("insert into sesja values ('lista_tacho.dll', %1, 1)").arg(a));
    EXPECT_FALSE(open(session).Eof());
}

TEST_P(ModuleSql, OverlapCheckAndDriverNotes) {
    // Another chart of the same driver working across this one's times.
    const int other = addChart(1, TDateTime::encode(2024, 3, 5), 2);
    addPeriod(other, TDateTime::encode(2024, 3, 5, 22, 0), TDateTime::encode(2024, 3, 6, 2, 0), 2);
    const QString overlap = QStringLiteral(
        " declare @id_k int, @czas_od datetime, @czas_do datetime;  select @id_k = :id_k, "
        "@czas_od = :czas_od, @czas_do = :czas_do  select distinct t.id_t from tacho t inner join "
        "poz_zdarz p on p.id_t = t.id_t  where (id_k=@id_k or id_konwojenta = :id_k1 ) and "
        "t.id_t <> :id_t AND t.data >= dateadd(day, -1, @czas_od) AND t.data <= dateadd(day, 1, "
        "@czas_do) and p.czy_praca <> 0 and p.czas_od < @czas_do and p.czas_do > @czas_od and "
        "t.cyfrowy <> 2");
    auto hits = [&](const QVariant& od, const QVariant& do_) {
        return rows(overlap,
                    {{"id_k", 1}, {"id_k1", 1}, {"id_t", 0}, {"czas_od", od}, {"czas_do", do_}});
    };
    EXPECT_EQ(hits(day(2024, 3, 5, 23, 0), day(2024, 3, 6, 9, 0)), 1);
    EXPECT_EQ(hits(day(2024, 3, 5, 6, 0), day(2024, 3, 5, 22, 0)), 0); // ends as the other starts
    EXPECT_EQ(hits(day(2024, 3, 6, 2, 0), day(2024, 3, 6, 9, 0)), 0);  // starts as the other ends

    // The driver's monthly text: written positionally, deleted without "from".
    const QString m = double_to_sql_str(TDateTime::encode(2024, 3, 1));
    const QString where = QStringLiteral(" where czy_premium = 0 and id_k = 3 and data = ") + m;
    exec(QStringLiteral("insert into kierowcy_opisy values (3, ") + m +
         QStringLiteral(", 0, 'Kierowca''s notatka')"));
    EXPECT_EQ(GetStringDB(QStringLiteral("select opis from kierowcy_opisy") + where,
                          QStringLiteral("opis")),
              QStringLiteral("Kierowca's notatka"));
    exec(QStringLiteral("delete kierowcy_opisy") + where);
    EXPECT_EQ(
        GetIntDB(QStringLiteral("select id_k from kierowcy_opisy") + where, QStringLiteral("id_k")),
        0);
}

INSTANTIATE_TEST_SUITE_P(, ModuleSql, ::testing::Values(backendUnderTest()), backendName);
