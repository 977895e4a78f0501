// Whole readings of generated charts: accuracy by chart kind and noise, and what the reading
// leaves besides the periods.
#include "PomocTarczy.h"

#include "activity/CzytnikKmOkna.h"
#include "activity/OdczytTarczy.h"
#include "activity/lista_pkt.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "host/KatyCzas.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>

using chartgen::ChartSpec;
using chartgen::Period;

namespace {

struct Ocena {
    double zgodnosc = 0.0;    // share of the day's 1440 minutes read as drawn
    double max_granica = 0.0; // minutes from a drawn boundary to the nearest read one
    int km_zle = 0;           // drives whose read kilometres differ from the drawn ones
    int punkty_zle = 0;       // drives whose read point bands differ from the drawn ones
    std::string opis;
};

// The code a reading can tell at a minute: no trace is rest, the pseudo-stepped kind tells
// only driving from the rest.
int oczekiwany_kod(const ChartSpec& spec, double minuta) {
    const double m = std::fmod(minuta - spec.recordingStart() + 2880.0, 1440.0);
    for (const chartgen::Stretch& s : chartgen::layOut(spec)) {
        if (m < s.od || m >= s.do_) continue;
        if (s.czy_praca < 0 || (spec.typ == 3 && s.czy_praca != 2)) return 0;
        return s.czy_praca;
    }
    return 0;
}

// Draws the chart, reads it and scores the reading.
Ocena czytaj_i_ocen(const ChartSpec& spec) {
    std::optional<chartgen::DrawnChart> rys;
    const auto odczyt = rysuj_i_czytaj(spec, rys);
    if (!odczyt) return {};
    const Lista_zdarz& l = *odczyt->lista;

    Ocena o;
    std::ostringstream opis;
    int dobrze = 0;
    std::vector<int> kody(1440);
    for (int m = 0; m < 1440; ++m) {
        kody[std::size_t(m)] = oczekiwany_kod(spec, m + 0.5);
        const Zdarzenie* z = l.na_pozycji(l.pozycja_kata(spec.angleOf(m + 0.5)));
        if (z && z->czy_praca == kody[std::size_t(m)]) ++dobrze;
    }
    o.zgodnosc = dobrze / 1440.0;
    std::vector<double> granice;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
        for (double k : {z->kat_od, z->kat_do})
            granice.push_back(host::Katdo360(k - spec.kat24) * 4.0);
    for (int m = 0; m < 1440; ++m) {
        if (kody[std::size_t(m)] == kody[std::size_t((m + 1439) % 1440)]) continue;
        double najblizsza = 1440.0;
        for (double gr : granice)
            najblizsza = std::min({najblizsza, std::fabs(gr - m), 1440.0 - std::fabs(gr - m)});
        o.max_granica = std::max(o.max_granica, najblizsza);
        if (najblizsza > 2.0) opis << "boundary at minute " << m << " off " << najblizsza << "; ";
    }
    // Kilometres and points of every drive, from the read period that holds its middle.
    for (const chartgen::DrivingReading& r : rys->distance.driving) {
        const Period& p = spec.periods[std::size_t(r.period)];
        const double dl =
            p.czas_do > p.czas_od ? p.czas_do - p.czas_od : p.czas_do - p.czas_od + 1440;
        const Zdarzenie* z = l.na_pozycji(l.pozycja_kata(spec.angleOf(p.czas_od + dl / 2.0)));
        const lista_pkt* pkt = z ? z->punkty.get() : nullptr;
        std::vector<int> pasma;
        for (const lista_pkt_node* w = pkt ? pkt->pierwszy : nullptr; w; w = w->nast)
            pasma.push_back(w->nr_paska);
        const int km = pkt ? pkt->odleglosc() : -1;
        if (!z || z->czy_praca != 2 || km != r.km) {
            ++o.km_zle;
            opis << "drive " << r.period << ": " << km << " km for " << r.km << "; ";
        }
        if (pasma != r.punkty) ++o.punkty_zle;
    }
    o.opis = opis.str();
    return o;
}

double hm(int h, int m) {
    return h * 60.0 + m;
}

TEST(OdczytTarczy, AccuracyByKindAndNoise) {
    // Working days with every activity, short and long periods, a drive across midnight.
    const std::vector<Period> dni[] = {
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
    chartgen::Noise ciezki;
    ciezki.specks = 400;
    ciezki.scratch = true;
    ciezki.gaps = 6;
    ciezki.shift_x = 2;
    ciezki.shift_y = -1;
    const struct {
        const char* nazwa;
        chartgen::Noise szum;
        double min_zgodnosc;
        bool km_dokladne;
    } grupy[] = {{"clean", {}, 0.99, true}, {"heavy noise", ciezki, 0.95, false}};
    const double obroty[] = {37.0, 211.5};
    for (const auto& g : grupy) {
        for (int typ = 0; typ <= 4; ++typ) {
            for (std::size_t d = 0; d < 2; ++d) {
                ChartSpec s;
                s.typ = typ;
                s.kat24 = obroty[d];
                s.periods = dni[d];
                s.rozmiar = 1000;
                s.noise = g.szum;
                s.seed = std::uint32_t(11 + d);
                const Ocena o = czytaj_i_ocen(s);
                const std::string co = std::string(g.nazwa) + " kind " + std::to_string(typ) +
                                       " day " + std::to_string(d) + ": " + o.opis;
                EXPECT_GE(o.zgodnosc, g.min_zgodnosc) << co;
                if (g.km_dokladne) {
                    EXPECT_LE(o.max_granica, 2.0) << co;
                    EXPECT_EQ(o.km_zle, 0) << co;
                    EXPECT_EQ(o.punkty_zle, 0) << co;
                }
            }
        }
    }
}

TEST(OdczytTarczy, OdczytKonczySiePodsumowaniemIKontrola) {
    // 4 h 35 of driving in two drives split by a 50-minute rest, then 5 h of driving without a
    // break: the distances are settled from the points, the rest is marked as a complete break
    // and the last drive breaks the continuous-driving limit.
    ChartSpec s;
    s.kat24 = 90.0;
    s.periods = {{0, 0, hm(6, 0)},           {2, hm(6, 0), hm(8, 20), 176},
                 {0, hm(8, 20), hm(9, 10)},  {2, hm(9, 10), hm(11, 25), 171},
                 {1, hm(11, 25), hm(12, 0)}, {2, hm(12, 0), hm(17, 0), 300},
                 {0, hm(17, 0), hm(24, 0)}};
    std::optional<chartgen::DrawnChart> rys;
    const auto odczyt = rysuj_i_czytaj(s, rys);
    ASSERT_TRUE(odczyt);
    const Lista_zdarz& l = *odczyt->lista;
    EXPECT_EQ(odczyt->podsumowanie.suma_km, 176 + 171 + 300);
    EXPECT_EQ(odczyt->siatka.RowCount(), l.liczba() + 1);
    const Zdarzenie* przerwa = l.na_pozycji(l.pozycja_kata(s.angleOf(hm(8, 40))));
    ASSERT_TRUE(przerwa);
    EXPECT_EQ(przerwa->czy_praca, kPostoj);
    EXPECT_EQ(przerwa->czy_przerwa, 3);
    EXPECT_EQ(odczyt->kontrola.wynik, 1);
    EXPECT_EQ(l.ile_jazda_ciagla, 1);
    EXPECT_FALSE(odczyt->kontrola.lista_bledow.isEmpty());
    EXPECT_FLOAT_EQ(odczyt->geometria.kat24, 90.0f);
    EXPECT_GT(odczyt->geometria.pocz_sr_godz, 0);

    // With the analysis off (a stored chart) only the distance ring is measured: the same
    // ring table as the reading's, no hour ring.
    WejscieTarczy we;
    we.x0 = float(rys->image.width() / 2);
    we.y0 = float(rys->image.height() / 2);
    we.kat24 = 90.0f;
    we.czytnik = nullptr;
    const analysis::GeometriaTarczy g =
        zmierz_pierscien_tarczy(rys->image, kalibracja_testowa(), we);
    EXPECT_EQ(g.pocz_sr_godz, 0);
    for (std::size_t i = 0; i < g.promienie_km.size(); ++i)
        EXPECT_FLOAT_EQ(g.promienie_km[i].promien, odczyt->geometria.promienie_km[i].promien) << i;
}

} // namespace

// The reader a window keeps after a reading reads each drive's points again as the reading
// did, from the geometry the reading found; on a detailed chart, the whole driving range.
TEST(OdczytTarczy, CzytnikOknaCzytaPunktyJakOdczyt) {
    ChartSpec s;
    s.kat24 = 200.0;
    s.periods = {{0, 0, hm(5, 0)},           {2, hm(5, 0), hm(7, 40), 180},
                 {1, hm(7, 40), hm(8, 30)},  {2, hm(8, 30), hm(10, 0), 95},
                 {0, hm(10, 0), hm(24, 0)}};
    for (const bool szczeg : {false, true}) {
        SCOPED_TRACE(szczeg);
        const auto rys = rysuj_tarcze(s);
        ASSERT_TRUE(rys);
        WejscieTarczy we;
        we.x0 = float(rys->image.width() / 2);
        we.y0 = float(rys->image.height() / 2);
        we.kat24 = float(s.kat24);
        we.szczeg = szczeg;
        we.czytnik = nullptr;
        const OdczytTarczy o = odczytaj_tarcze(rys->image, kalibracja_testowa(), we);
        Lista_zdarz& l = *o.lista;
        CzytnikKmOkna czytnik(rys->image, kalibracja_testowa(), o.geometria, we);
        EXPECT_EQ(l.wykryj_punkty(), -1) << "no reader set: nothing is read";
        l.ustaw_czytnik_km(&czytnik);
        if (szczeg) {
            const int przed = l.punkty_tarczy->ile;
            ASSERT_GT(przed, 0);
            EXPECT_EQ(l.wykryj_punkty(), przed);
            EXPECT_EQ(l.punkty_tarczy->ile, przed);
            continue;
        }
        int jazdy = 0;
        for (Zdarzenie* z = l.pierwszy; z; z = z->nast) {
            if (z->czy_praca != kJazda) continue;
            ++jazdy;
            const int przed = z->punkty->ile;
            ASSERT_GT(przed, 0);
            l.zaznaczony_km = z;
            l.zmiana = 0;
            EXPECT_EQ(l.wykryj_punkty(), przed);
            EXPECT_EQ(z->punkty->ile, przed);
            EXPECT_EQ(l.zmiana, 1);
        }
        EXPECT_EQ(jazdy, 2);
    }
}
