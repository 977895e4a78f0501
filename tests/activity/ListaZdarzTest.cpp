// Period list: sorting, removal, merging and the queries.
#include "PomocListy.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(ListaZdarz, DodawanieSortujeOdKataRozpoczecia) {
    Lista_zdarz l;
    l.ustaw_kat24(30.0);
    l.ustaw_kat_rozp(460.0); // kept below 360
    EXPECT_DOUBLE_EQ(l.kat_rozp, 100.0);
    wypelnij(l, {{300, 100, kPostoj}, {100, 200, kJazda}, {200, 300, kPraca}});
    EXPECT_EQ(starty(l), (std::vector<double>{100, 200, 300}));
    EXPECT_EQ(widok(l).nr, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(spojna(l));
    EXPECT_DOUBLE_EQ(l.wybierz(1)->czas_od, host::KatNaGodz(200, 30));
    EXPECT_DOUBLE_EQ(l.ostatni->czas_do, host::KatNaGodz(100, 30));
    // positions beyond the list select the last period
    EXPECT_EQ(l.wybierz(17), l.ostatni);
}

TEST(ListaZdarz, TolerancjaSortowaniaPrzyKacieRozpoczecia) {
    // A period starting 0.05 degree before the start of recording: the coarse sort used after
    // loading still puts it first, the fine sort counts it one turn on.
    struct Przypadek {
        double tolerancja;
        std::vector<double> starty;
    };
    const Przypadek przypadki[] = {
        {Lista_zdarz::kTolSortuZgrubna, {99.95, 150, 250}},
        {Lista_zdarz::kTolSortuDokladna, {150, 250, 99.95}},
    };
    for (const auto& p : przypadki) {
        Lista_zdarz l;
        l.ustaw_kat_rozp(100.0);
        for (double od : {150.0, 99.95, 250.0})
            l.dodaj_zdarzenie_wczytane(od / 360.0, (od + 50.0) / 360.0, kPostoj, 0, 0, 0, 0, 0);
        l.sortuj(p.tolerancja);
        const auto s = starty(l);
        ASSERT_EQ(s.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(s[i], p.starty[i], 1e-9) << p.tolerancja;
        EXPECT_TRUE(spojna(l));
    }
}

TEST(ListaZdarz, SortowanieToStabilnePorzadkowanieOdKataRozpoczecia) {
    // Random lists with ties and starts around the start of recording (some within the coarse
    // tolerance before it): the order is that of a stable sort by the start counted forward
    // from kat_rozp, equal starts keeping the order they had.
    std::mt19937 los(12345);
    for (int proba = 0; proba < 200; ++proba) {
        const double tol =
            proba % 2 ? Lista_zdarz::kTolSortuZgrubna : Lista_zdarz::kTolSortuDokladna;
        const double rozp = 10.0 * int(los() % 36);
        Lista_zdarz l;
        l.ustaw_kat_rozp(rozp);
        const int n = 1 + int(los() % 30);
        for (int i = 0; i < n; ++i) {
            // a handful of distinct starts, so ties are common; some just before kat_rozp
            double od = 15.0 * int(los() % 8) + rozp;
            if (los() % 4 == 0) od -= 0.05;
            od = host::Katdo360(od);
            l.dodaj_zdarzenie_wczytane(od / 360.0, (od + 1.0) / 360.0, kPostoj, 0, i + 1, 0, 0, 0);
        }
        struct Klucz {
            double kat;
            int id;
        };
        std::vector<Klucz> oczekiwane;
        for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
            oczekiwane.push_back(
                {z->kat_od <= rozp - tol ? z->kat_od + 360.0 : z->kat_od, z->id_tpz});
        std::stable_sort(oczekiwane.begin(), oczekiwane.end(),
                         [](const Klucz& a, const Klucz& b) { return a.kat < b.kat; });
        l.sortuj(tol);
        std::vector<int> ids, wzor;
        for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
            ids.push_back(z->id_tpz);
        for (const Klucz& k : oczekiwane)
            wzor.push_back(k.id);
        ASSERT_EQ(ids, wzor) << "attempt " << proba;
        ASSERT_TRUE(spojna(l));
    }
}

TEST(ListaZdarz, DodawanieWKolejnosciToDwaPrzebiegiSortowania) {
    // Each added period goes to the head and is carried to its place in one pass; a second
    // finds nothing to move. A list already in order takes one pass.
    Lista_zdarz l;
    const int n = 2000;
    for (int i = 0; i < n; ++i)
        l.dodaj_zdarzenie(i * 360.0 / n, (i + 1) * 360.0 / n, i % 4);
    EXPECT_EQ(l.liczba(), n);
    EXPECT_TRUE(spojna(l));
    const auto s = starty(l);
    EXPECT_TRUE(std::is_sorted(s.begin(), s.end()));
    EXPECT_EQ(l.sortuj(), 1);
    l.dodaj_zdarzenie_wczytane(1.0 - 0.5 / n, 0.0, kJazda, 0, 0, 0, 0, 0); // at the head
    EXPECT_EQ(l.sortuj(), 2);
    EXPECT_EQ(l.ostatni->czy_praca, kJazda);
}

// work 0..90, rest 90..100, driving 100..200, rest 200..360
void lista_praca_postoj_jazda(Lista_zdarz& l) {
    wypelnij(l, {{0, 90, kPraca}, {90, 100, kPostoj}, {100, 200, kJazda}, {200, 0, kPostoj}});
}

TEST(ListaZdarz, UsuniecieAOddajeWyzszejCzynnosciBNizszej) {
    Lista_zdarz a;
    lista_praca_postoj_jazda(a);
    a.usun_zdarzenie_A(1, 1);
    EXPECT_EQ(kody(a), (std::vector<int>{kPraca, kJazda, kPostoj}));
    EXPECT_EQ(starty(a), (std::vector<double>{0, 90, 200}));
    EXPECT_DOUBLE_EQ(a.wybierz(1)->czas_od, host::KatNaGodz(90, 0));
    EXPECT_TRUE(spojna(a));

    Lista_zdarz b;
    lista_praca_postoj_jazda(b);
    b.usun_zdarzenie_B(1);
    EXPECT_EQ(kody(b), (std::vector<int>{kPraca, kJazda, kPostoj}));
    EXPECT_EQ(starty(b), (std::vector<double>{0, 100, 200}));
    EXPECT_DOUBLE_EQ(b.pierwszy->kat_do, 100);
    EXPECT_TRUE(spojna(b));

    // without the merge flag removal A keeps to the predecessor
    Lista_zdarz c;
    lista_praca_postoj_jazda(c);
    c.usun_zdarzenie_A(1, 0);
    EXPECT_EQ(starty(c), (std::vector<double>{0, 100, 200}));
}

TEST(ListaZdarz, UsuniecieJednegoZDwochDajePelnaTarczeJedynegoNic) {
    for (bool b : {false, true}) {
        Lista_zdarz l;
        l.ustaw_kat24(30.0);
        wypelnij(l, {{0, 100, kPraca}, {100, 0, kPostoj}});
        if (b)
            l.usun_zdarzenie_B(1);
        else
            l.usun_zdarzenie_A(1, 1);
        ASSERT_EQ(l.ile, 0);
        const Zdarzenie& z = *l.pierwszy;
        EXPECT_DOUBLE_EQ(z.kat_od, 0.0);
        EXPECT_NEAR(z.kat_do, 359.99, 1e-9);
        EXPECT_NEAR(z.czas_do, z.czas_od - 1.0 / 86400.0, 1e-12);
        // the only period is never removed
        l.usun_zdarzenie_A(0, 1);
        l.usun_zdarzenie_B(0);
        EXPECT_EQ(l.ile, 0);
    }
    // the start at midnight: one second before it is 23:59:59 of the same day
    Lista_zdarz l;
    wypelnij(l, {{0, 100, kPraca}, {100, 0, kPostoj}});
    l.usun_zdarzenie_A(0, 1);
    EXPECT_EQ(l.pierwszy->czy_praca, kPostoj);
    EXPECT_NEAR(l.pierwszy->czas_do, 1.0 - 1.0 / 86400.0, 1e-12);
}

TEST(ListaZdarz, PracaMiedzyJazdamiLaczySieWJednaJazde) {
    for (int szczeg : {0, 1}) {
        Lista_zdarz l;
        l.czy_szczeg = szczeg;
        wypelnij(
            l,
            {{0, 100, kJazda, 10}, {100, 120, kPraca}, {120, 200, kJazda, 20}, {200, 0, kPostoj}});
        l.pierwszy->punkty->dodaj(50.0f, 1, 300);
        l.punkty_tarczy->dodaj(50.0f, 1, 300);
        l.usun_zdarzenie_A(1, 1);
        ASSERT_EQ(l.ile, 1) << szczeg;
        const Zdarzenie& j = *l.pierwszy;
        EXPECT_EQ(std::tie(j.czy_praca, j.km), std::make_tuple(kJazda, 30));
        EXPECT_DOUBLE_EQ(j.kat_do, 200);
        EXPECT_DOUBLE_EQ(j.czas_do, host::KatNaGodz(200, 0));
        // the points are read again for the joined stretch
        EXPECT_EQ(szczeg ? l.punkty_tarczy->ile : j.punkty->ile, 0);
        EXPECT_TRUE(spojna(l));
    }
}

} // namespace
