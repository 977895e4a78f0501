#include "analysis/BezZapisu.h"

#include "analysis/Piksel.h"

#include <algorithm>

namespace analysis {

namespace {

constexpr int minut_doby = 24 * 60;
constexpr float stopni_na_minute = 0.25f;
constexpr int cwierci = 4; // rays per minute where a stretch may end

// The radii the activity readers look at: the thickness kinds from the base search below the
// hour ring to the top of the ladder, the stepped kinds across all four levels.
struct Pas {
    int od = 0, do_ = 0;
};
Pas pas_aktywnosci(const GeometriaTarczy& g) {
    if (g.typ == wykres_schodkowy || g.typ == pseudoschodkowy || g.typ == do125kmh)
        return {345, 452};
    // Without an hour ring found the radius is only a guess: the whole search range then.
    return {std::min(g.pocz_sr_godz - 6, 345), std::max(g.pocz_sr_godz + 30, 405)};
}

} // namespace

std::vector<OdcinekBezZapisu> odcinki_bez_zapisu(const host::Bitmap32& bitmapa,
                                                 const GeometriaTarczy& g, int min_minut) {
    const WidokBitmapy obraz(bitmapa);
    const Pas pas = pas_aktywnosci(g);
    Kierunek kier(g.kat24);       // turned along with the angle
    auto tusz = [&](int cwierc) { // the ray at quarter minute cwierc from 00:00
        const float kat = g.kat24 + static_cast<float>(cwierc) * stopni_na_minute / cwierci;
        kier = Kierunek(kat, kier);
        const float dh = g.typ == wykres_schodkowy ? g.jaka_delta_h(kat) : 0.0f;
        // From the hour ring, where the trace's base lies, outward and then inward: a
        // recorded minute is usually told by its first pixel.
        // Whether a pixel is ink matters here, not which pixel the angle convention names:
        // the ray is stepped a pixel of radius at a time.
        const int baza = std::clamp(g.pocz_sr_godz, pas.od, pas.do_);
        const PozycjaF p = kier.pozycja(g.x0, g.y0, static_cast<float>(baza) + dh);
        const double c = kier.cos(), s = kier.sin();
        const int na_zewn = pas.do_ - baza, do_srodka = baza - pas.od;
        // Each coordinate only grows or only shrinks from the inner end of the ray to the
        // outer one, so when both ends lie on the bitmap every pixel between does.
        const int x1 = static_cast<int>(p.x + na_zewn * c),
                  y1 = static_cast<int>(p.y + na_zewn * s);
        const int x2 = static_cast<int>(p.x - do_srodka * c),
                  y2 = static_cast<int>(p.y - do_srodka * s);
        auto szukaj = [&](auto piksel) {
            for (int d = 0; d <= na_zewn; ++d)
                if (ciemna_probka(
                        piksel(static_cast<int>(p.x + d * c), static_cast<int>(p.y + d * s))))
                    return true;
            for (int d = 1; d <= do_srodka; ++d)
                if (ciemna_probka(
                        piksel(static_cast<int>(p.x - d * c), static_cast<int>(p.y - d * s))))
                    return true;
            return false;
        };
        if (obraz.zawiera(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)))
            return szukaj([&](int x, int y) { return obraz.piksel_w_obrazie(x, y); });
        return szukaj([&](int x, int y) { return obraz.piksel(x, y); });
    };
    // The middle of every other minute first (a stretch worth reporting holds several); only
    // within two minutes of one found empty are the quarters looked at, which finds the ends
    // of a stretch to a quarter of a minute.
    constexpr int co_ile = 2;
    const int ile_zgrubnych = minut_doby / co_ile;
    std::vector<char> zgrubne(static_cast<std::size_t>(ile_zgrubnych));
    for (int j = 0; j < ile_zgrubnych; ++j)
        zgrubne[std::size_t(j)] = tusz(j * co_ile * cwierci + cwierci / 2);
    const int n = minut_doby * cwierci;
    std::vector<char> pusta(std::size_t(n), 0);
    for (int m = 0; m < minut_doby; ++m) {
        const int j = m / co_ile;
        const bool blisko_pustej = !zgrubne[std::size_t(j)] ||
                                   !zgrubne[std::size_t((j + 1) % ile_zgrubnych)] ||
                                   !zgrubne[std::size_t((j + ile_zgrubnych - 1) % ile_zgrubnych)];
        if (!blisko_pustej) continue;
        for (int q = 0; q < cwierci; ++q) {
            const int c = m * cwierci + q;
            pusta[std::size_t(c)] =
                m % co_ile == 0 && q == cwierci / 2 ? !zgrubne[std::size_t(j)] : !tusz(c);
        }
    }

    // The drawn ends of the trace on either side reach a quarter of a minute or so into a
    // stretch; its length is that of its empty rays, to the nearest minute.
    std::vector<OdcinekBezZapisu> wynik;
    auto dodaj = [&](int od, int ile) {
        const int minuty = (ile + cwierci / 2) / cwierci;
        if (minuty < min_minut) return;
        const int od_min = (od / cwierci) % minut_doby;
        OdcinekBezZapisu o;
        o.minuty = std::min(minuty, minut_doby);
        o.kat_od = g.kat24 + static_cast<float>(od_min) * stopni_na_minute;
        o.kat_do = o.kat_od + static_cast<float>(o.minuty) * stopni_na_minute;
        while (o.kat_od >= 360.0f)
            o.kat_od -= 360.0f;
        while (o.kat_do >= 360.0f)
            o.kat_do -= 360.0f;
        wynik.push_back(o);
    };
    int pierwszy_bieg = 0; // empty rays from 00:00 on
    while (pierwszy_bieg < n && pusta[std::size_t(pierwszy_bieg)])
        ++pierwszy_bieg;
    if (pierwszy_bieg == n) {
        OdcinekBezZapisu o;
        o.kat_od = o.kat_do = g.kat24;
        o.minuty = minut_doby;
        wynik.push_back(o);
        return wynik;
    }
    // A stretch that runs over midnight is one stretch: it starts in the last run and goes on
    // into the first.
    if (pierwszy_bieg > 0 && !pusta[std::size_t(n - 1)]) dodaj(0, pierwszy_bieg);
    int c = pierwszy_bieg;
    while (c < n) {
        if (!pusta[std::size_t(c)]) {
            ++c;
            continue;
        }
        const int od = c;
        while (c < n && pusta[std::size_t(c)])
            ++c;
        dodaj(od, (c - od) + (c == n ? pierwszy_bieg : 0));
    }
    return wynik;
}

} // namespace analysis
