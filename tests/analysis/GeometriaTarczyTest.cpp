#include "analysis/GeometriaTarczy.h"

#include <gtest/gtest.h>

#include <cmath>

using analysis::GeometriaTarczy;

namespace {

// Ray angles as centre detection lays them out: the distance ring from kat24 + 210 in
// 7.5-degree steps, the upper edge from kat24 in 5-degree steps; whole degrees, reduced by
// 360 only above 360. Radii / offsets are distinct per ray so the chosen pair shows.
void rozloz_promienie(GeometriaTarczy& g, float kat24) {
    float a0 = kat24 + 210.0f;
    if (a0 > 360.0f) a0 -= 360.0f;
    for (int i = 0; i < GeometriaTarczy::ile_promieni_km; ++i) {
        float a = std::trunc(i * 7.5f + a0);
        if (a > 360.0f) a -= 360.0f;
        g.promienie_km[i].kat = a;
        g.promienie_km[i].promien = 250.0f + i;
    }
}

void rozloz_delta_h(GeometriaTarczy& g, float kat24) {
    for (int j = 0; j < GeometriaTarczy::ile_delta_h; ++j) {
        float a = std::trunc(j * 5 + kat24);
        if (a > 360.0f) a -= 360.0f;
        g.delta_h[j].kat = static_cast<std::int32_t>(std::trunc(a + 0.5f));
        g.delta_h[j].offset = j;
    }
}

} // namespace

TEST(GeometriaTarczy, RingRadiusIsTheMeanOfTheBracketingRays) {
    GeometriaTarczy g;
    rozloz_promienie(g, 0.0f); // rays at 210, 217, 225, 232, ... 352, 360, 7, 15, ... 202, 210
    ASSERT_EQ(g.promienie_km[20].kat, 360.0f);
    ASSERT_EQ(g.promienie_km[21].kat, 7.0f);
    struct {
        float kat;
        float promien;
    } const przypadki[] = {
        {217.0f, 250.5f}, // 210 < a <= 217: pair (0, 1), the upper bound belongs to it
        {217.5f, 251.5f}, // just past: pair (1, 2)
        {355.0f, 269.5f}, // pair (19, 20) = (352, 360)
        {3.0f, 270.5f},   // across 360: pair (20, 21) = (360, 7)
        {360.0f, 270.5f}, // 360 folds to 0, which the same pair holds
        {-5.0f, 269.5f},  // -5 folds to 355
        {200.0f, 296.5f}, // pair (46, 47) = (195, 202)
        {205.0f, 250.5f}, // between ray 47 (202) and ray 48 (210): not tried, pair (0, 1)
    };
    for (const auto& p : przypadki)
        EXPECT_FLOAT_EQ(g.jaki_promien_km(p.kat), p.promien) << p.kat;
}

TEST(GeometriaTarczy, ThreeSixtyFoldsBeforeTheSearch) {
    // kat24 = 157.5 puts ray 47 exactly on 360 and ray 48 on 7: the last examined pair
    // (46, 47) = (352, 360) would take an unfolded 360; folded to 0 nothing brackets it.
    GeometriaTarczy g;
    rozloz_promienie(g, 157.5f);
    ASSERT_EQ(g.promienie_km[0].kat, 7.0f);
    ASSERT_EQ(g.promienie_km[47].kat, 360.0f);
    EXPECT_FLOAT_EQ(g.jaki_promien_km(360.0f), 250.5f); // entries 0 and 1
    EXPECT_FLOAT_EQ(g.jaki_promien_km(356.0f), 296.5f); // entries 46 and 47
    EXPECT_FLOAT_EQ(g.jaki_promien_km(3.0f), 250.5f);   // before ray 0: fallback pair
}

TEST(GeometriaTarczy, OffsetIsTheTruncatedIntegerMean) {
    GeometriaTarczy g;
    rozloz_delta_h(g, 0.0f); // rays at 0, 5, ..., 355, 360
    ASSERT_EQ(g.delta_h[72].kat, 360);
    struct {
        std::int32_t o1, o2;
        float kat;
        float wynik;
    } const przypadki[] = {
        {3, 4, 12.0f, 3.0f},    // pair (2, 3): 7 / 2 -> 3
        {-3, -4, 12.0f, -3.0f}, // toward zero, not -4
        {-3, 4, 12.0f, 0.0f},   // 1 / 2 -> 0
        {-5, 2, 12.0f, -1.0f},  // -3 / 2 -> -1
        {6, 8, 12.0f, 7.0f},
    };
    for (const auto& p : przypadki) {
        g.delta_h[2].offset = p.o1;
        g.delta_h[3].offset = p.o2;
        EXPECT_FLOAT_EQ(g.jaka_delta_h(p.kat), p.wynik) << p.o1 << " " << p.o2;
    }
    // 10 lies in pair (1, 2) (5 < a <= 10), not (2, 3).
    g.delta_h[1].offset = 1;
    g.delta_h[2].offset = 9;
    EXPECT_FLOAT_EQ(g.jaka_delta_h(10.0f), 5.0f);
    // Beyond ray 71 (355) the pair (71, 72) is never tried: entries 0 and 1 answer.
    g.delta_h[0].offset = 7;
    g.delta_h[1].offset = 2;
    g.delta_h[71].offset = 40;
    g.delta_h[72].offset = 40;
    EXPECT_FLOAT_EQ(g.jaka_delta_h(357.0f), 4.0f);
    EXPECT_FLOAT_EQ(g.jaka_delta_h(0.0f), 4.0f);
}

TEST(GeometriaTarczy, ImageClassFromStoredCentre) {
    EXPECT_EQ(GeometriaTarczy::polowa_obrazu_dla(449.5f), 400);
    EXPECT_EQ(GeometriaTarczy::polowa_obrazu_dla(450.0f), 500);
    EXPECT_EQ(GeometriaTarczy::polowa_obrazu_dla(600.0f), 500);
    EXPECT_EQ(GeometriaTarczy::polowa_obrazu_dla(600.5f), 750);
}
