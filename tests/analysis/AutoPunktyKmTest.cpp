#include "analysis/AutoPunktyKm.h"

#include "activity/ListaZdarzOkresy.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using analysis::AutoPunktyKm;

namespace {

using Punkt = std::tuple<float, int, int>; // angle, level, radius

std::vector<Punkt> punkty(const lista_pkt& l) {
    std::vector<Punkt> v;
    for (const lista_pkt_node* n = l.pierwszy; n; n = n->nast)
        v.emplace_back(n->kat, n->nr_paska, n->promien);
    return v;
}

const Zdarzenie& okres(Lista_zdarz& l, int p) {
    return *l.na_pozycji(p);
}

} // namespace

TEST(AutoPunktyKm, RefusesAboveThreeThousandKilometres) {
    for (int D : {3001, 3000}) {
        SCOPED_TRACE(D);
        Lista_zdarz l;
        l.dodaj_zdarzenie(0, 100, kPostoj, 7);
        l.dodaj_zdarzenie(100, 200, kJazda, 5);
        l.dodaj_punkt(1, 150.0f, 3, 294);
        ListaZdarzOkresy okresy(l);
        int kopie = 0;
        const auto wynik = AutoPunktyKm(okresy).dodaj(D, [&] { ++kopie; });
        if (D > AutoPunktyKm::max_km) {
            EXPECT_EQ(wynik, AutoPunktyKm::Wynik::za_duzo_km);
            EXPECT_EQ(kopie, 0); // nothing backed up, nothing changed
            EXPECT_EQ(okres(l, 0).km, 7);
            EXPECT_EQ(okres(l, 1).punkty->ile, 1);
            EXPECT_EQ(l.zmiana, 0);
        } else {
            EXPECT_EQ(wynik, AutoPunktyKm::Wynik::dodano);
            EXPECT_EQ(kopie, 1);
            EXPECT_EQ(okres(l, 0).km, 0); // every period's distance is cleared first
            EXPECT_EQ(okres(l, 1).km, 3000);
            EXPECT_EQ(okres(l, 1).punkty->odleglosc(), 3000);
            EXPECT_EQ(l.zmiana, 1);
        }
    }
}

TEST(AutoPunktyKm, TwelveKilometresFromTheStartingState) {
    Lista_zdarz l;
    l.dodaj_zdarzenie(0, 100, kPostoj);
    l.dodaj_zdarzenie(100, 130, kJazda);
    l.dodaj_zdarzenie(130, 360, kPostoj);
    ListaZdarzOkresy okresy(l);
    AutoPunktyKm(okresy).dodaj(12);
    // Opening point on the inner line, up to the outer line, down, and 2 km up: evenly spaced
    // over the period, length / 3 apart.
    EXPECT_EQ(punkty(*okres(l, 1).punkty),
              (std::vector<Punkt>{
                  {100.0f, 1, 270}, {110.0f, 5, 314}, {120.0f, 1, 270}, {130.0f, 2, 281}}));
    EXPECT_EQ(okres(l, 1).km, 12);
    EXPECT_EQ(okres(l, 1).punkty->odleglosc(), 12);
}
