#include "analysis/Centrowanie.h"

#include "PomocOdczytu.h"
#include "RysunekTestowy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using analysis::Centrowanie;
using analysis::GeometriaTarczy;
using analysis::PromienKm;

namespace {

constexpr int N = GeometriaTarczy::ile_promieni_km - 1; // 48

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
    auto c = rysuj_tarcze(s);
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

} // namespace

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
        // A lasting step of 3 px: flagged until more rays than its height have passed.
        {"lasting step",
         stopien,
         {10, 11, 12},
         {{10, 259.75f}, {11, 260.5f}, {12, 261.25f}, {13, 262.0f}}},
        // Steps below 2 px are the ring's own wobble.
        {"1.5 px step", {{20, 260.5f}, {21, 260.5f}}, {}, {{20, 260.5f}}},
        {"2 px step", {{20, 261.0f}, {21, 259.0f}}, {20}, {{20, 259.0f}}},
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
    for (int typ : {0, 2, 4}) {
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
