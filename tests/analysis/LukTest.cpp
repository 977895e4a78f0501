// The arc walk under the ring searches must visit exactly the pixels the angle convention
// gives at each step, however it computes them.
#include "analysis/Luk.h"

#include "RysunekTestowy.h"
#include "analysis/KierunekLuku.h"
#include "analysis/Piksel.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/SampleCharts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using analysis::Piksel;
using analysis::StatystykaLuku;

namespace {

// The walk written out step by step: one cos and sin per pixel.
StatystykaLuku wzor(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol, float r) {
    StatystykaLuku s;
    const float krok = 360.0f / (static_cast<float>(6.283185307179586) * r);
    Piksel poprzedni{0, 0};
    for (float a = kat - pol; a <= kat + pol; a += krok) {
        const Piksel p = analysis::punkt_na_kacie(x0, y0, a, r);
        if (p == poprzedni) continue;
        poprzedni = p;
        ++s.policzone;
        s.ciemne += analysis::czarny_win(bmp.GetPixelS(p.x, p.y));
    }
    return s;
}

} // namespace

TEST(Luk, WalkVisitsThePixelsOfTheAngleConvention) {
    chartgen::ChartSpec s = chartgen::sampleCharts().front().spec;
    s.noise.specks = 3000; // plenty of isolated pixels to tell neighbours apart
    const auto c = rysuj_tarcze(s);
    ASSERT_TRUE(c);

    std::mt19937 los(7);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    int roznice = 0, przypadki = 0;
    auto sprawdz = [&](float x0, float y0, float kat, float pol, float r) {
        const StatystykaLuku a = analysis::zlicz_luk(c->image, x0, y0, kat, pol, r);
        const StatystykaLuku b = wzor(c->image, x0, y0, kat, pol, r);
        ++przypadki;
        if (a.policzone != b.policzone || a.ciemne != b.ciemne) ++roznice;
        // The darkness test may stop early; its answer must be the whole arc's.
        for (int procent : {0, 30, 50, 51, 100}) {
            const bool ciemny = b.policzone > 0 && b.ciemne * 100.0 / b.policzone > procent;
            if (analysis::lok_prom(c->image, x0, y0, procent, kat, pol, r) != ciemny) ++roznice;
        }
    };
    // Whole and half pixel centres put points on pixel boundaries; arcs off the bitmap.
    for (float x0 : {500.0f, 500.5f})
        for (int kat = 0; kat <= 360; kat += 30)
            for (float r : {259.5f, 348.0f, 700.0f})
                sprawdz(x0, x0, kat, 6.0f, r);
    // Radii whose float step lies exactly half way between two angles of the arc's float
    // spacing: the step then alternates with the last bit of the angle.
    for (auto [kat, r] : {std::pair{100.0f, 311.0f}, {200.0f, 371.5f}})
        for (int i = 0; i < 100; ++i)
            sprawdz(500 + 0.0137f * i, 500 - 0.0071f * i, kat, 6.0f, r);
    for (int i = 0; i < 2000; ++i)
        sprawdz(495 + 10 * u(los), 495 + 10 * u(los), 370 * u(los) - 5, u(los) < 0.5f ? 6.0f : 3.0f,
                std::round((240 + 170 * u(los)) * 2) / 2);
    EXPECT_EQ(roznice, 0) << "of " << przypadki;
}

// Readers that walk along the disc turn the previous direction instead of calling cos and
// sin; the pixels must still be those of the angle convention, also where a point sits on a
// pixel boundary (whole and half-pixel centres, angles on the axes).
TEST(Luk, TurnedDirectionGivesTheExactPixels) {
    std::mt19937 los(11);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    int roznice = 0, przypadki = 0;
    for (float x0 : {500.0f, 500.5f, 499.73f}) {
        for (float krok : {0.1f, 0.177f, 0.25f, 3.0f}) {
            analysis::Kierunek k(-10.0);
            for (float a = -10.0f; a <= 370.0f; a += krok) {
                k = analysis::Kierunek(a, k);
                for (float r : {259.5f, 323.0f, 361.0f, 400.0f + u(los)}) {
                    ++przypadki;
                    if (!(k.punkt(x0, x0, r) == analysis::punkt_na_kacie(x0, x0, a, r))) ++roznice;
                }
            }
        }
    }
    EXPECT_EQ(roznice, 0) << "of " << przypadki;
}

#if defined(__SSE2__)
// Builds without SSE2 walk with the scalar form: it must turn and place points exactly as
// the SSE2 form does, flagging the same points for the exact way.
TEST(Luk, ScalarAndSse2DirectionsAgree) {
    std::mt19937 los(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int roznice = 0, oznaczone = 0;
    for (int i = 0; i < 4000; ++i) {
        const double xp = i % 2 ? 500.5 : 700 * u(los), r = 100 + 400 * u(los);
        double kat = 6.3 * u(los);
        if (i % 4 == 0) {
            // First point at, or a hair from, a pixel boundary in x (or below 1 for xp < r).
            static constexpr double obok[] = {0.0, 1e-9, -1e-9, 1e-6, -1e-6};
            const double x = std::floor(xp + r * std::cos(kat)) + obok[i / 4 % 5];
            kat = std::acos(std::clamp((x - xp) / r, -1.0, 1.0));
        }
        const double krok = 0.004 * u(los);
        analysis::KierunekLukuSkalarny a(std::cos(kat), std::sin(kat));
        analysis::KierunekLukuSse2 b(std::cos(kat), std::sin(kat));
        const analysis::Obrot o = analysis::obrot(krok);
        for (int k = 0; k < 40; ++k) {
            analysis::Piksel p, q;
            const bool pa = a.piksel(xp, xp, r, 1e-7, p), pb = b.piksel(xp, xp, r, 1e-7, q);
            if (pa != pb || (pa && !(p == q))) ++roznice;
            oznaczone += !pa;
            a.obroc(o.cos, o.sin);
            b.obroc(o.cos, o.sin);
        }
    }
    EXPECT_EQ(roznice, 0);
    EXPECT_GT(oznaczone, 500); // the boundary cases were met
}
#endif
