// Generated charts must read back as drawn: centre and rings, then each drive's distance
// points, through the chart reader itself.

#include "RysunekTestowy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/Prng.h"
#include "chartgen/SampleCharts.h"

#include "activity/ListaZdarzOkresy.h"
#include "activity/Lista_zdarz.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/Centrowanie.h"
#include "analysis/OdczytKm.h"
#include "analysis/Piksel.h"

#include <gtest/gtest.h>

using namespace chartgen;

namespace {

// The bands of the distance points the reader finds over start..end, after measuring the
// centre and rings as a reading does.
std::vector<int> readBands(const host::Bitmap32& image, const ChartSpec& spec, float start,
                           float end) {
    analysis::AnalizaTarczy an(image, kalibracja_testowa());
    auto& g = an.geometria();
    g.x0 = g.y0 = float(spec.rozmiar / 2);
    g.kat24 = float(spec.kat24);
    g.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(g.x0);
    analysis::WejscieAnalizy we;
    we.typ = spec.typ;
    g.typ = spec.typ;
    analysis::Centrowanie c(an, we);
    c.test_cent_km();
    c.spr_przes();
    c.test_centrowania();
    Lista_zdarz lista;
    lista.ustaw_kat24(spec.kat24);
    ListaZdarzOkresy okresy(lista);
    okresy.dodaj_okres(start, end, 2);
    analysis::OdczytKm(an, we, okresy).ile_pikow(start, end, 0, 0.0f);
    std::vector<int> bands;
    for (const lista_pkt_node* w = lista.pierwszy->punkty->pierwszy; w; w = w->nast)
        bands.push_back(w->nr_paska);
    return bands;
}

// Reads every drive over the true range and over ranges off by half an activity sample
// either way; `slack` false reads the true range only.
void expectDrivesReadBack(const ChartSpec& spec, const std::string& what, bool slack = true) {
    QString error;
    auto c = drawChart(spec, geometria_testowa(), &error);
    ASSERT_TRUE(c) << what << ": " << error.toStdString();
    for (const DrivingReading& r : c->distance.driving) {
        const Period& p = spec.periods[std::size_t(r.period)];
        for (float d : slack ? std::vector<float>{0.0f, 0.15f, -0.15f} : std::vector<float>{0}) {
            const std::vector<int> bands =
                readBands(c->image, spec, float(spec.angleOf(p.czas_od)) + d,
                          float(spec.angleOf(p.czas_do)) - d);
            EXPECT_EQ(bands, r.punkty) << what << " period " << r.period << " slack " << d;
            EXPECT_EQ(kmOfPoints(bands), p.km) << what << " period " << r.period;
        }
    }
}

ChartSpec oneDrive(int km, double minutes, double kat24 = 0) {
    ChartSpec s;
    s.kat24 = kat24;
    s.periods = {{0, 0, 600}, {2, 600, 600 + minutes, km}, {0, 600 + minutes, 1440}};
    return s;
}

} // namespace

TEST(ChartGenReading, DrivesReadBackTheirKilometres) {
    for (const NamedChart& s : sampleCharts())
        if (!s.spec.noise.specks && !s.spec.noise.shift_x)
            expectDrivesReadBack(s.spec, s.name.toStdString());
    // Every residue of the 5 km strokes, slow and fast, short and long drives.
    const struct {
        int km;
        double minutes;
    } cases[] = {{0, 30}, {2, 6},  {3, 10},  {4, 12},   {5, 15},
                 {6, 20}, {9, 30}, {23, 25}, {64, 240}, {143, 95}};
    for (const auto& c : cases)
        for (double kat24 : {0.0, 271.5})
            expectDrivesReadBack(oneDrive(c.km, c.minutes, kat24),
                                 std::to_string(c.km) + " km in " + std::to_string(c.minutes) +
                                     " min, kat24 " + std::to_string(kat24));
}

TEST(ChartGenReading, RandomDaysReadBackExactly) {
    // Drives of 10 to 200 min at up to 84 km/h, stops of 3 to 60 min, centre up to 3 px off.
    Prng rng(42);
    for (int day = 0; day < 10; ++day) {
        ChartSpec s;
        s.kat24 = rng.uniform(0, 360);
        if (day % 3 == 1) {
            s.x0 = 500 + rng.uniform(-3, 3);
            s.y0 = 500 + rng.uniform(-3, 3);
        }
        double t = rng.uniform(1, 120);
        s.periods.push_back({0, 0, t});
        while (true) {
            const double drive = rng.uniform(10, 200), stop = rng.uniform(3, 60);
            if (t + drive + stop > 1430) break;
            int km = int(rng.uniform(0.1, 1.4) * drive);
            if (km == 1) km = 2;
            s.periods.push_back({2, t, t + drive, km});
            s.periods.push_back({0, t + drive, t + drive + stop});
            t += drive + stop;
        }
        s.periods.push_back({0, t, 1440});
        QString error; // only a short fast drive may be refused, and then with the reason
        if (drawChart(s, geometria_testowa(), &error))
            expectDrivesReadBack(s, "day " + std::to_string(day), false);
        else
            EXPECT_TRUE(error.contains(QStringLiteral("cannot be drawn"))) << error.toStdString();
    }
}

TEST(ChartGenDrawing, BarsFillTheBandAtDrivingAndOnlyTheThinLineAtRest) {
    const ChartGeometry g = geometria_testowa();
    const ChartSpec s = sampleCharts()[0].spec; // standard kind, kat24 0, centre 500
    QString error;
    const auto c = drawChart(s, g, &error);
    ASSERT_TRUE(c) << error.toStdString();
    auto darkAlong = [&](double minutes, int from, int to) {
        int dark = 0;
        for (int r = from; r <= to; ++r) {
            const auto p = analysis::punkt_na_kacie(500, 500, s.angleOf(minutes), r);
            dark += c->image.GetPixelS(p.x, p.y) == host::clBlack32;
        }
        return dark;
    };
    const int base = int(g.activityBase);
    EXPECT_EQ(darkAlong(7 * 60, base, base + 23), 24) << "driving fills the band";
    EXPECT_EQ(darkAlong(3 * 60, base, base + 2), 3) << "rest is a thin line at the base";
    EXPECT_EQ(darkAlong(3 * 60, base + 4, base + 30), 0) << "and nothing above it";
    EXPECT_EQ(darkAlong(3 * 60, base - 10, base - 2), 0) << "nor below";
}
