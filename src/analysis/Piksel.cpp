#include "analysis/Piksel.h"

#include <cmath>

namespace analysis {

namespace {
// Degrees to radians as pi times the constant 1/180 (not pi / 180): the last bit matters
// where a point sits on a half-pixel boundary.
constexpr double stopien = M_PI * (1.0 / 180.0);
// 2 pi as a 32-bit float; the arc step is computed in float.
constexpr float dwa_pi_f = static_cast<float>(6.283185307179586);
} // namespace

PozycjaF pozycja_na_kacie(double x0, double y0, double kat, double r) {
    const double rad = kat * stopien;
    return {x0 + r * std::cos(rad) + 0.5, y0 + r * std::sin(rad) + 0.5};
}

Piksel punkt_na_kacie(double x0, double y0, double kat, double r) {
    const PozycjaF p = pozycja_na_kacie(x0, y0, kat, r);
    return {static_cast<int>(std::trunc(p.x)), static_cast<int>(std::trunc(p.y))};
}

StatystykaLuku zlicz_luk(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol,
                         float r) {
    StatystykaLuku s;
    const float krok = 360.0f / (dwa_pi_f * r);
    // A zero or negative radius (an uncalibrated key) has no arc to walk; a radius so large
    // that the step vanishes against the angle must not loop forever either.
    if (!(krok > 0.0f) || !std::isfinite(krok)) return s;
    const float koniec = kat + pol;
    Piksel poprzedni{0, 0};
    for (float a = kat - pol; a <= koniec;) {
        const Piksel p = punkt_na_kacie(x0, y0, a, r);
        if (!(p == poprzedni)) {
            poprzedni = p;
            ++s.policzone;
            if (czarny_win(bmp.GetPixelS(p.x, p.y))) ++s.ciemne;
        }
        const float nastepny = a + krok;
        if (nastepny == a) break;
        a = nastepny;
    }
    return s;
}

bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r) {
    const StatystykaLuku s = zlicz_luk(bmp, x0, y0, kat, pol, r);
    if (s.policzone == 0) return false;
    return double(s.ciemne) * 100.0 / double(s.policzone) > double(procent);
}

bool lok2(const host::Bitmap32& bmp, int kolor, int min_ile, float x, float y) {
    static constexpr double d[3] = {-1.0, 0.0, 1.0};
    int ile = 0;
    for (double dx : d) {
        const int px = static_cast<int>(std::trunc(double(x) + dx));
        for (double dy : d) {
            const int py = static_cast<int>(std::trunc(double(y) + dy));
            if (host::WinColor(bmp.GetPixelS(px, py)) == kolor) ++ile;
        }
    }
    return ile >= min_ile;
}

} // namespace analysis
