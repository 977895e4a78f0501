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

TEST(AutoPunktyKm, SharesFollowTheLengthsAndTheZigZagCarriesOver) {
    Lista_zdarz l;
    l.dodaj_zdarzenie(0, 10, kPostoj);
    l.dodaj_zdarzenie(10, 11, kJazda); // 1 degree: 1 km, which cannot be drawn
    l.dodaj_zdarzenie(11, 20, kPraca);
    l.dodaj_zdarzenie(20, 69, kJazda); // 49 degrees
    l.dodaj_zdarzenie(69, 200, kPostoj);
    l.dodaj_zdarzenie(200, 250, kJazda); // 50 degrees, the last one: what is left
    l.dodaj_zdarzenie(250, 360, kPostoj);
    ListaZdarzOkresy okresy(l);
    AutoPunktyKm(okresy).dodaj(100);

    EXPECT_EQ(okres(l, 1).km, 0);
    EXPECT_EQ(okres(l, 1).punkty->ile, 0);
    EXPECT_EQ(okres(l, 3).km, 49);
    EXPECT_EQ(okres(l, 5).km, 51); // 100 - 49: the single kilometre went to the last period
    EXPECT_EQ(okres(l, 3).punkty->odleglosc(), 49);
    EXPECT_EQ(okres(l, 5).punkty->odleglosc(), 51);

    const auto b = punkty(*okres(l, 3).punkty);
    const auto c = punkty(*okres(l, 5).punkty);
    ASSERT_EQ(b.size(), 11u); // opening point and ten strokes (5, 8 x 5, 4)
    EXPECT_FLOAT_EQ(std::get<0>(b.front()), 20.0f);
    EXPECT_FLOAT_EQ(std::get<0>(b.back()), 69.0f);
    EXPECT_FLOAT_EQ(std::get<0>(b[1]) - std::get<0>(b[0]), 4.9f);
    // The next period opens where the last one's zig-zag stopped.
    EXPECT_EQ(std::get<1>(c.front()), std::get<1>(b.back()));
    EXPECT_FLOAT_EQ(std::get<0>(c.front()), 200.0f);
    EXPECT_FLOAT_EQ(std::get<0>(c.back()), 250.0f);
}

TEST(AutoPunktyKm, ShortDistanceUsesTheTruncatedStrokeCount) {
    // 3 km before the first turn: (3 - 5) / 5 truncates to 0 and leaves a remainder, so the
    // period is cut into two steps and the points stop half way.
    Lista_zdarz l;
    l.dodaj_zdarzenie(0, 100, kPostoj);
    l.dodaj_zdarzenie(100, 140, kJazda);
    l.dodaj_zdarzenie(140, 360, kPostoj);
    ListaZdarzOkresy okresy(l);
    AutoPunktyKm(okresy).dodaj(3);
    EXPECT_EQ(punkty(*okres(l, 1).punkty),
              (std::vector<Punkt>{{100.0f, 1, 270}, {120.0f, 3, 292}}));
    EXPECT_EQ(okres(l, 1).punkty->odleglosc(), 3);
}

TEST(AutoPunktyKm, DetailedChartCollectsThePointsAcrossTheStart) {
    Lista_zdarz l;
    l.czy_szczeg = 1;
    l.ustaw_kat_rozp(340.0);
    l.dodaj_zdarzenie(340, 350, kPostoj);
    l.dodaj_zdarzenie(350, 10, kJazda); // crosses 360
    l.dodaj_zdarzenie(10, 100, kPostoj);
    l.dodaj_zdarzenie(100, 120, kJazda);
    l.dodaj_zdarzenie(120, 340, kPostoj);
    l.punkty_tarczy->dodaj(5.0f, 2, 281);
    ListaZdarzOkresy okresy(l);
    AutoPunktyKm(okresy).dodaj(20);

    // No opening points and no distance on the periods; after the period across 360 the
    // angles carry a whole turn.
    EXPECT_EQ(punkty(*l.punkty_tarczy),
              (std::vector<Punkt>{
                  {350.0f, 5, 314}, {360.0f, 1, 270}, {460.0f, 5, 314}, {470.0f, 1, 270}}));
    for (int p = 0; p <= l.ile; ++p) {
        EXPECT_EQ(okres(l, p).km, 0);
        EXPECT_EQ(okres(l, p).punkty->ile, 0);
    }
}
