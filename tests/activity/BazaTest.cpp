// Period list and point list on the host database (in-memory SQLite with the host schema).
#include "PomocListy.h"

#include "host/db/Query.h"

#include <gtest/gtest.h>

namespace {

class Baza : public ::testing::Test {
protected:
    void SetUp() override {
        host::ConnectionParams p;
        p.backend = host::Backend::SQLite;
        p.database = QStringLiteral(":memory:");
        host::InstallConnection(std::make_shared<host::Connection>(p));
        wykonaj("insert into tacho (id_t, data) values (:id, :data)",
                {{"id", 1}, {"data", dzien(0)}});
        wykonaj("insert into tacho (id_t, data) values (:id, :data)",
                {{"id", 2}, {"data", dzien(0)}});
    }
    void TearDown() override { host::InstallConnection(nullptr); }

    static QVariant dzien(double ulamek) {
        return host::TDateTime(host::TDateTime::encode(2024, 3, 5) + ulamek).toQDateTime();
    }
    static void wykonaj(const char* sql,
                        std::initializer_list<std::pair<const char*, QVariant>> p) {
        host::Query q(QString::fromLatin1(sql));
        for (const auto& [n, v] : p)
            q.setParam(QString::fromLatin1(n), v);
        host::ExecQuery(q);
    }
    // A stored period given by angles (kat24 0: one degree is four minutes).
    static void okres(int id_tarczy, int id_tpz, double od, double do_, int kod, int km = 0) {
        wykonaj("insert into poz_zdarz (id_tpz, id_t, czas_od, czas_do, czy_praca, km, podjazd, "
                "out, pz_zespol) values (:id_tpz, :id_t, :od, :do, :kod, :km, 0, 0, 0)",
                {{"id_tpz", id_tpz},
                 {"id_t", id_tarczy},
                 {"od", dzien(od / 360.0)},
                 {"do", dzien(do_ <= od ? 1.0 + do_ / 360.0 : do_ / 360.0)},
                 {"kod", kod},
                 {"km", km}});
    }
    static void punkt(int id_tpz, double kat, int pasek) {
        wykonaj(
            "insert into punkty_zdarz (id_tpz, kat, nr_paska, promien) values (:id, :kat, :p, 300)",
            {{"id", id_tpz}, {"kat", kat}, {"p", pasek}});
    }
};

TEST_F(Baza, WczytanieWDowolnejKolejnosci) {
    // keys in an order unrelated to the time of day; the recording starts at 06:00 (90 deg.)
    okres(1, 7, 90, 150, kJazda, 50);
    okres(1, 2, 300, 90, kPostoj);
    okres(1, 9, 180, 270, kPraca);
    okres(1, 3, 150, 180, kPostoj);
    okres(1, 5, 270, 300, kJazda, 12);
    okres(2, 4, 0, 200, kDyzur); // another chart
    punkt(7, 123.4567890123456, 1);
    punkt(7, 100, 5);
    // points of the 270..300 drive stored with the following rest: moved back on loading
    punkt(2, 275, 1);
    punkt(2, 280, 5);
    wykonaj("insert into punkty_tacho (id_t, kat, nr_paska, promien) values (1, 10.5, 2, 290)", {});

    Lista_zdarz l;
    l.ustaw_kat_rozp(90.1); // the coarse sort still puts the period at 90 first
    l.wczytaj_z_bazy(1);
    ASSERT_EQ(l.ile, 4);
    const Widok w = widok(l);
    const double oczekiwane[] = {90, 150, 180, 270, 300};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(w.od[i], oczekiwane[i], 1e-6) << i;
    EXPECT_EQ(w.nr, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(w.kod, (std::vector<int>{kJazda, kPostoj, kPraca, kJazda, kPostoj}));
    EXPECT_TRUE(spojna(l));
    std::vector<int> klucze;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
        klucze.push_back(z->id_tpz);
    EXPECT_EQ(klucze, (std::vector<int>{7, 3, 9, 5, 2}));
    EXPECT_EQ(l.pierwszy->km, 50);
    EXPECT_NEAR(l.pierwszy->czas_od, 0.25, 1e-9);

    ASSERT_EQ(l.pierwszy->punkty->ile, 2);
    EXPECT_EQ(l.pierwszy->punkty->ostatni->kat, static_cast<float>(123.456789012346));
    EXPECT_EQ(l.wybierz(3)->punkty->ile, 2);
    EXPECT_EQ(l.wybierz(4)->punkty->ile, 0);
    ASSERT_EQ(l.punkty_tarczy->ile, 1);
    EXPECT_EQ(l.punkty_tarczy->pierwszy->promien, 290);
}

} // namespace
