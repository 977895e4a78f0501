#include "analysis/Centrowanie.h"

#include "analysis/Obrot.h"
#include "analysis/Piksel.h"

#include "host/Rysuj.h"

#include <array>
#include <cmath>

namespace analysis {

namespace {

// Distance ring: a fan of 7.5-degree rays, the search a 10-pixel window below rdolny_km
// (15 on the first four rays, which get a second chance at a badly guessed centre).
constexpr double krok_km = 7.5;
constexpr int okno_km = 10;
constexpr int okno_km_pierwsze = 15;
constexpr int pierwsze_promienie = 4;
constexpr int procent_km = 30;
constexpr float polowa_luku_km = 6.0f;

// Upper edge of the distance band: 5-degree rays, searched 10 pixels up from rgorny_km.
constexpr int ile_gornych = 73;
constexpr int krok_gorny = 5;
constexpr int okno_gorne = 10;
constexpr std::int32_t offset_bez_pomiaru = 5;

// Hour ring: 48 rays between the 7.5-degree marks, searched from 348 to 405.
constexpr int ile_godzinnych = 48;
constexpr float promien_godz_od = 345.0f + 3.0f;
constexpr float promien_godz_do = 405.0f;
constexpr float promien_godz_koniec = 406.0f;
constexpr int procent_godz = 50;
constexpr float polowa_luku_godz = 3.0f;
constexpr int szerokosc_min = 8;
constexpr std::int32_t promien_godz_max = 375;

constexpr int kolko_pierwsze = 10;
constexpr int kolko = 5;

// A ray angle computed as an integer is reduced once when it passes 360 (360 itself stays).
int kat_promienia(double kat) {
    int a = static_cast<int>(std::trunc(kat));
    if (a > 360) a -= 360;
    return a;
}

} // namespace

Centrowanie::Centrowanie(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie)
    : an_(analiza), we_(wejscie),
      znaczniki_(wejscie.korekta ? wejscie.korekta : analiza.bitmapa_znacznikow()) {}

void Centrowanie::znacznik(float kat, float r, int promien, host::TColor32 kolor) const {
    if (an_.kalibracja().kolka_km < 1 || !znaczniki_) return;
    const GeometriaTarczy& g = an_.geometria();
    const Piksel p = punkt_na_kacie(g.x0, g.y0, kat, r);
    host::Rysuj_okrag(*znaczniki_, p.x, p.y, promien, kolor);
}

void Centrowanie::oznacz_zaklocone(std::span<PromienKm> t) {
    const int n = static_cast<int>(t.size()) - 1;
    float skok = 0.0f; // the jump accumulated since it began
    bool w_skoku = false;
    int dobry = 0;
    for (int i = 1; i <= n; ++i) {
        const float d = t[i - 1].promien - t[i].promien;
        t[i].roznica = d;
        if (w_skoku) skok += d;
        if (std::fabs(std::trunc(d)) > 1.5f && !w_skoku) {
            skok = d;
            w_skoku = true;
        }
        // A radius that returns to its level brings the accumulated jump back toward 0 and
        // ends the jump at once; a lasting step ends it after as many rays as it is high.
        if (static_cast<float>(i - dobry) > std::fabs(skok)) w_skoku = false;
        t[i].zaklocony = w_skoku ? 1.0f : 0.0f;
        if (!w_skoku) dobry = i;
    }
    t[0].zaklocony = t[n].zaklocony;
}

void Centrowanie::napraw_zaklocone(std::span<PromienKm> t) {
    const int n = static_cast<int>(t.size()) - 1;
    int g = 0; // last good ray
    int h = 0; // next good ray; kept from one flagged ray to the next
    for (int i = 0; i <= n; ++i) {
        if (t[i].zaklocony == 0.0f) {
            g = i;
            continue;
        }
        for (int j = i; j <= n; ++j) {
            if (t[j].zaklocony == 0.0f) {
                h = j;
                break;
            }
        }
        const float d = t[g].promien - t[h].promien;
        int pos = i - g;
        int rozpietosc = h - g;
        if (g > h) { // no good ray left before the end: interpolate across it
            pos = i + n - g - 1;
            rozpietosc = h + n - 1 - g;
        }
        if (rozpietosc != 0)
            t[i].promien =
                t[g].promien - d * static_cast<float>(pos) / static_cast<float>(rozpietosc);
    }
    t[n].promien = t[0].promien;
}

int Centrowanie::zmierz_pierscien_km() {
    GeometriaTarczy& g = an_.geometria();
    int znalezione = 0;
    auto& t = g.promienie_km;
    float a0 = g.kat24 + 210.0f;
    if (a0 > 360.0f) a0 -= 360.0f;
    const int ile = static_cast<int>(360.0 / krok_km) + 1;
    const int R = static_cast<int>(std::trunc(an_.kalibracja().rdolny_km));
    for (int i = 0; i < ile; ++i) {
        const int kat = kat_promienia(i * krok_km + a0);
        const float start =
            static_cast<float>(R - (i < pierwsze_promienie ? okno_km_pierwsze : okno_km));
        float r = start;
        const Kierunek poczatek(static_cast<float>(kat) - polowa_luku_km);
        // The rows are taken again for each ray: a mark drawn may change the bitmap.
        const WidokBitmapy obraz(an_.bitmapa());
        bool ciemny = false;
        while (!(ciemny = an_.lok_prom(obraz, procent_km, static_cast<float>(kat), polowa_luku_km,
                                       r, poczatek)) &&
               r < static_cast<float>(R))
            r += 0.5f;
        // A ring is an edge: ink already at the start of the window is not one. The closing
        // ray repeats the first one's angle and is not counted twice.
        if (ciemny && r > start && i < ile - 1) ++znalezione;
        t[i].kat = static_cast<float>(kat);
        t[i].promien = r;
        t[i].roznica = r;
        znacznik(t[i].kat, r, i == 0 ? kolko_pierwsze : kolko, kolor_pomiaru);
    }

    oznacz_zaklocone(t);
    napraw_zaklocone(t);

    for (int i = 0; i < ile - 1; ++i)
        if (t[i].zaklocony != 0.0f) znacznik(t[i].kat, t[i].promien, kolko, kolor_zaklocenia);
    return znalezione;
}

void Centrowanie::zmierz_gorna_krawedz() {
    GeometriaTarczy& g = an_.geometria();
    std::array<PromienKm, ile_gornych> t{};
    const int R = static_cast<int>(std::trunc(an_.kalibracja().rgorny_km));
    for (int j = 0; j < ile_gornych; ++j) {
        const int kat = kat_promienia(j * krok_gorny + static_cast<double>(g.kat24));
        float r = static_cast<float>(R);
        const Kierunek poczatek(static_cast<float>(kat) - polowa_luku_km);
        const WidokBitmapy obraz(an_.bitmapa());
        while (!an_.lok_prom(obraz, procent_km, static_cast<float>(kat), polowa_luku_km, r,
                             poczatek) &&
               r < static_cast<float>(R + okno_gorne))
            r += 0.5f;
        t[j].kat = static_cast<float>(kat);
        t[j].promien = r;
        t[j].roznica = r;
        znacznik(t[j].kat, r, j == 0 ? kolko_pierwsze : kolko, kolor_pomiaru);
    }

    oznacz_zaklocone(t);
    napraw_zaklocone(t);

    int m = 1000;
    for (const PromienKm& p : t)
        if (p.promien < static_cast<float>(m)) m = static_cast<int>(std::trunc(p.promien));
    bool same_zera = true;
    for (int j = 0; j < ile_gornych; ++j) {
        g.delta_h[j].kat = static_cast<std::int32_t>(std::trunc(t[j].kat + 0.5f));
        g.delta_h[j].offset =
            static_cast<std::int32_t>(std::trunc(t[j].promien - static_cast<float>(m)));
        if (g.delta_h[j].offset != 0) same_zera = false;
    }
    // A perfectly concentric edge measures nothing useful: the stepped reading then works
    // with a fixed lift everywhere but on the closing ray.
    if (same_zera)
        for (int j = 0; j < ile_gornych - 1; ++j)
            g.delta_h[j].offset = offset_bez_pomiaru;

    for (int j = 0; j < ile_gornych - 1; ++j)
        if (t[j].zaklocony != 0.0f) znacznik(t[j].kat, t[j].promien, kolko, kolor_zaklocenia);
}

int Centrowanie::test_cent_km() {
    an_.geometria().wyczysc_tabele();
    const int znalezione = zmierz_pierscien_km();
    if (we_.typ == wykres_schodkowy) zmierz_gorna_krawedz();
    return znalezione;
}

void Centrowanie::spr_przes() {
    GeometriaTarczy& g = an_.geometria();
    const auto& t = g.promienie_km;
    constexpr int polowa = GeometriaTarczy::ile_promieni_km / 2; // 24 rays = 180 degrees
    double sx = 0.0, sy = 0.0;
    int ile = 0;
    for (int i = 0; i < polowa; ++i) {
        const PromienKm& a = t[i];
        const PromienKm& b = t[i + polowa];
        if (a.zaklocony != 0.0f || b.zaklocony != 0.0f) continue;
        const PozycjaF p = pozycja_na_kacie(g.x0, g.y0, a.kat, a.promien);
        const PozycjaF q = pozycja_na_kacie(g.x0, g.y0, b.kat, b.promien);
        sx += (p.x + q.x) / 2.0;
        sy += (p.y + q.y) / 2.0;
        ++ile;
    }
    if (ile == 0) return;
    g.x0 = static_cast<float>(sx / ile + 0.5);
    g.y0 = static_cast<float>(sy / ile + 0.5);
}

int Centrowanie::test_centrowania() {
    GeometriaTarczy& g = an_.geometria();
    int suma = 0;
    int poprawne = 0;
    float start = 0.0f;
    for (int i = 0; i < ile_godzinnych; ++i) {
        const float ai = g.kat24 - 3.75f + static_cast<float>(i) * 7.5f;
        float r = promien_godz_od;
        const Kierunek poczatek(ai - polowa_luku_godz);
        const WidokBitmapy obraz(an_.bitmapa());
        bool ciemny = an_.lok_prom(obraz, procent_godz, ai, polowa_luku_godz, r, poczatek);
        while (!ciemny && r < promien_godz_do) {
            r += 1.0f;
            ciemny = an_.lok_prom(obraz, procent_godz, ai, polowa_luku_godz, r, poczatek);
        }
        // A ring first met exactly at the search end counts as not found.
        const bool znaleziony = r != promien_godz_do;
        start = r;
        // Across the ring up to 406. Only whether it is wider than 8 pixels matters, so the
        // walk stops once it is: the width is then at least 9, however thick the ring.
        while (ciemny && r < promien_godz_koniec && r < start + float(szerokosc_min + 1)) {
            r += 1.0f;
            ciemny = an_.lok_prom(obraz, procent_godz, ai, polowa_luku_godz, r, poczatek);
        }
        const int szerokosc = static_cast<int>(std::trunc(r - start));
        const int promien = znaleziony ? static_cast<int>(std::trunc(start)) : promien_godz_max;

        if (an_.kalibracja().kolka_km >= 1 && znaczniki_) {
            // This mark is placed without the half-pixel rounding, on the whole-degree ray.
            const double rad = std::trunc(ai) * stopien;
            host::Rysuj_okrag(
                *znaczniki_, static_cast<int>(std::trunc(g.x0 + promien * std::cos(rad))),
                static_cast<int>(std::trunc(g.y0 + promien * std::sin(rad))), kolko, kolor_pomiaru);
        }
        if (szerokosc > szerokosc_min) {
            suma += promien;
            ++poprawne;
        }
    }
    std::int32_t wynik =
        poprawne > 0 ? suma / poprawne : static_cast<std::int32_t>(std::trunc(start));
    if (wynik > promien_godz_max) wynik = promien_godz_max;
    g.pocz_sr_godz = wynik;
    return poprawne;
}

} // namespace analysis
