// Whole readings of generated charts into the period list: accuracy by chart kind and noise,
// and the clean-up rules of the reading where a drawn chart shows them.

#include "PomocOdczytuTarczy.h"

#include "chartgen/ChartSpec.h"

#include "analysis/Odczyt.h"
#include "analysis/OdczytAktywnosci.h"
#include "analysis/OdczytKm.h"
#include "host/KatyCzas.h"

#include <gtest/gtest.h>

#include <cmath>

using chartgen::ChartSpec;
using chartgen::Period;

namespace {

double hm(int h, int m) {
    return h * 60.0 + m;
}

// Working days with every activity, short and long periods, a drive across midnight.
std::vector<std::vector<Period>> dni() {
    return {
        {{0, hm(0, 0), hm(5, 40)},
         {1, hm(5, 40), hm(6, 0)},
         {2, hm(6, 0), hm(8, 15), 176},
         {0, hm(8, 15), hm(9, 0)},
         {2, hm(9, 0), hm(11, 20), 171},
         {3, hm(11, 20), hm(12, 0)},
         {0, hm(12, 0), hm(12, 45)},
         {2, hm(12, 45), hm(14, 30), 124},
         {1, hm(14, 30), hm(15, 30)},
         {0, hm(15, 30), hm(24, 0)}},
        {{2, hm(23, 10), hm(1, 5), 97},
         {0, hm(1, 5), hm(7, 0)},
         {3, hm(7, 0), hm(7, 25)},
         {1, hm(7, 25), hm(8, 0)},
         {2, hm(8, 0), hm(8, 12), 9},
         {1, hm(8, 12), hm(8, 40)},
         {2, hm(8, 40), hm(10, 55), 158},
         {3, hm(10, 55), hm(11, 30)},
         {2, hm(11, 30), hm(11, 38), 4},
         {3, hm(11, 38), hm(11, 42)},
         {0, hm(11, 42), hm(13, 0)},
         {2, hm(13, 0), hm(16, 20), 203},
         {1, hm(16, 20), hm(17, 0)},
         {0, hm(17, 0), hm(23, 10)}},
    };
}

struct Grupa {
    const char* nazwa;
    int rozmiar;
    chartgen::Noise szum;
    double min_zgodnosc;
    bool km_dokladne;
};

ChartSpec opis(int typ, double kat24, const std::vector<Period>& okresy, int rozmiar,
               const chartgen::Noise& szum, std::uint32_t ziarno) {
    ChartSpec s;
    s.typ = typ;
    s.kat24 = kat24;
    s.periods = okresy;
    s.rozmiar = rozmiar;
    s.noise = szum;
    s.seed = ziarno;
    return s;
}

} // namespace

TEST(OdczytTarczy, AccuracyByKindAndNoise) {
    chartgen::Noise lekki;
    lekki.specks = 150;
    lekki.gaps = 3;
    lekki.shift_x = 1;
    lekki.shift_y = -1;
    chartgen::Noise ciezki;
    ciezki.specks = 400;
    ciezki.scratch = true;
    ciezki.gaps = 6;
    ciezki.shift_x = 2;
    ciezki.shift_y = -1;
    const Grupa grupy[] = {
        {"clean", 1000, {}, 0.99, true},
        {"clean large", 1500, {}, 0.99, true},
        {"light noise", 1000, lekki, 0.97, false},
        {"heavy noise", 1000, ciezki, 0.95, false},
    };
    const double obroty[] = {37.0, 211.5};
    for (const Grupa& g : grupy) {
        for (int typ = 0; typ <= 4; ++typ) {
            double suma = 0.0;
            int n = 0;
            for (std::size_t d = 0; d < dni().size(); ++d) {
                const ChartSpec s = opis(typ, obroty[d], dni()[d], g.rozmiar, g.szum, 11 + d);
                auto t = OdczytanaTarcza::rysuj(s);
                ASSERT_TRUE(t);
                t->czytaj();
                const Ocena o = ocen(*t);
                suma += o.zgodnosc;
                ++n;
                const std::string co = std::string(g.nazwa) + " kind " + std::to_string(typ) +
                                       " day " + std::to_string(d) + ": " + o.opis;
                EXPECT_GE(o.zgodnosc, g.min_zgodnosc) << co;
                if (g.km_dokladne) {
                    EXPECT_LE(o.max_granica, 2.0) << co;
                    EXPECT_EQ(o.km_zle, 0) << co;
                    EXPECT_EQ(o.punkty_zle, 0) << co;
                }
            }
            std::printf("%-12s kind %d: %.4f of the minutes\n", g.nazwa, typ, suma / n);
        }
    }
}

namespace {

ChartSpec jedna_jazda(int km, double od = hm(10, 0), double do_ = hm(11, 0), double kat24 = 37.0) {
    ChartSpec s;
    s.kat24 = kat24;
    s.periods = {{0, do_, od}, {2, od, do_, km}};
    s.start = do_;
    return s;
}

std::vector<int> pasma(const lista_pkt& l) {
    std::vector<int> p;
    for (const lista_pkt_node* w = l.pierwszy; w; w = w->nast)
        p.push_back(w->nr_paska);
    return p;
}

std::vector<const Zdarzenie*> jazdy(const Lista_zdarz& l) {
    std::vector<const Zdarzenie*> j;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
        if (z->czy_praca == 2) j.push_back(z);
    return j;
}

} // namespace

// A drive whose stylus did not move has no distance: the reading drops it, unless the chart
// is detailed.
TEST(OdczytTarczy, DriveWithoutDistanceDisappears) {
    struct {
        int km;
        bool szczeg;
        std::size_t jazd;
    } const przypadki[] = {{0, false, 0}, {30, false, 1}, {0, true, 1}};
    for (const auto& c : przypadki) {
        auto t = OdczytanaTarcza::rysuj(jedna_jazda(c.km));
        ASSERT_TRUE(t);
        t->we.szczeg = c.szczeg;
        t->czytaj();
        const auto j = jazdy(t->lista);
        ASSERT_EQ(j.size(), c.jazd) << c.km << " km, detailed " << c.szczeg;
        if (!c.szczeg && !j.empty()) {
            EXPECT_EQ(j[0]->punkty->odleglosc(), c.km);
        }
        if (c.jazd == 0) {
            EXPECT_EQ(t->lista.ile, 0); // the rest around it became one period
        }
    }
}

// The reading starts at midnight, so a drive through midnight is read in two pieces; they are
// joined into one period. With midnight at 5 degrees the drive also passes angle 0: the
// period ends below its start, and its distance is read again over the end plus 360.
TEST(OdczytTarczy, DriveAcrossTheStartIsOnePeriodReadPast360) {
    auto t = OdczytanaTarcza::rysuj(jedna_jazda(97, hm(23, 10), hm(1, 5), 5.0));
    ASSERT_TRUE(t);
    t->czytaj();
    const auto j = jazdy(t->lista);
    ASSERT_EQ(j.size(), 1u);
    const Zdarzenie* z = j[0];
    EXPECT_EQ(z, t->lista.pierwszy);
    EXPECT_LT(z->kat_do, z->kat_od);
    EXPECT_EQ(z->punkty->odleglosc(), 97);
    EXPECT_EQ(pasma(*z->punkty), t->rys.distance.driving[0].punkty);
    ASSERT_TRUE(z->punkty->ostatni);
    EXPECT_GT(z->punkty->ostatni->kat, 360.0f);
    // The list would close on itself; its last period stops just short of the first.
    EXPECT_DOUBLE_EQ(t->lista.ostatni->kat_do, z->kat_od - 0.01);
}

// A detailed chart keeps its points in one list for the whole chart.
TEST(OdczytTarczy, DetailedChartCollectsThePointsOfTheWholeChart) {
    auto t = OdczytanaTarcza::rysuj(opis(0, 37.0, dni()[0], 1000, {}, 1));
    ASSERT_TRUE(t);
    t->we.szczeg = true;
    t->czytaj();
    EXPECT_GE(ocen(*t).zgodnosc, 0.99);
    ASSERT_EQ(jazdy(t->lista).size(), 3u);
    for (const Zdarzenie* z = t->lista.pierwszy; z; z = z->nast)
        EXPECT_EQ(z->punkty->ile, 0);
    // The first drive rises from the resting stylus: its first peak follows a partial stroke.
    int peaks = 0;
    for (const auto& r : t->rys.distance.driving)
        peaks += r.tips;
    EXPECT_GE(t->lista.punkty_tarczy->ile, peaks);
    EXPECT_GE(t->lista.punkty_tarczy->pierwszy->kat, float(t->lista.kat_jazdy_od) - 0.5f);
}

// Large scans: stretches above the 85 km/h line inside driving are listed with their times.
TEST(OdczytTarczy, SpeedExcessInsideDrivingIsLabelled) {
    ChartSpec s = jedna_jazda(80);
    s.rozmiar = 1500;
    auto t = OdczytanaTarcza::rysuj(s);
    ASSERT_TRUE(t);
    // The speed trace above 85 km/h runs at rgorny_km + 319..331 on the sheet kind 0.
    auto pas = [&](double od, double do_) {
        const double k1 = s.angleOf(od), k2 = s.angleOf(do_), c = 750.0;
        for (int y = 0; y < 1500; ++y)
            for (int x = 0; x < 1500; ++x) {
                const double r = std::hypot(x - c, y - c);
                const double k = host::Katdo360(std::atan2(y - c, x - c) * 180.0 / M_PI);
                if (r >= 640 && r < 657 && k >= k1 && k < k2)
                    t->rys.image.SetPixelS(x, y, host::clBlack32);
            }
    };
    pas(hm(10, 10), hm(10, 30));
    pas(hm(15, 0), hm(15, 20));
    const auto wynik = [&] {
        t->lista.czy_szczeg = 0;
        t->lista.ustaw_kat24(t->an->geometria().kat24);
        return analysis::Odczyt(*t->an, t->we, *t->okresy, 0, t->an->geometria().kat24);
    }();
    ASSERT_EQ(wynik.przekroczenia.size(), 2u);
    EXPECT_EQ(wynik.przekroczenia[0].flaga, 1);
    EXPECT_EQ(wynik.przekroczenia[1].flaga, 0);
    ASSERT_EQ(wynik.etykiety_przekroczen.size(), 1);
    const QStringList czesci = wynik.etykiety_przekroczen[0].split(QStringLiteral(" - "));
    ASSERT_EQ(czesci.size(), 2) << wynik.etykiety_przekroczen[0].toStdString();
    const auto od = chartgen::textToMinutes(czesci[0]), do_ = chartgen::textToMinutes(czesci[1]);
    ASSERT_TRUE(od && do_) << wynik.etykiety_przekroczen[0].toStdString();
    EXPECT_NEAR(*od, hm(10, 10), 1.5);
    EXPECT_NEAR(*do_, hm(10, 30), 1.5);
}

namespace {

// Reads the chart once for its geometry, then builds the periods again from a sample table
// written by the test: one sample per minute (at the middle of the minute), classed by kod.
template <class Kod> void buduj_z_minut(OdczytanaTarcza& t, Kod kod) {
    t.czytaj();
    t.lista.czysc();
    analysis::OdczytKm km(*t.an, t.we, *t.okresy);
    analysis::OdczytAktywnosci akt(*t.an, t.we, *t.okresy, km);
    const float a0 = float(t.spec.kat24);
    akt.Odczyt_trybu_pracy(t.rys.image, a0);
    auto& tab = akt.probki();
    for (auto& p : tab)
        p = {};
    for (int m = 0; m < 1440; ++m) {
        tab[std::size_t(m)].kat = a0 + 0.25f * (float(m) + 0.5f);
        tab[std::size_t(m)].klasa = float(kod(m));
    }
    akt.Odczyt_godzin_pracy();
}

} // namespace

// A period removed for being too short hands its stretch to its neighbours; a driving
// neighbour that grows loses its points and is read again.
TEST(OdczytTarczy, DrivingThatTakesOverAShortPeriodIsReadAgain) {
    struct {
        const char* co;
        double przerwa_od;
        int km;
    } const przypadki[] = {
        {"two minutes of work inside a drive: the drives merge", hm(11, 0), 120},
        {"two minutes of work before a drive: the drive takes them", hm(9, 58), 120},
    };
    for (const auto& c : przypadki) {
        auto t = OdczytanaTarcza::rysuj(jedna_jazda(120, hm(10, 0), hm(12, 0)));
        ASSERT_TRUE(t);
        buduj_z_minut(*t, [&](int m) {
            if (m >= c.przerwa_od && m < c.przerwa_od + 2) return 8;
            return m >= hm(10, 0) && m < hm(12, 0) ? 11 : 2;
        });
        const auto j = jazdy(t->lista);
        ASSERT_EQ(j.size(), 1u) << c.co;
        EXPECT_EQ(t->lista.ile, 2) << c.co; // rest, driving, rest
        EXPECT_EQ(j[0]->punkty->odleglosc(), c.km) << c.co;
    }
}
