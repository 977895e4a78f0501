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
    const int szer = bmp.width(), wys = bmp.height();
    const host::TColor32* bity = szer > 0 && wys > 0 ? bmp.scanLine(0) : nullptr;
    const qsizetype wiersz = bmp.image().bytesPerLine() / qsizetype(sizeof(host::TColor32));
    // The arc is walked by rotating (cos, sin) from step to step instead of calling cos and
    // sin at every pixel; the two differ by far less than 1e-9 pixel over an arc, and a
    // position that close to a pixel boundary is computed again the exact way, so every
    // pixel is the one the angle convention gives.
    constexpr double blisko = 1e-7;
    float a = kat - pol;
    double c = std::cos(a * stopien), sn = std::sin(a * stopien);
    double krok_rad = 0.0, cos_kroku = 1.0, sin_kroku = 0.0;
    Piksel poprzedni{0, 0};
    while (a <= koniec) {
        double x = double(x0) + double(r) * c + 0.5;
        double y = double(y0) + double(r) * sn + 0.5;
        const double ux = x - std::floor(x), uy = y - std::floor(y);
        if (ux < blisko || ux > 1.0 - blisko || uy < blisko || uy > 1.0 - blisko) {
            const PozycjaF p = pozycja_na_kacie(x0, y0, a, r);
            x = p.x;
            y = p.y;
        }
        const Piksel p{static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y))};
        if (!(p == poprzedni)) {
            poprzedni = p;
            ++s.policzone;
            // GetPixelS without the calls: off the bitmap the colour is 0.
            const bool na = bity && p.x >= 0 && p.y >= 0 && p.x < szer && p.y < wys;
            if (czarny_win(na ? bity[p.y * wiersz + p.x] : 0u)) ++s.ciemne;
        }
        const float nastepny = a + krok;
        if (nastepny == a) break;
        const double d = (double(nastepny) - double(a)) * stopien;
        if (d != krok_rad) {
            krok_rad = d;
            cos_kroku = std::cos(d);
            sin_kroku = std::sin(d);
        }
        const double c2 = c * cos_kroku - sn * sin_kroku;
        sn = sn * cos_kroku + c * sin_kroku;
        c = c2;
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
