// Period list: inserting into a period and dragging the first boundary.
#include "PomocListy.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

namespace {

// Inserts driving (unless told otherwise) at the pixel of 90 degrees into period 1.
int wstaw(Tarcza& t, int kod = kJazda, int przyciagaj = 0) {
    t.l.rysuj_zdarzenia_wiersz(1);
    return t.l.wstaw_w_zaznaczony(200, 300, kod, 1.5, przyciagaj);
}

TEST(Wstawianie, OdcinekWSrodkuOkresu) {
    Tarcza t;
    wypelnij(t.l, {{0, 60, kPraca}, {60, 120, kPostoj}, {120, 0, kJazda}});
    EXPECT_EQ(wstaw(t), 1);
    const Widok w = widok(t.l);
    ASSERT_EQ(w.od.size(), 5u);
    for (auto [i, od] : {std::pair{2, 88.5}, {3, 91.5}})
        EXPECT_NEAR(w.od[i], od, 1e-9);
    EXPECT_EQ(w.kod, (std::vector<int>{kPraca, kPostoj, kJazda, kPostoj, kJazda}));
    EXPECT_EQ(t.l.wybierz(2)->pz_zespol, kZnakReczny);
    EXPECT_EQ(t.l.wybierz(1)->pz_zespol, 0);
    EXPECT_EQ(t.l.zaznaczony, nullptr);
    EXPECT_TRUE(spojna(t.l));
}

TEST(Wstawianie, PrzyPoczatkuTylkoZPrzyciaganiem) {
    for (int przyciagaj : {0, 1}) {
        Tarcza t;
        wypelnij(t.l, {{0, 89, kPraca}, {89, 120, kPostoj}, {120, 0, kJazda}});
        EXPECT_EQ(wstaw(t, kJazda, przyciagaj), przyciagaj);
        if (!przyciagaj) {
            EXPECT_EQ(starty(t.l), (std::vector<double>{0, 89, 120}));
            continue;
        }
        // the front remainder is dropped: the stretch starts with the period
        const Widok w = widok(t.l);
        ASSERT_EQ(w.od.size(), 4u);
        EXPECT_NEAR(w.od[2], 92.0, 1e-9);
        EXPECT_EQ(w.kod, (std::vector<int>{kPraca, kJazda, kPostoj, kJazda}));
    }
}

TEST(Wstawianie, ResztaKrotszaNizCwiercStopniaZnika) {
    struct Przypadek {
        double koniec_S; // end of the rest period the driving goes into
        std::vector<int> kody;
    };
    const Przypadek przypadki[] = {
        // 0.2 degree left behind the stretch: dropped, and the stretch joins the driving after
        {91.7, {kPraca, kPostoj, kJazda}},
        {92.0, {kPraca, kPostoj, kJazda, kPostoj, kJazda}},
    };
    for (const auto& p : przypadki) {
        Tarcza t;
        wypelnij(t.l, {{0, 60, kPraca}, {60, p.koniec_S, kPostoj}, {p.koniec_S, 0, kJazda}});
        EXPECT_EQ(wstaw(t), 1);
        EXPECT_EQ(kody(t.l), p.kody) << p.koniec_S;
        EXPECT_NEAR(t.l.wybierz(2)->kat_od, 88.5, 1e-9);
        EXPECT_TRUE(spojna(t.l));
    }
    // both remainders under 0.25 degree: nothing changes
    Tarcza t;
    wypelnij(t.l, {{0, 89, kPraca}, {89, 91.2, kPostoj}, {91.2, 0, kJazda}});
    EXPECT_EQ(wstaw(t, kJazda, 1), 0);
    EXPECT_EQ(starty(t.l), (std::vector<double>{0, 89, 91.2}));
}

// work 10..100, rest 100..200, driving 200..10
void trzy_okresy(Tarcza& t) {
    t.l.ustaw_kat_rozp(10);
    wypelnij(t.l, {{10, 100, kPraca}, {100, 200, kPostoj}, {200, 10, kJazda, 50}});
}

TEST(Przeciaganie, PierwszaGranicaPrzesuwaKatRozpIKoniecOstatniego) {
    Tarcza t;
    trzy_okresy(t);
    t.l.granica = t.l.pierwszy;
    EXPECT_EQ(t.l.przeciagnij_granice(350, 200, false), 1); // to angle 0
    EXPECT_NEAR(t.l.pierwszy->kat_od, 0, 1e-9);
    EXPECT_NEAR(t.l.kat_rozp, 0, 1e-9);
    EXPECT_NEAR(t.l.ostatni->kat_do, 0, 1e-9);
    EXPECT_NEAR(t.l.pierwszy->czas_od, host::KatNaGodz(0, 0), 1e-12);
    EXPECT_EQ(t.l.pierwszy->pz_zespol, kZnakReczny);
    EXPECT_EQ(t.l.ostatni->pz_zespol, kZnakReczny);
    EXPECT_EQ(t.l.ostatni->km, 0); // its distance is read again
    EXPECT_EQ(t.l.przesunieto, 1);
    // releasing where the live drag left it changes nothing more
    EXPECT_EQ(t.l.przeciagnij_granice(350, 200, true), 0);
    EXPECT_EQ(t.l.kat_przeciagania, -1.0f);

    // released at once: no marks, the last period ends just before the new start
    Tarcza r;
    trzy_okresy(r);
    r.l.granica = r.l.pierwszy;
    EXPECT_EQ(r.l.przeciagnij_granice(350, 200, true), 1);
    EXPECT_NEAR(r.l.ostatni->kat_do, 359.99, 1e-9);
    EXPECT_EQ(r.l.pierwszy->pz_zespol, 0);
}

} // namespace
