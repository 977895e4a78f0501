// The activity sampling on hand-drawn traces. The trace is drawn exactly along the rays of
// chosen samples (the hour ring at 362), so every sample's class is set by the test.

#include "PomocOdczytu.h"

#include "analysis/OdczytAktywnosci.h"
#include "analysis/OdczytKm.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

using analysis::OdczytAktywnosci;
using analysis::OdczytKm;

namespace {

constexpr int P = 362;

struct Probkowanie {
    TarczaTestowa& t;
    OdczytKm km;
    OdczytAktywnosci akt;
    explicit Probkowanie(TarczaTestowa& tt)
        : t(tt), km(*tt.an, tt.we, tt.lista), akt(*tt.an, tt.we, tt.lista, km) {}

    // The table ends at its first zero angle.
    std::vector<float> katy(float a0) {
        const host::Bitmap32 pusta(t.bmp.width(), t.bmp.height());
        akt.Odczyt_trybu_pracy(pusta, a0);
        std::vector<float> k;
        for (const auto& p : akt.probki()) {
            if (p.kat == 0.0f) break;
            k.push_back(p.kat);
        }
        return k;
    }
    std::vector<int> klasy(float a0) {
        akt.Odczyt_trybu_pracy(t.bmp, a0);
        std::vector<int> c;
        for (const auto& p : akt.probki()) {
            if (p.kat == 0.0f) break;
            c.push_back(int(p.klasa));
        }
        return c;
    }
};

// A bar of height h from the hour ring along the ray of each sample in [k1, k2).
void slupki(TarczaTestowa& t, const std::vector<float>& katy, int k1, int k2, int h) {
    for (int k = k1; k < k2; ++k)
        if (h > 0) t.promien(katy[std::size_t(k)], P, P + h - 1);
}

// Bars of the given heights, twenty samples each, from sample 100 on.
std::vector<int> czytaj_slupki(int typ, const std::vector<int>& wysokosci) {
    TarczaTestowa t;
    t.we.typ = typ;
    Probkowanie p(t);
    const auto katy = p.katy(100.0f);
    for (std::size_t i = 0; i < wysokosci.size(); ++i)
        slupki(t, katy, 100 + 20 * int(i), 120 + 20 * int(i), wysokosci[i]);
    const auto c = p.klasy(100.0f);
    std::vector<int> w;
    for (std::size_t i = 0; i < wysokosci.size(); ++i)
        w.push_back(c[100 + 20 * i + 10]);
    return w;
}

} // namespace

TEST(OdczytAktywnosci, OneSampleForTwoPixelsOfArcAroundTheDisc) {
    struct {
        int typ;
        float a0;
        int ile;
    } const przypadki[] = {
        {0, 100.0f, 1223}, // radius 389: 2 pi r / 2 = 1222.08
        {1, 100.0f, 1223}, {3, 100.0f, 1223},
        {4, 100.0f, 1223}, {2, 100.0f, 1389}, // stepped: radius 442
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        t.we.typ = c.typ;
        Probkowanie p(t);
        const auto katy = p.katy(c.a0);
        EXPECT_EQ(int(katy.size()), c.ile) << c.typ;
        const float C = 6.2831855f * float(P + (c.typ == 2 ? 80 : 27));
        EXPECT_EQ(katy[1], c.a0 + 720.0f / C);
        EXPECT_EQ(katy[1000], c.a0 + 720000.0f / C);
        EXPECT_FLOAT_EQ(katy[0], c.a0);
        EXPECT_EQ(p.akt.probki()[std::size_t(c.ile)].kat, 0.0f);
        EXPECT_DOUBLE_EQ(t.lista.rozp, double(c.a0));
    }
    // A start of exactly 0.0 ends the table at its first entry.
    TarczaTestowa t;
    Probkowanie p(t);
    EXPECT_TRUE(p.katy(0.0f).empty());
}

TEST(OdczytAktywnosci, LineThicknessGivesTheClass) {
    struct {
        int typ;
        std::vector<int> wysokosci, klasy;
    } const przypadki[] = {
        // Standard ladder every 2 px: 1 rung rest, 4-5 availability, 7-9 work, 10-12 driving.
        {0, {3, 9, 11, 17, 19, 25}, {2, 5, 5, 8, 8, 11}},
        {0, {0, 1}, {2, 2}},
        // Thin ladder 2, 4, 5, 7, 8, 10, 12, 13, 14, 15, 16, 18.
        {1, {3, 9, 14, 19}, {2, 5, 8, 11}},
    };
    for (const auto& c : przypadki)
        EXPECT_EQ(czytaj_slupki(c.typ, c.wysokosci), c.klasy) << c.typ;
}

// Widths 3 and 6 are settled by the samples 2, 4 and 6 away on either side.
TEST(OdczytAktywnosci, InBetweenWidthsAreSettledByTheirNeighbours) {
    struct {
        const char* co;
        int typ;
        std::vector<int> wysokosci, klasy;
    } const przypadki[] = {
        {"3 beside availability", 0, {3, 7, 9}, {2, 5, 5}},
        {"a long run of 3 alone is availability", 0, {3, 7, 3}, {2, 5, 2}},
        {"6 beside availability", 0, {9, 13, 9}, {5, 5, 5}},
        {"6 beside work", 0, {17, 13, 17}, {8, 8, 8}},
        {"6 beside rest", 0, {3, 13, 3}, {2, 8, 2}},
        {"thin: 3 beside availability", 1, {3, 6, 9}, {2, 5, 5}},
    };
    for (const auto& c : przypadki)
        EXPECT_EQ(czytaj_slupki(c.typ, c.wysokosci), c.klasy) << c.co;

    // A short run of 3 between rest has too few 3s on either side.
    TarczaTestowa t;
    Probkowanie p(t);
    const auto katy = p.katy(100.0f);
    slupki(t, katy, 100, 103, 7);
    const auto c = p.klasy(100.0f);
    EXPECT_EQ(std::vector<int>(c.begin() + 99, c.begin() + 104), (std::vector<int>{2, 2, 2, 2, 2}));
}

// The trace base is where the longest dark run near the hour ring starts (the first of equally
// long ones); a long dark run high up the ladder is another line above the trace.
TEST(OdczytAktywnosci, TraceBaseAndLadderRuns) {
    struct {
        const char* co;
        std::vector<std::pair<int, int>> biegi; // radii from P
        int klasa;
    } const przypadki[] = {
        // Base -3: rungs 0 and 1 dark, then rungs 7..11: five, ending at 11.
        {"long run high on the ladder", {{-3, 2}, {13, 21}}, 2},
        // Two runs of 7 with one light pixel between: the base is the inner one at -8, and
        // rungs 0..6 are dark.
        {"first of two equal runs", {{-8, -2}, {0, 6}}, 8},
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        Probkowanie p(t);
        const auto katy = p.katy(100.0f);
        for (int k = 100; k < 120; ++k)
            for (auto [r1, r2] : c.biegi)
                t.promien(katy[std::size_t(k)], P + r1, P + r2);
        EXPECT_EQ(p.klasy(100.0f)[110], c.klasa) << c.co;
    }
}

TEST(OdczytAktywnosci, SingleSampleSpikesAreRemoved) {
    struct {
        const char* co;
        std::vector<std::pair<int, int>> slupki; // sample, height
        std::vector<int> klasy;                  // samples 99..103
    } const przypadki[] = {
        {"one driving sample in rest", {{101, 25}}, {2, 2, 2, 2, 2}},
        {"two driving samples stay", {{101, 25}, {102, 25}}, {2, 2, 11, 11, 2}},
        {"one availability sample", {{101, 9}}, {2, 2, 2, 2, 2}},
        {"one work sample after driving", {{99, 25}, {100, 25}, {101, 17}}, {11, 11, 11, 2, 2}},
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        Probkowanie p(t);
        const auto katy = p.katy(100.0f);
        for (auto [k, h] : c.slupki)
            slupki(t, katy, k, k + 1, h);
        const auto kl = p.klasy(100.0f);
        EXPECT_EQ(std::vector<int>(kl.begin() + 99, kl.begin() + 104), c.klasy) << c.co;
    }
    // The first sample follows the second whatever it read.
    for (bool pierwsza : {true, false}) {
        TarczaTestowa t;
        Probkowanie p(t);
        const auto katy = p.katy(100.0f);
        if (pierwsza)
            slupki(t, katy, 0, 1, 25);
        else
            slupki(t, katy, 1, 3, 25);
        EXPECT_EQ(p.klasy(100.0f)[0], pierwsza ? 2 : 11);
    }
}

namespace {

// Draws the given step levels (1..4) on every sample whose position within its quarter of the
// clock, d, equals the one asked for, and returns the class read on the first such sample.
int klasa_schodkowa(int typ, int d, std::set<int> poziomy, float kat24 = 0.0f) {
    static constexpr int srodki[5] = {0, 355, 383, 411, 439};
    TarczaTestowa t(1000, 259.0f, kat24);
    t.we.typ = typ;
    Probkowanie p(t);
    const auto katy = p.katy(kat24 + 0.5f);
    int pierwsza = -1;
    for (int k = 0; k < int(katy.size()); ++k) {
        const float ak = katy[std::size_t(k)];
        const int dk = int(std::trunc(host::Roznica_katow(kat24, double(ak) + 360.0) + 0.5)) % 90;
        const float wzgl = ak - kat24;
        if (dk != d || wzgl < 40.0f || wzgl >= 130.0f) continue;
        if (pierwsza < 0) pierwsza = k;
        for (int n : poziomy)
            t.promien(ak, srodki[n] - 1, srodki[n] + 1);
    }
    EXPECT_GE(pierwsza, 0);
    return p.klasy(kat24 + 0.5f)[std::size_t(pierwsza)];
}

} // namespace

TEST(OdczytAktywnosci, SteppedTraceIsReadFromTheOutermostLevel) {
    struct {
        int d;
        std::set<int> poziomy;
        int klasa;
    } const przypadki[] = {
        {45, {}, 2},
        {45, {1}, 2},
        {45, {2}, 5},
        {45, {3}, 8},
        {45, {4}, 11},
        {45, {1, 4}, 11},
        {45, {2, 3}, 8},
        // Doubtful angles: such a level counts only when no sure one does.
        {86, {1, 2}, 5},  // both doubtful: the outer one
        {86, {2, 3}, 8},  // 3 is sure here
        {1, {2, 3}, 5},   // 3 doubtful, 2 sure
        {1, {3}, 8},      // doubtful but alone
        {4, {1, 4}, 2},   // 4 doubtful, 1 sure
        {0, {2, 3}, 8},   // both doubtful
        {89, {3, 4}, 11}, // 3 doubtful, 4 sure
    };
    for (int typ : {2, 4})
        for (const auto& c : przypadki)
            EXPECT_EQ(klasa_schodkowa(typ, c.d, c.poziomy, 30.0f), c.klasa)
                << "kind " << typ << " d " << c.d;
}

// Driving or rest only: a dark run of at least four pixels among the selected levels.
TEST(OdczytAktywnosci, PseudoSteppedTraceReadsTheSelectedLevels) {
    struct {
        const char* co;
        int poziomy;
        std::array<bool, 4> p;
        std::vector<std::pair<int, int>> biegi;
        int klasa;
    } const przypadki[] = {
        {"all levels, 4 px", 0, {true, true, true, true}, {{440, 443}}, 11},
        {"all levels, 3 px", 0, {true, true, true, true}, {{440, 442}}, 2},
        {"level 1 only", 1, {true, false, false, false}, {{440, 443}}, 2},
        {"level 4 only", 1, {false, false, false, true}, {{440, 443}}, 11},
        {"no level chosen", 1, {false, false, false, false}, {{350, 447}}, 2},
        {"run carried from level 1 into level 2",
         1,
         {true, true, false, false},
         {{368, 369}, {377, 378}},
         11},
        {"level 1 alone sees 2 px", 1, {true, false, false, false}, {{368, 369}, {377, 378}}, 2},
        {"all levels: the gap breaks the run",
         0,
         {true, true, true, true},
         {{368, 369}, {377, 378}},
         2},
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        t.we.typ = 3;
        t.we.poziomy = c.poziomy;
        t.we.p = c.p;
        Probkowanie p(t);
        const auto katy = p.katy(100.0f);
        for (int k = 100; k < 120; ++k)
            for (auto [r1, r2] : c.biegi)
                t.promien(katy[std::size_t(k)], r1, r2);
        EXPECT_EQ(p.klasy(100.0f)[110], c.klasa) << c.co;
    }
}

// Large scans: the speed trace above the 85 km/h line at rgorny_km + 319..331 (or 296..304 on
// the other sheet kind) becomes an item with a box around it.
TEST(OdczytAktywnosci, SpeedExcessOfLargeScans) {
    struct {
        int rt;
        double kat1, kat2;
        std::size_t ile;
    } const przypadki[] = {
        {0, 100, 110, 1},
        {1, 100, 110, 0},
        {2, 100, 110, 0},
        {0, 90.2, 90.8, 0}, // on the printed six o'clock line: not read
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t(1500);
        ASSERT_EQ(t.an->geometria().polowa_obrazu, 750);
        t.we.rt = c.rt;
        t.wycinek(c.kat1, c.kat2, 640, 657);
        Probkowanie p(t);
        p.akt.Odczyt_trybu_pracy(t.bmp, 20.0f);
        const auto& e = p.akt.przekroczenia();
        ASSERT_EQ(e.size(), c.ile) << c.rt << " " << c.kat1;
        if (e.empty()) continue;
        EXPECT_NEAR(e[0].kat_od, c.kat1, 0.4);
        EXPECT_NEAR(e[0].kat_do, c.kat2, 0.4);
        EXPECT_EQ(e[0].flaga, 0);
        const auto a = t.an->geometria().punkt(e[0].kat_od, 323.0);
        const auto b = t.an->geometria().punkt(e[0].kat_do, 323.0);
        EXPECT_EQ(e[0].left, std::min(a.x, b.x) - 10);
        EXPECT_EQ(e[0].bottom, std::max(a.y, b.y) + 10);
    }
    // Other image classes do not look for it.
    TarczaTestowa t;
    t.wycinek(100, 110, 640, 657);
    Probkowanie p(t);
    p.akt.Odczyt_trybu_pracy(t.bmp, 20.0f);
    EXPECT_TRUE(p.akt.przekroczenia().empty());
}
