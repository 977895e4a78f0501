// Redetecting distance points from the picture through the period list (operation 31) with
// the analysis' zig-zag reader.

#include "PomocOdczytuTarczy.h"

#include "activity/CzytnikKmTarczy.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> pasma(const lista_pkt& l) {
    std::vector<int> p;
    for (const lista_pkt_node* w = l.pierwszy; w; w = w->nast)
        p.push_back(w->nr_paska);
    return p;
}

chartgen::ChartSpec dzien() {
    chartgen::ChartSpec s;
    s.kat24 = 350.0; // midnight at 350: the first drive passes angle 0
    s.periods = {{2, 20, 70, 41},   {0, 70, 360},  {2, 360, 470, 121}, {0, 470, 520},
                 {2, 520, 640, 96}, {1, 640, 700}, {0, 700, 20}};
    return s;
}

} // namespace

TEST(CzytnikKmTarczy, RedetectedPeriodGetsThePointsOfTheReading) {
    auto t = OdczytanaTarcza::rysuj(dzien());
    ASSERT_TRUE(t);
    t->czytaj();
    CzytnikKmTarczy czytnik(*t->an, t->we);
    t->lista.ustaw_czytnik_km(&czytnik);
    int jazd = 0;
    for (Zdarzenie* z = t->lista.pierwszy; z; z = z->nast) {
        if (z->czy_praca != 2) continue;
        const auto przed = pasma(*z->punkty);
        ASSERT_FALSE(przed.empty());
        z->punkty->czysc();
        z->punkty->dodaj(1.0f, 3, 290); // whatever was there goes
        t->lista.zaznaczony_km = z;
        t->lista.zmiana = 0;
        EXPECT_EQ(t->lista.wykryj_punkty(), int(przed.size()));
        EXPECT_EQ(pasma(*z->punkty), przed);
        EXPECT_EQ(z->punkty->odleglosc(), t->rys.distance.driving[std::size_t(jazd)].km);
        EXPECT_EQ(z->punkty->edytowana, 1);
        EXPECT_EQ(t->lista.zmiana, 1);
        ++jazd;
    }
    EXPECT_EQ(jazd, 3);
}

TEST(CzytnikKmTarczy, DetailedChartIsRedetectedOverAllItsDriving) {
    auto t = OdczytanaTarcza::rysuj(dzien());
    ASSERT_TRUE(t);
    t->we.szczeg = true;
    t->czytaj();
    const auto przed = pasma(*t->lista.punkty_tarczy);
    ASSERT_GT(przed.size(), 10u);
    CzytnikKmTarczy czytnik(*t->an, t->we);
    t->lista.ustaw_czytnik_km(&czytnik);
    t->lista.punkty_tarczy->czysc();
    EXPECT_EQ(t->lista.wykryj_punkty(), int(przed.size()));
    EXPECT_EQ(pasma(*t->lista.punkty_tarczy), przed);
}
