// The activity sampling on hand-drawn traces. The trace is drawn exactly along the rays of
// chosen samples (the hour ring at 362), so every sample's class is set by the test.

#include "PomocOdczytu.h"

#include "analysis/OdczytAktywnosci.h"
#include "analysis/OdczytKm.h"

#include <gtest/gtest.h>

#include <array>

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
        {"6 beside rest", 0, {3, 13, 3}, {2, 8, 2}},
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

TEST(OdczytAktywnosci, SingleSampleSpikesAreRemoved) {
    struct {
        const char* co;
        std::vector<std::pair<int, int>> slupki; // sample, height
        std::vector<int> klasy;                  // samples 99..103
    } const przypadki[] = {
        {"one driving sample in rest", {{101, 25}}, {2, 2, 2, 2, 2}},
        {"two driving samples stay", {{101, 25}, {102, 25}}, {2, 2, 11, 11, 2}},
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
        {"level 4 only", 1, {false, false, false, true}, {{440, 443}}, 11},
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
