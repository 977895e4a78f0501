// Point list distances and the period record's length and stored distance.
#include "activity/Zdarzenie.h"
#include "activity/lista_pkt.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(ListaPkt, OdlegloscToSumaRoznicPaskowPlusJeden) {
    const std::pair<std::vector<int>, int> przypadki[] = {
        {{}, 0}, {{3}, 0}, {{3, 5, 4}, 5}, {{1, 5, 1, 5}, 15}, {{2, 2}, 1}};
    for (const auto& [paski, km] : przypadki) {
        lista_pkt l;
        float kat = 10.0f;
        for (int pasek : paski)
            l.dodaj(kat += 1.0f, pasek, 300);
        EXPECT_EQ(l.odleglosc(), km) << "points: " << paski.size();
    }
}

// Adding sorts by c scans of c exchange steps (c the count before the addition): points of
// equal angle keep their order, and a list whose angles were changed in place is sorted
// again as a whole.
TEST(ListaPkt, DodawanieSortujeJakSkanyZWymiana) {
    auto wzor = [](std::vector<std::pair<float, int>> v) {
        const int c = int(v.size()) - 1;
        for (int i = 0; i < c; ++i)
            for (int j = 0; j < c; ++j)
                if (v[j].first > v[j + 1].first) std::swap(v[j], v[j + 1]);
        return v;
    };
    auto zawartosc = [](const lista_pkt& l) {
        std::vector<std::pair<float, int>> v;
        for (auto* w = l.pierwszy; w; w = w->nast)
            v.emplace_back(w->kat, w->nr_paska);
        return v;
    };
    std::mt19937 los(3);
    for (int proba = 0; proba < 50; ++proba) {
        lista_pkt l;
        std::vector<std::pair<float, int>> oczekiwane;
        for (int i = 0; i < 30; ++i) {
            const float kat = float(los() % 12); // many equal angles
            if (i == 15) // angles changed in place leave the list out of order
                for (auto* w = l.pierwszy; w; w = w->nast)
                    w->kat = float(los() % 12);
            if (i == 15) oczekiwane = zawartosc(l);
            oczekiwane.emplace_back(kat, i);
            l.dodaj(kat, i, 300);
            oczekiwane = wzor(oczekiwane);
            ASSERT_EQ(zawartosc(l), oczekiwane) << "try " << proba << ", point " << i;
        }
    }
}

TEST(ListaPkt, OdlegloscWZakresie) {
    lista_pkt l;
    for (auto [kat, pasek] : {std::pair{10.0f, 1}, {11.0f, 5}, {12.0f, 1}, {13.0f, 5}})
        l.dodaj(kat, pasek, 300);
    // only the step into 12 has both ends inside 10.5..12.5 (with the 0.3 margins)
    EXPECT_EQ(l.odleglosc_w(10.5, 12.5), 5);
    // across 360 (points of such a period are held past 360): a2 below a1 is taken a turn on
    lista_pkt w;
    for (auto [kat, pasek] : {std::pair{358.0f, 1}, {359.5f, 5}, {360.5f, 1}, {365.0f, 5}})
        w.dodaj(kat, pasek, 300);
    EXPECT_EQ(w.odleglosc_w(357.5, 1.5), 10);
}

TEST(Zdarzenie, DlugoscIKmDoZapisu) {
    const std::tuple<double, double, double> dlugosci[] = {
        {10, 20, 10}, {350, 10, 20}, {100, 100, 360}, {200.5, 200.25, 359.75}};
    for (const auto& [od, do_, trw] : dlugosci)
        EXPECT_DOUBLE_EQ(kat_trw(od, do_), trw) << od;
    const std::pair<int, int> km[] = {{-1, 0}, {150, 150}, {32767, 32767}, {40000, 0}};
    for (auto [k, zapis] : km)
        EXPECT_EQ(km_do_zapisu(k), zapis) << k;
}

} // namespace
