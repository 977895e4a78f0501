// Period list: inserting into a period, dragging a boundary, distance points by hand.
#include "PomocListy.h"

#include "host/Dialogi.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"

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

TEST(Wstawianie, BrakDanychJakoPostojZeZnakiem3) {
    Tarcza t;
    wypelnij(t.l, {{0, 60, kPraca}, {60, 120, kJazda}, {120, 0, kPostoj}});
    ASSERT_EQ(wstaw(t, kBrakDanych), 1);
    EXPECT_EQ(t.l.wybierz(2)->czy_praca, kPostoj);
    EXPECT_EQ(t.l.wybierz(2)->pz_zespol, kZnakBrakDanych);
}

TEST(Wstawianie, BezObrazuDzieliOkresWKacie) {
    Lista_zdarz l;
    wypelnij(l, {{0, 60, kPraca}, {60, 120, kPostoj, 0, kZnakBrakDanych}, {120, 0, kJazda}});
    l.zaznaczony = l.wybierz(1);
    EXPECT_EQ(l.wstaw_w_zaznaczony(90, 0, kJazda, 1.5, 0), 1);
    EXPECT_EQ(starty(l), (std::vector<double>{0, 60, 90, 120}));
    EXPECT_EQ(kody(l), (std::vector<int>{kPraca, kPostoj, kPostoj, kJazda}));
    EXPECT_EQ(l.wybierz(1)->pz_zespol, kZnakBrakDanych); // the front part keeps the mark
    EXPECT_EQ(l.wybierz(2)->pz_zespol, 0);
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

TEST(Przeciaganie, JedenOkresZostajePelnaTarcza) {
    for (int bez_dociagania : {0, 1}) {
        Tarcza t;
        t.l.bez_dociagania = static_cast<std::uint8_t>(bez_dociagania);
        wypelnij(t.l, {{10, 9.99, kPostoj}});
        t.l.granica = t.l.pierwszy;
        t.l.kat_zak = 9.99;
        EXPECT_EQ(t.l.przeciagnij_granice(200, 350, false), 1); // to angle 90
        const double koniec = bez_dociagania ? 89.75 : 89.99;
        EXPECT_NEAR(t.l.pierwszy->kat_od, 90, 1e-9);
        EXPECT_NEAR(t.l.pierwszy->kat_do, koniec, 1e-9);
        EXPECT_NEAR(t.l.kat_zak, koniec, 1e-9);
    }
}

TEST(Przeciaganie, GranicaZostajeMinuteWewnatrzSasiadow) {
    struct Przypadek {
        int x, y;       // pointer
        double granica; // where the boundary between periods 0 and 1 ends up
    };
    // 270 lies beyond the second period's end, 0 before the first period's start
    const Przypadek przypadki[] = {{200, 50, 199.75}, {350, 200, 10.25}, {200, 350, 90}};
    for (const auto& p : przypadki) {
        Tarcza t;
        trzy_okresy(t);
        t.l.granica = t.l.wybierz(1);
        EXPECT_EQ(t.l.przeciagnij_granice(p.x, p.y, false), 1);
        EXPECT_NEAR(t.l.wybierz(1)->kat_od, p.granica, 1e-9);
        EXPECT_NEAR(t.l.pierwszy->kat_do, p.granica, 1e-9);
        EXPECT_DOUBLE_EQ(t.l.kat_rozp, 10);
    }
}

struct CzytnikTestowy : CzytnikKm {
    double od = -1, do_ = -1;
    int czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) override {
        od = kat_od;
        do_ = kat_do;
        punkty.dodaj(static_cast<float>(kat_od + 1), 1, 280);
        return punkty.ile;
    }
};

TEST(PunktyRecznie, PasekZOdlegosciKlikniecia) {
    // base radius 250: band edges 258, 269, 280, 292, 304, middles 263, 274, 286, 298
    const std::pair<int, int> przypadki[] = {{255, 0}, {256, 1}, {263, 2}, {280, 3},
                                             {290, 4}, {299, 5}, {330, 0}};
    for (const auto& [r, pasek] : przypadki) {
        host::Bitmap32 obraz(800, 800);
        Lista_zdarz l;
        wypelnij(l, {{350, 30, kJazda}, {30, 350, kPostoj}});
        const Zdarzenie* jazda = l.wybierz(1);
        EXPECT_EQ(l.dodaj_punkt_recznie(obraz, 400, 400, 400 + r, 400, 250.0f, nullptr),
                  pasek ? 1 : 0);
        if (!pasek) continue;
        ASSERT_EQ(jazda->punkty->ile, 1) << r;
        EXPECT_EQ(jazda->punkty->pierwszy->nr_paska, pasek) << r;
        EXPECT_EQ(jazda->punkty->pierwszy->kat, 360.0f); // held past 360 in a period across it
        EXPECT_EQ(jazda->punkty->edytowana, 1);
        EXPECT_EQ(obraz.GetPixelS(400 + r, 400), host::Color32(255, 0, 0));
    }
}

TEST(PunktyRecznie, PozaJazdaOdmowaAWykrywanieCzytnikiem) {
    auto okna = std::make_shared<host::ScriptedDialogs>();
    host::InstallDialogs(okna);
    host::Bitmap32 obraz(800, 800);
    Lista_zdarz l;
    wypelnij(l, {{350, 30, kJazda}, {30, 350, kPostoj}});
    EXPECT_EQ(l.dodaj_punkt_recznie(obraz, 400, 400, 130, 400, 250.0f, nullptr), 0);
    EXPECT_EQ(okna->shown, QStringList{host::LoadResstrings("Resstrings_IDS_ListaPNieDodamPkt")});
    host::InstallDialogs(nullptr);

    EXPECT_EQ(l.wykryj_punkty(), -1); // no reader set
    CzytnikTestowy czytnik;
    l.ustaw_czytnik_km(&czytnik);
    l.zaznaczony_km = l.wybierz(1);
    EXPECT_EQ(l.wykryj_punkty(), 1);
    EXPECT_EQ(std::make_pair(czytnik.od, czytnik.do_), std::make_pair(350.0, 30.0));
    EXPECT_EQ(l.zaznaczony_km->punkty->edytowana, 1);
    EXPECT_EQ(l.zmiana, 1);
    l.rysuj_punkty(obraz, 400, 400, nullptr);
    const auto [x, y] = punkt_na_tarczy(351, 280, 400, 400);
    EXPECT_EQ(obraz.GetPixelS(x, y), host::Color32(255, 0, 0));
}

} // namespace
