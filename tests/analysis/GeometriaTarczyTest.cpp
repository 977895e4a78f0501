#include "analysis/GeometriaTarczy.h"

#include <gtest/gtest.h>

#include <cmath>

using analysis::GeometriaTarczy;

TEST(GeometriaTarczy, RingRadiusIsTheMeanOfTheBracketingRays) {
    // Rays from kat24 + 210 in 7.5-degree steps, whole degrees: 210, 217, ... 352, 360, 7, ...
    GeometriaTarczy g;
    for (int i = 0; i < GeometriaTarczy::ile_promieni_km; ++i) {
        float a = std::trunc(i * 7.5f + 210.0f);
        if (a > 360.0f) a -= 360.0f;
        g.promienie_km[i] = {a, 250.0f + i, 0.0f, 0.0f};
    }
    ASSERT_EQ(g.promienie_km[20].kat, 360.0f);
    struct {
        float kat, promien;
    } const przypadki[] = {
        {217.0f, 250.5f}, // the upper bound belongs to pair (0, 1)
        {217.5f, 251.5f},
        {3.0f, 270.5f},   // across 360: pair (20, 21) = (360, 7)
        {360.0f, 270.5f}, // 360 folds to 0
        {-5.0f, 269.5f},
        {205.0f, 250.5f}, // between ray 47 (202) and ray 48 (210): not tried, fallback (0, 1)
    };
    for (const auto& p : przypadki)
        EXPECT_FLOAT_EQ(g.jaki_promien_km(p.kat), p.promien) << p.kat;
}

TEST(GeometriaTarczy, OffsetIsTheTruncatedIntegerMean) {
    GeometriaTarczy g;
    for (int j = 0; j < GeometriaTarczy::ile_delta_h; ++j)
        g.delta_h[j] = {j * 5, j};
    struct {
        std::int32_t o1, o2;
        float wynik;
    } const przypadki[] = {{3, 4, 3.0f}, {-3, -4, -3.0f}, {-5, 2, -1.0f}}; // toward zero
    for (const auto& p : przypadki) {
        g.delta_h[2].offset = p.o1;
        g.delta_h[3].offset = p.o2;
        EXPECT_FLOAT_EQ(g.jaka_delta_h(12.0f), p.wynik) << p.o1 << " " << p.o2;
    }
    // Beyond ray 71 (355) the pair (71, 72) is never tried: entries 0 and 1 answer.
    g.delta_h[0].offset = 7;
    g.delta_h[1].offset = 2;
    g.delta_h[71].offset = g.delta_h[72].offset = 40;
    EXPECT_FLOAT_EQ(g.jaka_delta_h(357.0f), 4.0f);
}

// The walker keeps the pair it found between table angles: along walks forward and back in
// small steps, across 360 and onto the table angles themselves, it answers as the search does,
// also for a table with repeated, fractional and unordered angles.
TEST(GeometriaTarczy, WalkerAnswersAsTheSearch) {
    GeometriaTarczy zwykla;
    for (int i = 0; i < GeometriaTarczy::ile_promieni_km; ++i) {
        float a = std::trunc(i * 7.5f + 210.0f);
        if (a > 360.0f) a -= 360.0f;
        zwykla.promienie_km[i] = {a, 250.0f + i, 0.0f, 0.0f};
    }
    GeometriaTarczy dziwna = zwykla;
    dziwna.promienie_km[5].kat = dziwna.promienie_km[4].kat; // repeated
    dziwna.promienie_km[9].kat += 0.25f;                     // fractional
    std::swap(dziwna.promienie_km[30].kat, dziwna.promienie_km[31].kat);
    for (const GeometriaTarczy* g : {&zwykla, &dziwna}) {
        struct {
            float od, krok;
        } const spacery[] = {{-10.0f, 0.37f}, {200.0f, 0.25f}, {720.0f, -0.5f}, {357.0f, 1.0f}};
        for (const auto& s : spacery) {
            analysis::PromienKmWzdluz wzdluz(*g);
            float a = s.od;
            for (int k = 0; k < 1500; ++k, a += s.krok)
                ASSERT_EQ(wzdluz(a), g->jaki_promien_km(a)) << a;
        }
    }
}
