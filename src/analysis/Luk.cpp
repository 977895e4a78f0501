#include "analysis/Luk.h"

#include "analysis/KierunekLuku.h"
#include "analysis/Obrot.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace analysis {

namespace {

// 2 pi as a 32-bit float; the arc step is computed in float.
constexpr float dwa_pi_f = static_cast<float>(6.283185307179586);

// The rotation by a difference between two float angles (degrees, exact in double): from the
// short series for the small steps of an arc, from cos and sin otherwise.
Obrot obrot_o(double roznica) {
    const double d = roznica * stopien;
    return std::fabs(d) <= 0.02 ? obrot(d) : Obrot{std::cos(d), std::sin(d)};
}

// From a positive float angle a, the float sum a + krok lands on the grid of the binade of a
// (spacing u) by the same rounding of krok / u for every a of the binade, unless that
// remainder is exactly half of u (then it depends on the last bit of a). So the steps are all
// equal, delta, as long as the sum stays below the binade's top. ile counts the angles
// a, a + delta, ... that are at most koniec and whose next step is such a step (0: none).
// e with a in [2^(e-1), 2^e) for a positive float, as frexp gives it; read from the bits for
// a normal float, as the walks set up a series many times per chart.
int wykladnik(float a) {
    const auto bity = std::bit_cast<std::uint32_t>(a);
    const int wykladnik_bitow = static_cast<int>((bity >> 23) & 0xFFu);
    if (wykladnik_bitow == 0 || wykladnik_bitow == 0xFF) {
        int e = 0;
        std::frexp(a, &e);
        return e;
    }
    return wykladnik_bitow - 126;
}

// 2^e for the exponents a float's binade gives (well inside the normal doubles).
double potega_dwojki(int e) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

struct SeriaKrokow {
    double delta = 0.0;
    int ile = 0;
};
SeriaKrokow seria_krokow(float a, float krok, float koniec) {
    if (!(a > 0.0f) || !(koniec >= a)) return {};
    const int e = wykladnik(a); // a in [2^(e-1), 2^e)
    const double gora = potega_dwojki(e);
    const double u = potega_dwojki(e - 24);
    const double q = double(krok) / u;
    if (q - std::floor(q) == 0.5) return {};
    const double delta = double(a + krok) - double(a);
    if (!(delta > 0.0)) return {};
    const double a0 = a;
    // Angles a0 + k delta up to koniec, and those whose next angle stays below gora; the
    // products are exact (k below 2^24, delta a multiple of u with 24 bits at most).
    auto ile_do = [&](double granica, bool ostro) {
        std::int64_t k = static_cast<std::int64_t>((granica - a0) / delta);
        while (k > 0 && (ostro ? a0 + k * delta >= granica : a0 + k * delta > granica))
            --k;
        while (ostro ? a0 + (k + 1) * delta < granica : a0 + (k + 1) * delta <= granica)
            ++k;
        return k; // largest k with a0 + k delta below (or at) granica
    };
    const std::int64_t do_konca = ile_do(double(koniec), false) + 1;
    const std::int64_t do_gory = ile_do(gora, true); // a0 + (k + 1) delta < gora for k < this
    const std::int64_t ile = std::min(do_konca, do_gory);
    return {delta, static_cast<int>(std::clamp<std::int64_t>(ile, 0, 1 << 24))};
}

// Counts the pixels of a block that differ from their predecessor, and the dark ones among
// them.
template <typename Odczyt>
void zlicz(const Piksel* piksele, int m, Piksel& poprzedni, StatystykaLuku& s, Odczyt odczyt) {
    // Without branches: whether a pixel repeats its predecessor follows the arc's slope and
    // cannot be predicted; a repeated pixel is read again but not counted.
    for (int j = 0; j < m; ++j) {
        const Piksel p = piksele[j];
        const int nowy = p == poprzedni ? 0 : 1;
        poprzedni = p;
        s.policzone += nowy;
        s.ciemne += nowy & (czarny_win(odczyt(p)) ? 1 : 0);
    }
}

// The arc walk; with procent 0..100 it stops as soon as the rest of the arc can no longer
// change which side of procent the dark share ends on (policzone and ciemne are then partial).
//
// The steps are taken in blocks: first the pixels of a block are computed (a chain of float
// additions and rotations), then they are counted, so that the counting's unpredictable
// branches do not hold up the arithmetic.
StatystykaLuku przejdz_luk(const WidokBitmapy& obraz, float x0, float y0, float kat, float pol,
                           float r, int procent, const Kierunek& poczatek) {
    StatystykaLuku s;
    const float krok = 360.0f / (dwa_pi_f * r);
    // A zero or negative radius (an uncalibrated key) has no arc to walk; a radius so large
    // that the step vanishes against the angle must not loop forever either.
    if (!(krok > 0.0f) || !std::isfinite(krok)) return s;
    const float koniec = kat + pol;
    // Each float step is at least krok less the rounding of a sum of this size, so at most
    // (koniec - a) / krok_min + 1 steps are left from angle a; without a safe bound nothing
    // stops early.
    const double zasieg =
        std::max(std::fabs(double(kat - pol)), std::fabs(double(koniec))) + double(krok);
    const double krok_min = double(krok) - zasieg * std::ldexp(1.0, -22);
    const bool przerywaj = procent >= 0 && procent <= 100 && krok_min > 0.5 * double(krok);
    // The arc is walked by rotating (cos, sin) from step to step instead of calling cos and
    // sin at every pixel; the two differ by far less than 1e-9 pixel over an arc, and a
    // position that close to a pixel boundary is computed again the exact way, so every
    // pixel is the one the angle convention gives.
    constexpr double blisko = 1e-7;
    const double xp = double(x0) + 0.5, yp = double(y0) + 0.5, rd = double(r);
    float a = kat - pol;
    KierunekLuku kierunek(poczatek.cos(), poczatek.sin());
    // A run of equal float steps (see seria_krokow): a_serii + k * delta, w_serii steps left.
    double a_serii = 0.0, delta = 0.0;
    int k = 0, w_serii = 0;
    Obrot obrot_podwojny{1.0, 0.0};
    KierunekLuku nastepny_kierunek = kierunek;
    Piksel poprzedni{0, 0};
    constexpr int blok = 16;
    Piksel piksele[blok];
    // Every pixel of the arc lies within r + 2 of the centre; when that square is inside the
    // bitmap, no pixel needs the off-bitmap test. Truncation with one pixel more on each side
    // bounds the square as floor and ceil would, without their library calls.
    const bool w_obrazie =
        obraz.zawiera(int(xp - rd) - 3, int(yp - rd) - 3, int(xp + rd) + 3, int(yp + rd) + 3);
    bool dalej = a <= koniec;
    int dlugosc_bloku = blok;
    while (dalej) {
        int m = 0;
        while (m < dlugosc_bloku && dalej) {
            if (w_serii > 0) {
                // Two directions, one step apart, each turned by two steps: the pixels of
                // successive steps no longer wait on one chain of rotations.
                const int n = std::min(w_serii, dlugosc_bloku - m);
                int i = 0;
                for (; i + 1 < n; i += 2, k += 2) {
                    Piksel& p = piksele[m++];
                    if (!kierunek.piksel(xp, yp, rd, blisko, p))
                        p = punkt_na_kacie(x0, y0, float(a_serii + k * delta), r);
                    Piksel& q = piksele[m++];
                    if (!nastepny_kierunek.piksel(xp, yp, rd, blisko, q))
                        q = punkt_na_kacie(x0, y0, float(a_serii + (k + 1) * delta), r);
                    kierunek.obroc(obrot_podwojny.cos, obrot_podwojny.sin);
                    nastepny_kierunek.obroc(obrot_podwojny.cos, obrot_podwojny.sin);
                }
                if (i < n) {
                    Piksel& p = piksele[m++];
                    if (!kierunek.piksel(xp, yp, rd, blisko, p))
                        p = punkt_na_kacie(x0, y0, float(a_serii + k * delta), r);
                    const KierunekLuku dalszy = kierunek.obrocony(obrot_podwojny);
                    kierunek = nastepny_kierunek;
                    nastepny_kierunek = dalszy;
                    ++k;
                }
                w_serii -= n;
                if (w_serii == 0) {
                    a = float(a_serii + k * delta);
                    dalej = a <= koniec;
                }
                continue;
            }
            Piksel& p = piksele[m++];
            if (!kierunek.piksel(xp, yp, rd, blisko, p)) p = punkt_na_kacie(x0, y0, a, r);
            const float nastepny = a + krok;
            if (nastepny == a) {
                dalej = false;
                break;
            }
            const Obrot o = obrot_o(double(nastepny) - double(a));
            kierunek.obroc(o.cos, o.sin);
            a = nastepny;
            dalej = a <= koniec;
            if (dalej) {
                const SeriaKrokow seria = seria_krokow(a, krok, koniec);
                if (seria.ile > 0) {
                    a_serii = a;
                    delta = seria.delta;
                    k = 0;
                    w_serii = seria.ile;
                    obrot_podwojny = obrot_o(2.0 * delta);
                    nastepny_kierunek = kierunek.obrocony(obrot_o(delta));
                }
            }
        }
        if (w_obrazie)
            zlicz(piksele, m, poprzedni, s,
                  [&](Piksel p) { return obraz.piksel_w_obrazie(p.x, p.y); });
        else
            zlicz(piksele, m, poprzedni, s, [&](Piksel p) { return obraz.piksel(p.x, p.y); });
        if (przerywaj && dalej) {
            // Exact in integers: the final test compares ciemne * 100 / policzone with
            // procent, and the share can still move only by the pixels left to count.
            const double teraz = w_serii > 0 ? a_serii + k * delta : double(a);
            const auto zostalo = static_cast<std::int64_t>((double(koniec) - teraz) / krok_min) + 1;
            const std::int64_t cz = s.ciemne, n = s.policzone;
            const std::int64_t do_ciemnego = procent * (n + zostalo) - cz * 100;
            const std::int64_t do_jasnego = (cz + zostalo) * 100 - procent * (n + zostalo);
            if (do_ciemnego < 0 || do_jasnego <= 0) return s;
            // Each pixel moves either margin by about 100, so the next block is as long as
            // neither answer can be reached before its end.
            dlugosc_bloku = static_cast<int>(std::clamp<std::int64_t>(
                std::min(do_ciemnego / 100 + 1, (do_jasnego + 99) / 100), 1, blok));
        }
    }
    return s;
}

} // namespace

StatystykaLuku zlicz_luk(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol,
                         float r) {
    return przejdz_luk(WidokBitmapy(bmp), x0, y0, kat, pol, r, -1, Kierunek(kat - pol));
}

bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r) {
    return lok_prom(bmp, x0, y0, procent, kat, pol, r, Kierunek(kat - pol));
}

bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r, const Kierunek& poczatek) {
    return lok_prom(WidokBitmapy(bmp), x0, y0, procent, kat, pol, r, poczatek);
}

bool lok_prom(const WidokBitmapy& obraz, float x0, float y0, int procent, float kat, float pol,
              float r, const Kierunek& poczatek) {
    const StatystykaLuku s = przejdz_luk(obraz, x0, y0, kat, pol, r, procent, poczatek);
    if (s.policzone == 0) return false;
    return double(s.ciemne) * 100.0 / double(s.policzone) > double(procent);
}

} // namespace analysis
