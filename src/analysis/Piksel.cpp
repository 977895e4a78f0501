#include "analysis/Piksel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace analysis {

namespace {
// Degrees to radians as pi times the constant 1/180 (not pi / 180): the last bit matters
// where a point sits on a half-pixel boundary.
constexpr double stopien = M_PI * (1.0 / 180.0);
// 2 pi as a 32-bit float; the arc step is computed in float.
constexpr float dwa_pi_f = static_cast<float>(6.283185307179586);
} // namespace

Kierunek::Kierunek(double kat) : cos_(std::cos(kat * stopien)), sin_(std::sin(kat * stopien)) {}

Piksel Kierunek::punkt(double x0, double y0, double r) const {
    // The conversion truncates toward zero by itself.
    const PozycjaF p = pozycja(x0, y0, r);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

PozycjaF pozycja_na_kacie(double x0, double y0, double kat, double r) {
    return Kierunek(kat).pozycja(x0, y0, r);
}

Piksel punkt_na_kacie(double x0, double y0, double kat, double r) {
    return Kierunek(kat).punkt(x0, y0, r);
}

namespace {

// The arc walk; with procent 0..100 it stops as soon as the rest of the arc can no longer
// change which side of procent the dark share ends on (policzone and ciemne are then partial).
StatystykaLuku przejdz_luk(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol,
                           float r, int procent) {
    StatystykaLuku s;
    const float krok = 360.0f / (dwa_pi_f * r);
    // A zero or negative radius (an uncalibrated key) has no arc to walk; a radius so large
    // that the step vanishes against the angle must not loop forever either.
    if (!(krok > 0.0f) || !std::isfinite(krok)) return s;
    const float koniec = kat + pol;
    // Each float step is at least krok less the rounding of a sum of this size, so the steps
    // still to come are at most (koniec - a) / krok_min; without a safe bound nothing stops.
    const double zasieg =
        std::max(std::fabs(double(kat - pol)), std::fabs(double(koniec))) + double(krok);
    const double krok_min = double(krok) - zasieg * std::ldexp(1.0, -22);
    const bool przerywaj = procent >= 0 && procent <= 100 && krok_min > 0.5 * double(krok);
    const WidokBitmapy obraz(bmp);
    // The arc is walked by rotating (cos, sin) from step to step instead of calling cos and
    // sin at every pixel; the two differ by far less than 1e-9 pixel over an arc, and a
    // position that close to a pixel boundary is computed again the exact way, so every
    // pixel is the one the angle convention gives.
    constexpr double blisko = 1e-7;
    float a = kat - pol;
    double c = std::cos(a * stopien), sn = std::sin(a * stopien);
    // Float rounding makes the step alternate between a few neighbouring values; their
    // rotations are kept rather than computed again each time the step changes.
    constexpr int ile_krokow = 4;
    double krok_rad[ile_krokow] = {}, cos_krok[ile_krokow] = {1.0, 1.0, 1.0, 1.0},
           sin_krok[ile_krokow] = {};
    int znane = 1, nastepne_miejsce = 1;
    Piksel poprzedni{0, 0};
    while (a <= koniec) {
        const double x = double(x0) + double(r) * c + 0.5;
        const double y = double(y0) + double(r) * sn + 0.5;
        // Conversion to an integer truncates; floor is one less left of or above zero.
        const auto tx = static_cast<std::int64_t>(x), ty = static_cast<std::int64_t>(y);
        const double ux = x - double(tx - (x < double(tx) ? 1 : 0));
        const double uy = y - double(ty - (y < double(ty) ? 1 : 0));
        Piksel p{static_cast<int>(tx), static_cast<int>(ty)};
        if (ux < blisko || ux > 1.0 - blisko || uy < blisko || uy > 1.0 - blisko)
            p = punkt_na_kacie(x0, y0, a, r);
        if (!(p == poprzedni)) {
            poprzedni = p;
            ++s.policzone;
            if (czarny_win(obraz.piksel(p.x, p.y))) ++s.ciemne;
            if (przerywaj) {
                // Exact in integers: the final test compares ciemne * 100 / policzone with
                // procent, and the share can still move only by the pixels left to count.
                const auto zostalo =
                    static_cast<std::int64_t>((double(koniec) - double(a)) / krok_min) + 1;
                const std::int64_t c = s.ciemne, n = s.policzone;
                if (c * 100 > procent * (n + zostalo) ||
                    (c + zostalo) * 100 <= procent * (n + zostalo))
                    return s;
            }
        }
        const float nastepny = a + krok;
        if (nastepny == a) break;
        const double d = (double(nastepny) - double(a)) * stopien;
        int i = 0;
        while (i < znane && krok_rad[i] != d)
            ++i;
        if (i == znane) {
            i = nastepne_miejsce;
            nastepne_miejsce = nastepne_miejsce + 1 < ile_krokow ? nastepne_miejsce + 1 : 0;
            if (znane < ile_krokow) ++znane;
            krok_rad[i] = d;
            cos_krok[i] = std::cos(d);
            sin_krok[i] = std::sin(d);
        }
        const double cos_kroku = cos_krok[i], sin_kroku = sin_krok[i];
        const double c2 = c * cos_kroku - sn * sin_kroku;
        sn = sn * cos_kroku + c * sin_kroku;
        c = c2;
        a = nastepny;
    }
    return s;
}

} // namespace

StatystykaLuku zlicz_luk(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol,
                         float r) {
    return przejdz_luk(bmp, x0, y0, kat, pol, r, -1);
}

bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r) {
    const StatystykaLuku s = przejdz_luk(bmp, x0, y0, kat, pol, r, procent);
    if (s.policzone == 0) return false;
    return double(s.ciemne) * 100.0 / double(s.policzone) > double(procent);
}

bool lok2(const host::Bitmap32& bmp, int kolor, int min_ile, float x, float y) {
    static constexpr double d[3] = {-1.0, 0.0, 1.0};
    const WidokBitmapy obraz(bmp);
    int ile = 0;
    for (double dx : d) {
        const int px = static_cast<int>(std::trunc(double(x) + dx));
        for (double dy : d) {
            const int py = static_cast<int>(std::trunc(double(y) + dy));
            if (host::WinColor(obraz.piksel(px, py)) == kolor) ++ile;
        }
    }
    return ile >= min_ile;
}

} // namespace analysis
