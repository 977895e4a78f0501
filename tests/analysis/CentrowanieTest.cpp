#include "analysis/Centrowanie.h"

#include "PomocOdczytu.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using analysis::Centrowanie;
using analysis::GeometriaTarczy;
using analysis::PromienKm;

namespace {

constexpr int N = GeometriaTarczy::ile_promieni_km - 1; // 48

chartgen::ChartGeometry geometria() {
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    EXPECT_TRUE(k) << blad.toStdString();
    const auto g = chartgen::ChartGeometry::from(*k, &blad);
    EXPECT_TRUE(g) << blad.toStdString();
    return *g;
}

// A working day: rest, two hours of driving, rest.
chartgen::ChartSpec dzien(int typ, int rozmiar, double kat24) {
    chartgen::ChartSpec s;
    s.typ = typ;
    s.rozmiar = rozmiar;
    s.kat24 = kat24;
    s.periods = {{0, 0, 360, 0}, {2, 360, 480, 150}, {0, 480, 1440, 0}};
    return s;
}

host::Bitmap32 rysuj(const chartgen::ChartSpec& s) {
    QString blad;
    auto c = chartgen::drawChart(s, geometria(), &blad);
    EXPECT_TRUE(c) << blad.toStdString();
    return c ? std::move(c->image) : host::Bitmap32(s.rozmiar, s.rozmiar);
}

// A ray table with the given radii, none flagged.
std::array<PromienKm, N + 1> tabela(float r = 259.0f) {
    std::array<PromienKm, N + 1> t{};
    for (int i = 0; i <= N; ++i)
        t[std::size_t(i)] = {float(int(i * 7.5 + 210) % 360), r, 0, 0};
    return t;
}

std::vector<int> zaklocone(const std::array<PromienKm, N + 1>& t) {
    std::vector<int> v;
    for (int i = 0; i <= N; ++i)
        if (t[std::size_t(i)].zaklocony != 0.0f) v.push_back(i);
    return v;
}

int ile_pikseli(const host::Bitmap32& b, host::TColor32 kolor) {
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += b.GetPixelS(x, y) == kolor;
    return n;
}

} // namespace

TEST(Centrowanie, CentreOfGeneratedChartsWithinOnePixelAndAHalf) {
    // The import cuts a disc with its centre at the middle of the picture, where the search
    // starts; the printed centre lies within a pixel of it.
    struct Przypadek {
        const char* nazwa;
        int typ, rozmiar;
        double kat24;
        std::optional<double> x0, y0; // printed centre
        double przes_x, przes_y;      // recording centre off the printed one
    };
    const Przypadek przypadki[] = {
        {"standard, centred", 0, 1000, 0.0, {}, {}, 0, 0},
        {"thin, printed centre off by a pixel", 1, 1000, 137.5, 501.0, 499.5, 0, 0},
        {"fractional centre", 0, 1000, 300.0, 500.5, 500.25, 0, 0},
        {"small image class", 0, 800, 200.0, 400.5, 400.5, 0, 0},
        {"large image class, 125 km/h", 4, 1500, 45.0, 751.0, 750.0, 0, 0},
        {"stepped, recording shifted", 2, 1000, 90.0, {}, {}, 2.0, -2.0},
        {"standard, recording shifted", 0, 1000, 250.0, {}, {}, -3.0, 2.0},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        chartgen::ChartSpec s = dzien(p.typ, p.rozmiar, p.kat24);
        s.x0 = p.x0;
        s.y0 = p.y0;
        s.noise.shift_x = p.przes_x;
        s.noise.shift_y = p.przes_y;
        const host::Bitmap32 bmp = rysuj(s);
        analysis::AnalizaTarczy an(bmp, QCoreApplication::applicationDirPath());
        an.geometria().x0 = an.geometria().y0 = p.rozmiar / 2.0f;
        an.geometria().kat24 = float(p.kat24);
        analysis::WejscieAnalizy we;
        we.typ = p.typ;
        Centrowanie c(an, we);
        c.test_cent_km();
        EXPECT_TRUE(zaklocone(an.geometria().promienie_km).empty());
        c.spr_przes();
        EXPECT_NEAR(an.geometria().x0, s.centreX(), 1.5);
        EXPECT_NEAR(an.geometria().y0, s.centreY(), 1.5);
        // On the thickness kinds the driving bar starts at the hour ring (the other
        // activities are too thin to count); the stepped traces have no bar there.
        const int ile = c.test_centrowania();
        if (p.typ < 2 && p.przes_x == 0 && p.przes_y == 0) {
            EXPECT_GT(ile, 0);
            EXPECT_NEAR(an.geometria().pocz_sr_godz, 362, 1);
        }
    }
}

TEST(Centrowanie, EachShiftCheckGoesHalfWayToTheRingCentre) {
    // Every opposite pair gives the offset projected on its ray; their mean is half the
    // offset. Plus the pixel of the rounding convention.
    chartgen::ChartSpec s = dzien(0, 1000, 0.0);
    s.x0 = 504.0;
    s.y0 = 500.0;
    const host::Bitmap32 bmp = rysuj(s);
    analysis::AnalizaTarczy an(bmp, QCoreApplication::applicationDirPath());
    auto& g = an.geometria();
    g.x0 = g.y0 = 500.0f;
    analysis::WejscieAnalizy we;
    Centrowanie c(an, we);
    c.test_cent_km();
    c.spr_przes();
    EXPECT_NEAR(g.x0, 500.0 + 2.0 + 1.0, 0.5);
    EXPECT_NEAR(g.y0, 500.0 + 0.0 + 1.0, 0.5);
    c.test_cent_km();
    c.spr_przes();
    EXPECT_NEAR(g.x0, 503.0 + 0.5 + 1.0, 0.5);
    EXPECT_NEAR(g.y0, 501.0 - 0.5 + 1.0, 0.5);
}

TEST(Centrowanie, OnlyPairsOfUndisturbedRaysMoveTheCentre) {
    TarczaTestowa t;
    auto& g = t.an->geometria();
    g.promienie_km = tabela(259.0f);
    // Every opposite pair has one disturbed ray, and the undisturbed ones are far off the
    // ring: counted, they would pull the centre away.
    for (int i = 0; i < 24; ++i) {
        g.promienie_km[std::size_t(i % 2 ? i : i + 24)].zaklocony = 1.0f;
        g.promienie_km[std::size_t(i % 2 ? i + 24 : i)].promien = 300.0f;
    }
    Centrowanie c(*t.an, t.we);
    c.spr_przes();
    EXPECT_EQ(g.x0, 500.0f);
    EXPECT_EQ(g.y0, 500.0f);

    // One clean pair left, rays 5 and 29 (180 degrees apart) on the ring at 300 and 259:
    // the centre goes to its midpoint.
    g.promienie_km[5].zaklocony = 0.0f;
    const double a = g.promienie_km[5].kat * M_PI / 180.0;
    ASSERT_EQ(std::fmod(g.promienie_km[29].kat - g.promienie_km[5].kat + 360.0f, 360.0f), 180.0f);
    g.promienie_km[5].promien = 259.0f;
    c.spr_przes();
    EXPECT_NEAR(g.x0, 500.0 + 0.5 * (259.0 - 300.0) * std::cos(a) + 1.0, 1e-3);
    EXPECT_NEAR(g.y0, 500.0 + 0.5 * (259.0 - 300.0) * std::sin(a) + 1.0, 1e-3);
}

TEST(Centrowanie, JumpsAreFlaggedAndRepaired) {
    struct Przypadek {
        const char* nazwa;
        std::vector<std::pair<int, float>> zmiany; // ray, radius
        std::vector<int> oznaczone;
        std::vector<std::pair<int, float>> po_naprawie;
    };
    std::vector<std::pair<int, float>> stopien;
    for (int i = 10; i <= N; ++i)
        stopien.push_back({i, 262.0f});
    const Przypadek przypadki[] = {
        // A scratch: back to the old level on the next ray, the accumulated jump is 0 again.
        {"one ray 3 px larger", {{20, 262.0f}}, {20}, {{20, 259.0f}, {19, 259.0f}, {21, 259.0f}}},
        {"one ray 3 px smaller", {{7, 256.0f}}, {7}, {{7, 259.0f}}},
        // A lasting step of 3 px: flagged until more rays than its height have passed.
        {"lasting step",
         stopien,
         {10, 11, 12},
         {{10, 259.75f}, {11, 260.5f}, {12, 261.25f}, {13, 262.0f}}},
        // Steps below 2 px are the ring's own wobble.
        {"1.5 px step", {{20, 260.5f}, {21, 260.5f}}, {}, {{20, 260.5f}}},
        {"2 px step", {{20, 261.0f}, {21, 259.0f}}, {20}, {{20, 259.0f}}},
        // Two disturbed rays side by side: both interpolated between the good neighbours.
        {"two rays",
         {{30, 263.0f}, {31, 263.0f}, {32, 263.0f}, {33, 263.0f}},
         {30, 31, 32, 33},
         {{31, 259.0f}}},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        auto t = tabela();
        for (auto [i, r] : p.zmiany)
            t[std::size_t(i)].promien = r;
        Centrowanie::oznacz_zaklocone(t);
        EXPECT_EQ(zaklocone(t), p.oznaczone);
        EXPECT_FLOAT_EQ(t[1].roznica, t[0].promien - t[1].promien);
        Centrowanie::napraw_zaklocone(t);
        for (auto [i, r] : p.po_naprawie)
            EXPECT_FLOAT_EQ(t[std::size_t(i)].promien, r) << i;
        EXPECT_EQ(t[N].promien, t[0].promien);
    }
}

TEST(Centrowanie, ScratchOnTheRingIsRepairedOnTheDisc) {
    TarczaTestowa t(1000, 0.0f, 30.0f);
    // The ring at 259 (two pixels wide) except around one ray, where it lies 3 px further out.
    const float kat = t.an->geometria().kat24 + 210.0f + 7.5f * 9; // ray 9
    t.wycinek(kat + 4.5, kat - 4.5, 258.6, 260.6);
    t.wycinek(kat - 4.5, kat + 4.5, 261.6, 263.6);
    Centrowanie c(*t.an, t.we);
    c.test_cent_km();
    const auto& tab = t.an->geometria().promienie_km;
    EXPECT_EQ(zaklocone(tab), std::vector<int>{9});
    EXPECT_FLOAT_EQ(tab[9].promien, (tab[8].promien + tab[10].promien) / 2);
    EXPECT_NEAR(tab[9].promien, 259.0f, 1.0f);
    c.spr_przes();
    EXPECT_NEAR(t.an->geometria().x0, 501.0f, 0.5f);
    EXPECT_NEAR(t.an->geometria().y0, 501.0f, 0.5f);
}

TEST(Centrowanie, BlankDiscStopsEveryRayAtItsLimit) {
    TarczaTestowa t;
    t.an->geometria().pocz_sr_godz = 0;
    t.we.typ = analysis::wykres_schodkowy;
    Centrowanie c(*t.an, t.we);
    c.test_cent_km();
    const auto& g = t.an->geometria();
    const float R = std::trunc(t.an->kalibracja().rdolny_km);
    for (const PromienKm& p : g.promienie_km) {
        EXPECT_EQ(p.promien, R);
        EXPECT_EQ(p.zaklocony, 0.0f);
    }
    // A concentric (here: missing) upper edge gives the fixed lift of 5, the last ray 0.
    for (int j = 0; j < GeometriaTarczy::ile_delta_h - 1; ++j)
        EXPECT_EQ(g.delta_h[j].offset, 5);
    EXPECT_EQ(g.delta_h[72].offset, 0);
    EXPECT_EQ(g.delta_h[0].kat, 0);
    EXPECT_EQ(g.delta_h[1].kat, 5);

    c.spr_przes();
    EXPECT_EQ(g.x0, 501.0f);
    EXPECT_EQ(g.y0, 501.0f);
    EXPECT_EQ(c.test_centrowania(), 0);
    EXPECT_EQ(g.pocz_sr_godz, 375); // the search end, 405, capped
}

TEST(Centrowanie, UpperEdgeMeasuredForSteppedChartsOnly) {
    // The printed rings 4 px right of the guessed centre: the outer ring is further away on
    // the right (0 degrees) than on the left (180 degrees).
    chartgen::ChartSpec s = dzien(2, 1000, 0.0);
    s.x0 = 504.0;
    const host::Bitmap32 bmp = rysuj(s);
    for (int typ : {0, 2, 3, 4}) {
        SCOPED_TRACE(typ);
        analysis::AnalizaTarczy an(bmp, QCoreApplication::applicationDirPath());
        an.geometria().x0 = an.geometria().y0 = 500.0f;
        an.geometria().delta_h[3].offset = 9; // left over from an earlier reading
        analysis::WejscieAnalizy we;
        we.typ = typ;
        Centrowanie(an, we).test_cent_km();
        const auto& d = an.geometria().delta_h;
        if (typ != 2) {
            for (const auto& e : d) {
                EXPECT_EQ(e.offset, 0);
                EXPECT_EQ(e.kat, 0);
            }
            EXPECT_EQ(an.geometria().jaka_delta_h(10.0f), 0.0f);
            continue;
        }
        EXPECT_EQ(d[0].kat, 0);
        EXPECT_EQ(d[36].kat, 180);
        EXPECT_GE(d[0].offset, 7);
        EXPECT_LE(d[36].offset, 1);
        EXPECT_NEAR(d[18].offset, d[54].offset, 1); // 90 and 270 degrees alike
    }
}

TEST(Centrowanie, HourRingIsTheMeanStartOfTheWideRays) {
    struct Przypadek {
        const char* nazwa;
        std::vector<std::array<double, 4>> pierscienie; // kat od, kat do, r od, r do
        int promien, ile;
    };
    const Przypadek przypadki[] = {
        {"ring from 360", {{0, 360, 359.5, 372}}, 360, 48},
        // Thicker than the 58 px the width walk can see: still one valid ring at its start.
        {"ring thicker than 58 px", {{0, 360, 330, 440}}, 348, 48},
        // Rays on the thin half do not count; their start radii stay out of the mean.
        {"thin half", {{0, 180, 364.5, 380}, {180, 360, 351.5, 356}}, 365, 24},
        // No ray valid: the last ray's start.
        {"thin only", {{0, 360, 351.5, 356}}, 352, 0},
        {"missing", {}, 375, 0},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        TarczaTestowa t;
        for (const auto& w : p.pierscienie)
            t.wycinek(w[0], w[1], w[2], w[3]);
        Centrowanie c(*t.an, t.we);
        EXPECT_EQ(c.test_centrowania(), p.ile);
        EXPECT_EQ(t.an->geometria().pocz_sr_godz, p.promien);
    }
}

TEST(Centrowanie, MarksOnlyWhenTheCalibrationAsksForThem) {
    QTemporaryDir dir;
    QFile::copy(chartgen::defaultCalibrationPath(), dir.filePath("ust_tacho.ini"));
    QFile ini(dir.filePath("ust_tacho.ini"));
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\nkolka_km=1\n");
    ini.close();

    chartgen::ChartSpec s = dzien(0, 1000, 0.0);
    const host::Bitmap32 bmp = rysuj(s);
    for (bool z_kolkami : {false, true}) {
        SCOPED_TRACE(z_kolkami);
        analysis::AnalizaTarczy an(bmp,
                                   z_kolkami ? dir.path() : QCoreApplication::applicationDirPath());
        an.geometria().x0 = an.geometria().y0 = 500.0f;
        host::Bitmap32 korekta(1000, 1000);
        analysis::WejscieAnalizy we;
        we.korekta = &korekta;
        Centrowanie c(an, we);
        c.test_cent_km();
        c.test_centrowania();
        const int niebieskie = ile_pikseli(korekta, Centrowanie::kolor_pomiaru);
        if (!z_kolkami) {
            EXPECT_EQ(niebieskie, 0);
            continue;
        }
        EXPECT_GT(niebieskie, 48 + 48);
        // Ray 0 of the ring fan gets the big circle: its rightmost pixel 10 px from the point.
        const auto& r0 = an.geometria().promienie_km[0];
        const analysis::Piksel p = an.geometria().punkt(r0.kat, r0.promien);
        EXPECT_EQ(korekta.GetPixelS(p.x + 10, p.y), Centrowanie::kolor_pomiaru);
        EXPECT_EQ(ile_pikseli(korekta, Centrowanie::kolor_zaklocenia), 0);
    }
}
