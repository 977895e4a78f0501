#include "analysis/PomiarLiniiKm.h"

#include "analysis/Piksel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace analysis {

namespace {

// Offsets from the distance ring looked at: from just below the ring to well beyond the
// outer tips, room for a recording 20 px off; the activity band starts further out.
constexpr int o_min = -4;
constexpr int o_max = 90;
constexpr int ile_o = o_max - o_min + 1;

constexpr int min_promieni_sektora = 15; // about 9 degrees of driving in a sector
constexpr int co_ktory_spoczynek = 6;    // rays off the driving, for printed ink only
constexpr float min_wysokosc = 0.15f;    // the zig-zag's plateau must reach this share
constexpr float prog_reszty = 0.1f;      // ink off the driving on this share of rays
constexpr float tolerancja = 1.5f;       // edges this close to the calibration's agree
constexpr float max_skok = 3.0f;         // neighbouring sectors' edges at most this far apart
constexpr float blisko_druku = 1.5f;     // a line this close to printed ink would see it
constexpr float prog_druku = 0.1f;       // printed ink: this share of rays on both sides
constexpr float krok_linii = 0.5f;
constexpr float zasieg_za_krawedz = 1.5f;
constexpr float przesuniecie_krawedzi = 1.0f;
constexpr float tolerancja_oparcia = 3.0f;      // an edge at printed ink vs the zig-zag's height
constexpr float max_odchylka_wysokosci = 0.15f; // tip to tip, against the calibration's

struct Zliczenie {
    std::array<int, ile_o> ciemne{};
    int promienie = 0;
    float udzial(int o) const {
        return promienie > 0 ? static_cast<float>(ciemne[std::size_t(o - o_min)]) /
                                   static_cast<float>(promienie)
                             : 0.0f;
    }
};

float do360(float a) {
    a = std::fmod(a, 360.0f);
    return a < 0.0f ? a + 360.0f : a;
}

// Driving by tenths of a degree, so that a ray asks one entry, not every range.
std::vector<char> mapa_jazdy(const std::vector<std::pair<float, float>>& jazda) {
    std::vector<char> m(3600, 0);
    for (const auto& [od, do_] : jazda) {
        // A tiny negative angle comes back from fmod as 360.0: entry 3600 is entry 0.
        const int p = static_cast<int>(do360(od) * 10.0f) % 3600,
                  k = static_cast<int>(do360(do_) * 10.0f) % 3600;
        for (int i = p; i != k; i = (i + 1) % 3600)
            m[std::size_t(i)] = 1;
        m[std::size_t(k)] = 1;
    }
    return m;
}

struct Krawedzie {
    float wewn = 0.0f, zewn = 0.0f;
    // False when the offset just beyond the edge is covered by other ink: the zig-zag may go
    // on under a printed ring there, so the edge is not where the trace ends.
    bool pewna_wewn = true, pewna_zewn = true;
};

// The zig-zag's edges in a sector. Its own share (driving minus the rest of the disc) is a
// plateau from tip to tip. Offsets where the rest of the disc holds ink (printed rings, the
// resting stylus) are left out: a ring falls on slightly different pixels in each sector and
// leaves a residue there. An edge is the outermost offset from which three known offsets in a
// row reach a quarter of the plateau.
std::optional<Krawedzie> krawedzie(const Zliczenie& jazda, const Zliczenie& reszta) {
    if (jazda.promienie < min_promieni_sektora) return std::nullopt;
    std::array<float, ile_o> x{};
    std::array<bool, ile_o> znany{};
    std::vector<float> plaskowyz;
    for (int o = o_min; o <= o_max; ++o) {
        const std::size_t i = std::size_t(o - o_min);
        znany[i] = reszta.udzial(o) < prog_reszty;
        x[i] = std::max(0.0f, jazda.udzial(o) - reszta.udzial(o));
        if (znany[i] && x[i] > prog_reszty) plaskowyz.push_back(x[i]);
    }
    if (plaskowyz.size() < 10) return std::nullopt;
    std::nth_element(plaskowyz.begin(), plaskowyz.begin() + std::ptrdiff_t(plaskowyz.size() / 2),
                     plaskowyz.end());
    const float wysokosc = plaskowyz[plaskowyz.size() / 2];
    if (wysokosc < min_wysokosc) return std::nullopt;
    const float prog = wysokosc / 4.0f;
    // Whether the three offsets from i on (by step d) are known and reach the threshold.
    auto trwa = [&](int i, int d) {
        for (int j = i; j != i + 3 * d; j += d)
            if (j < 0 || j >= ile_o || !znany[std::size_t(j)] || x[std::size_t(j)] < prog)
                return false;
        return true;
    };
    int w = 0, z = ile_o - 1;
    while (w < ile_o && !(znany[std::size_t(w)] && trwa(w, 1)))
        ++w;
    while (z > w && !(znany[std::size_t(z)] && trwa(z, -1)))
        --z;
    if (z <= w) return std::nullopt;
    Krawedzie k{static_cast<float>(w + o_min), static_cast<float>(z + o_min)};
    // Two offsets: below 200 dpi a tip and a printed ring blur into each other over a pixel.
    k.pewna_wewn = w > 1 && znany[std::size_t(w - 1)] && znany[std::size_t(w - 2)];
    k.pewna_zewn = z + 2 < ile_o && znany[std::size_t(z + 1)] && znany[std::size_t(z + 2)];
    return k;
}

// A sector's edges as the zig-zag's, or false when they cannot be its tips. An edge that
// meets printed ink is only a bound: the zig-zag may go on under the ink, never stop short of
// it. Each edge so bounds where the inner tip lies (a sure outer edge, at the calibration's
// height below it); the sector is kept when the bounds meet, with its inner tip as near the
// calibration's (e_wewn) as they allow. A legend of bars where the vehicle drove pushes the
// outer edge beyond any height the inner edge allows and fails this.
bool wiarygodne(Krawedzie& k, float wysokosc, float e_wewn) {
    if (k.pewna_wewn && k.pewna_zewn) {
        const float h = k.zewn - k.wewn;
        return h >= (1.0f - max_odchylka_wysokosci) * wysokosc &&
               h <= (1.0f + max_odchylka_wysokosci) * wysokosc;
    }
    const float z_w = k.zewn - wysokosc; // the inner tip the outer edge implies
    float od = k.pewna_zewn ? z_w : z_w - tolerancja_oparcia;
    float do_ = k.pewna_zewn ? z_w : std::numeric_limits<float>::max();
    od = std::max(od, k.pewna_wewn ? k.wewn : -std::numeric_limits<float>::max());
    do_ = std::min(do_, k.wewn + (k.pewna_wewn ? 0.0f : tolerancja_oparcia));
    if (k.pewna_wewn) od = std::max(od, k.wewn - tolerancja_oparcia);
    if (od > do_ + (k.pewna_zewn && k.pewna_wewn ? 0.0f : tolerancja_oparcia)) return false;
    if (od > do_) od = do_ = (od + do_) / 2.0f;
    k.wewn = std::clamp(e_wewn, od, do_);
    k.zewn = k.wewn + wysokosc;
    return true;
}

} // namespace

void odrzuc_niezgodne(KrawedzieSektorow& kr) {
    const int n = LinieKm::ile_sektorow;
    const KrawedzieSektorow surowe = kr;
    for (int s = 0; s < n; ++s) {
        const auto& k1 = surowe[std::size_t(s)];
        if (!k1) continue;
        int sasiedzi = 0, niezgodni = 0;
        for (int d = -3; d <= 3; ++d) {
            const auto& k2 = surowe[std::size_t((s + d + n) % n)];
            if (d == 0 || !k2) continue;
            ++sasiedzi;
            const float dozwolone = max_skok * static_cast<float>(std::abs(d));
            if (std::fabs(k2->first - k1->first) > dozwolone ||
                std::fabs(k2->second - k1->second) > dozwolone)
                ++niezgodni;
        }
        if (2 * niezgodni > sasiedzi) kr[std::size_t(s)].reset();
    }
}

LinieKm zmierz_linie_km(const AnalizaTarczy& an,
                        const std::vector<std::pair<float, float>>& jazda) {
    LinieKm wynik;
    const Kalibracja& k = an.kalibracja();
    const GeometriaTarczy& g = an.geometria();
    if (jazda.empty()) {
        wynik.powod = QStringLiteral("fixed: no driving");
        return wynik;
    }

    // Three pixels of arc in the middle of the band: enough rays to see every sector's tips.
    const float r_srodka = g.jaki_promien_km(0.0f) + static_cast<float>(k.off_3p);
    if (!(r_srodka > 0.0f)) return wynik;
    const float krok = 3.0f * 360.0f / (6.2831855f * r_srodka);
    std::array<Zliczenie, LinieKm::ile_sektorow> sektory{};
    Zliczenie cala_jazda, reszta;
    const WidokBitmapy obraz(an.bitmapa());
    const std::vector<char> mapa = mapa_jazdy(jazda);
    int i = 0;
    std::array<int, ile_o> px{}, py{}; // the pixels of one ray, offset by offset
    Kierunek kier(0.0f);               // turned along with the angle
    PromienKmWzdluz promien_km(g);
    for (float a = 0.0f; a < 360.0f; a += krok, ++i) {
        kier = Kierunek(a, kier);
        const bool jedzie = mapa[std::size_t(static_cast<int>(a * 10.0f) % 3600)] != 0;
        if (!jedzie && i % co_ktory_spoczynek != 0) continue;
        const float r0 = promien_km(a);
        Zliczenie& z1 =
            jedzie ? sektory[std::size_t(a / LinieKm::sektor) % sektory.size()] : reszta;
        // A profile needs no exact pixel of the angle convention: the ray is stepped a pixel
        // of radius at a time.
        PozycjaF p = kier.pozycja(g.x0, g.y0, r0 + static_cast<float>(o_min));
        for (std::size_t j = 0; j < px.size(); ++j, p.x += kier.cos(), p.y += kier.sin()) {
            px[j] = static_cast<int>(p.x);
            py[j] = static_cast<int>(p.y);
        }
        // Each coordinate only grows or only shrinks along the ray, so when both ends lie on
        // the bitmap every pixel between does and is read without the test.
        auto licz = [&](auto piksel) {
            for (std::size_t j = 0; j < px.size(); ++j)
                z1.ciemne[j] += czarny_win(piksel(px[j], py[j]));
        };
        if (obraz.zawiera(std::min(px.front(), px.back()), std::min(py.front(), py.back()),
                          std::max(px.front(), px.back()), std::max(py.front(), py.back())))
            licz([&](int x, int y) { return obraz.piksel_w_obrazie(x, y); });
        else
            licz([&](int x, int y) { return obraz.piksel(x, y); });
        ++z1.promienie;
    }
    // The driving over the whole disc is the sum of the sectors.
    for (const Zliczenie& s : sektory) {
        for (std::size_t j = 0; j < s.ciemne.size(); ++j)
            cala_jazda.ciemne[j] += s.ciemne[j];
        cala_jazda.promienie += s.promienie;
    }

    // Printed ink: what the rest of the disc holds and the driving holds on top of the
    // zig-zag's plateau (the resting stylus is in the rest alone, under the plateau).
    std::vector<float> srodek_pasa;
    const int srodek = (k.off_1p + k.off_5p) / 2;
    for (int o = std::max(o_min, srodek - 15); o <= std::min(o_max, srodek + 15); ++o)
        srodek_pasa.push_back(cala_jazda.udzial(o));
    std::nth_element(srodek_pasa.begin(),
                     srodek_pasa.begin() + std::ptrdiff_t(srodek_pasa.size() / 2),
                     srodek_pasa.end());
    const float plaskowyz = srodek_pasa[srodek_pasa.size() / 2];
    auto druk = [&](int o) { return std::min(cala_jazda.udzial(o) - plaskowyz, reszta.udzial(o)); };
    auto przy_druku = [&](float linia) {
        if (reszta.promienie < min_promieni_sektora) return false;
        for (int o = static_cast<int>(std::ceil(linia - blisko_druku));
             o <= static_cast<int>(std::floor(linia + blisko_druku)); ++o)
            if (o >= o_min && o <= o_max && druk(o) > prog_druku) return true;
        return false;
    };

    // Edges per sector, and where they lie on a chart drawn to the calibration: a pixel
    // beyond each tip's centre line on the outward side (the ring search meets the distance
    // ring half a pixel early, and a third of the plateau is met about half a pixel out).
    const float nadmiar = static_cast<float>(k.d5 - (k.off_5p - k.off_1p)) / 2.0f;
    const float e_wewn = static_cast<float>(k.off_1p) - nadmiar + przesuniecie_krawedzi;
    const float e_zewn = static_cast<float>(k.off_5p) + nadmiar + przesuniecie_krawedzi;
    const float wysokosc_nom = e_zewn - e_wewn;
    std::array<std::optional<Krawedzie>, LinieKm::ile_sektorow> kr{};
    bool jest = false;
    for (std::size_t s = 0; s < sektory.size(); ++s) {
        kr[s] = krawedzie(sektory[s], reszta);
        if (kr[s] && !wiarygodne(*kr[s], wysokosc_nom, e_wewn)) kr[s].reset();
        jest = jest || kr[s].has_value();
    }
    if (!jest) {
        wynik.powod = QStringLiteral("fixed: no zig-zag measured");
        return wynik;
    }
    const int n = LinieKm::ile_sektorow;
    {
        KrawedzieSektorow pary;
        for (std::size_t s = 0; s < pary.size(); ++s)
            if (kr[s]) pary[s] = std::pair(kr[s]->wewn, kr[s]->zewn);
        odrzuc_niezgodne(pary);
        for (std::size_t s = 0; s < pary.size(); ++s)
            if (!pary[s]) kr[s].reset();
        if (std::none_of(kr.begin(), kr.end(), [](const auto& k2) { return k2.has_value(); })) {
            wynik.powod = QStringLiteral("fixed: no zig-zag measured");
            return wynik;
        }
    }
    // A sector where the drive only begins or ends sees few strokes near a tip: each edge
    // becomes the median of the measured sectors within two on either side.
    const auto surowe = kr;
    for (int s = 0; s < n; ++s) {
        if (!kr[std::size_t(s)]) continue;
        std::vector<float> w, z;
        for (int d = -2; d <= 2; ++d)
            if (const auto& k2 = surowe[std::size_t((s + d + n) % n)]) {
                w.push_back(k2->wewn);
                z.push_back(k2->zewn);
            }
        std::sort(w.begin(), w.end());
        std::sort(z.begin(), z.end());
        kr[std::size_t(s)]->wewn = w[w.size() / 2];
        kr[std::size_t(s)]->zewn = z[z.size() / 2];
    }

    // A recording moves smoothly: measured sectors whose edges jump apart by more than 3 px a
    // sector saw something else (a printed legend, a scratch, a broken trace), and the edges
    // are not trusted at all.
    bool gladkie = true;
    int poprzedni = -1, pierwszy = -1;
    auto porownaj = [&](int s1, int s2) {
        const float d = static_cast<float>((s2 - s1 + n) % n == 0 ? n : (s2 - s1 + n) % n);
        const auto& a = *kr[std::size_t(s1)];
        const auto& b = *kr[std::size_t(s2)];
        if (std::fabs(a.wewn - b.wewn) > max_skok * d || std::fabs(a.zewn - b.zewn) > max_skok * d)
            gladkie = false;
    };
    for (int s = 0; s < n; ++s) {
        if (!kr[std::size_t(s)]) continue;
        if (poprzedni >= 0) porownaj(poprzedni, s);
        if (pierwszy < 0) pierwszy = s;
        poprzedni = s;
    }
    if (pierwszy != poprzedni) porownaj(poprzedni, pierwszy);

    // Sectors without a measurement: linear between the nearest measured ones around the disc.
    for (int s = 0; s < n; ++s) {
        if (kr[std::size_t(s)]) continue;
        int p = 1, q = 1;
        while (!kr[std::size_t((s - p + n) % n)])
            ++p;
        while (!kr[std::size_t((s + q) % n)])
            ++q;
        const Krawedzie& a = *kr[std::size_t((s - p + n) % n)];
        const Krawedzie& b = *kr[std::size_t((s + q) % n)];
        const float f = static_cast<float>(p) / static_cast<float>(p + q);
        wynik.wewn[std::size_t(s)] = a.wewn + f * (b.wewn - a.wewn);
        wynik.zewn[std::size_t(s)] = a.zewn + f * (b.zewn - a.zewn);
    }
    for (int s = 0; s < n; ++s)
        if (kr[std::size_t(s)]) {
            wynik.wewn[std::size_t(s)] = kr[std::size_t(s)]->wewn;
            wynik.zewn[std::size_t(s)] = kr[std::size_t(s)]->zewn;
        }

    // From edges to lines: the calibration's where a sector agrees with it, else shifted with
    // the edges; then clear of printed ink, but never further beyond the edge than the 3x3
    // test reaches back into the tip's ink.
    bool przesuniete = false, odsuniete = false;
    for (int s = 0; s < n; ++s) {
        const float ew = gladkie ? wynik.wewn[std::size_t(s)] : e_wewn;
        const float ez = gladkie ? wynik.zewn[std::size_t(s)] : e_zewn;
        const bool zgodny = !gladkie || (std::fabs(ew - e_wewn) <= tolerancja &&
                                         std::fabs(ez - e_zewn) <= tolerancja);
        przesuniete = przesuniete || !zgodny;
        float l1 = static_cast<float>(k.off_1p) + (zgodny ? 0.0f : ew - e_wewn);
        float l5 = static_cast<float>(k.off_5p) + (zgodny ? 0.0f : ez - e_zewn);
        wynik.pas_wewn[std::size_t(s)] = l1;
        wynik.pas_zewn[std::size_t(s)] = l5;
        while (przy_druku(l1) && l1 - krok_linii >= ew - zasieg_za_krawedz) {
            l1 -= krok_linii;
            odsuniete = true;
        }
        while (przy_druku(l5) && l5 + krok_linii <= ez + zasieg_za_krawedz) {
            l5 += krok_linii;
            odsuniete = true;
        }
        wynik.wewn[std::size_t(s)] = l1;
        wynik.zewn[std::size_t(s)] = l5;
    }
    wynik.zmierzone = przesuniete || odsuniete;
    wynik.powod = przesuniete ? QStringLiteral("measured: the zig-zag lies off the calibration")
                  : odsuniete ? QStringLiteral("measured: moved off printed ink")
                  : gladkie   ? QStringLiteral("fixed: the chart agrees with the calibration")
                              : QStringLiteral("fixed: the measured edges jump between sectors");
    return wynik;
}

} // namespace analysis
