#include "analysis/OdczytKm.h"

#include <QString>

#include <cmath>

namespace analysis {

namespace {

// 2 pi rounded to float: every arc step here is one pixel of arc computed in float.
constexpr float dwa_pi_f = 6.2831855f;

float krok_luku(float r) {
    return 360.0f / (dwa_pi_f * r);
}

// An arc step that would not move the walk forward (zero or negative radius, a radius so
// large that the step vanishes) ends the walk instead of looping.
bool krok_poprawny(float krok) {
    return krok > 0.0f && std::isfinite(krok);
}

} // namespace

struct OdczytKm::Przebieg {
    float krok = 0.0f;
    int min_ciemnych = 2;
};

OdczytKm::OdczytKm(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie, ListaOkresow& lista)
    : an_(analiza), we_(wejscie), lista_(lista) {
    const Kalibracja& k = analiza.kalibracja();
    stale_ = {0.0f,
              static_cast<float>(k.off_1p),
              static_cast<float>(k.off_2p),
              static_cast<float>(k.off_3p),
              static_cast<float>(k.off_4p),
              static_cast<float>(k.off_5p)};
}

float OdczytKm::offset_linii(int n, float kat) const {
    return an_.geometria().linie_km.offset(n, kat, stale_);
}

int OdczytKm::promien_linii(int ring, int n, float kat) const {
    return ring + static_cast<int>(std::lround(offset_linii(n, kat)));
}

// The "samochod" setting is read afresh for each pass, so a change made while the chart is
// open applies to the next pass. The fine scan takes two thirds of a pixel per step and wants
// three dark pixels around the point, so that small specks no longer make peaks.
OdczytKm::Przebieg OdczytKm::ustawienia_przebiegu(float promien) const {
    bool dokladny = false;
    if (we_.czytnik)
        dokladny = we_.czytnik(QStringLiteral("samochod"), QStringLiteral("KX")).toInt() == 1;
    Przebieg p;
    p.krok = krok_luku(promien);
    if (dokladny) p.krok = p.krok * 2.0f / 3.0f;
    p.min_ciemnych = dokladny ? 3 : 2;
    return p;
}

void OdczytKm::dodaj(int cel, float kat, int typ, int promien) {
    lista_.dodaj_punkt(cel, kat, typ, promien);
}

// One peak pass along a turning line. After a peak, odstep further steps must pass before the
// next one on the same line counts: one turn darkens the line over several steps.
void OdczytKm::przebieg(const Przebieg& p, float od, float do_, int odstep, int typ, int cel,
                        float* ostatni_promien) {
    if (!krok_poprawny(p.krok)) return;
    int licznik = odstep;
    Piksel poprzedni{0, 0};
    const GeometriaTarczy& g = an_.geometria();
    Kierunek kier(od); // turned along with the angle
    PromienKmWzdluz promien_km(g);
    const WidokBitmapy obraz(an_.bitmapa());
    for (float a = od; a <= do_;) {
        const float r = promien_km(a) + offset_linii(typ, a);
        *ostatni_promien = r;
        kier = Kierunek(a, kier);
        const Piksel px = kier.punkt(g.x0, g.y0, r);
        ++licznik;
        if (!(px == poprzedni) && lok2(obraz, 0, p.min_ciemnych, px) && licznik > odstep) {
            // The dark spot is met on the way into the turn; the tip lies a little further on.
            dodaj(cel, a + 2.0f * p.krok, typ, static_cast<int>(r));
            licznik = 0;
        }
        poprzedni = px;
        const float nastepny = a + p.krok;
        if (nastepny == a) break;
        a = nastepny;
    }
}

int OdczytKm::ile_pikow(float kat_od, float kat_do, [[maybe_unused]] int szerokosc,
                        [[maybe_unused]] float promien) {
    const Kalibracja& k = an_.kalibracja();
    ++an_.licznik_odczytow_km;
    if (kat_do < kat_od) kat_do += 360.0f;

    const bool szczeg = lista_.szczegolowa();
    int cel = -1;
    if (szczeg)
        lista_.czysc_punkty(-1);
    else
        cel = lista_.pozycja_kata(static_cast<double>(kat_od + 0.1f));

    // Outer turning line, then the inner one with the angular step of the outer pass.
    const Przebieg zewn = ustawienia_przebiegu(k.rgorny_km);
    float ostatni_r = k.rgorny_km;
    przebieg(zewn, kat_od, kat_do, k.delta_rg_km, 5, cel, &ostatni_r);
    Przebieg wewn = ustawienia_przebiegu(ostatni_r);
    wewn.min_ciemnych = zewn.min_ciemnych;
    float pominiety = 0.0f;
    przebieg(wewn, kat_od, kat_do, k.delta_rd_km, 1, cel, &pominiety);

    double od = 0.0;
    double do_ = 0.0;
    if (szczeg) {
        lista_.pierwsza_ostatnia_jazda(od, do_);
    } else {
        const OkresOdczytu o = lista_.okres(cel);
        od = o.kat_od;
        do_ = o.kat_do;
    }
    lista_.usun_duplikaty(cel, od, do_);

    konce(cel, kat_od, kat_do);
    return lista_.ile_punktow(cel);
}

// The partial strokes at the ends of the range, read on the intermediate lines.
void OdczytKm::konce(int cel, float od, float do_) {
    PunktOdczytu pierwszy;
    PunktOdczytu ostatni;
    const bool jest_pierwszy = lista_.pierwszy_punkt(cel, pierwszy);
    const bool jest_ostatni = lista_.ostatni_punkt(cel, ostatni);

    if (!jest_pierwszy && !jest_ostatni) {
        // No peak at all: a stroke that crosses two intermediate lines is still distance.
        const float srodek = (od + do_) / 2.0f;
        const int ring = static_cast<int>(an_.jaki_promien_km(srodek));
        const int r2 = promien_linii(ring, 2, srodek);
        const int r3 = promien_linii(ring, 3, srodek);
        const int r4 = promien_linii(ring, 4, srodek);
        const float a1 = od - 0.3f;
        const float a2 = do_ + 0.3f;
        const float f2 = lok_zak_kat(static_cast<float>(r2), a1, a2);
        const float f3 = lok_zak_kat(static_cast<float>(r3), a1, a2);
        const float f4 = lok_zak_kat(static_cast<float>(r4), a1, a2);
        if (f2 > 0.0f && f4 > 0.0f) {
            dodaj(cel, f2, 2, r2);
            dodaj(cel, f4, 4, r4);
        } else if (f2 > 0.0f && f3 > 0.0f) {
            dodaj(cel, f2, 2, r2);
            dodaj(cel, f3, 3, r3);
        } else if (f3 > 0.0f && f4 > 0.0f) {
            dodaj(cel, f3, 3, r3);
            dodaj(cel, f4, 4, r4);
        }
        return;
    }

    // A list with a first point has a last one (the same point when it is alone).
    const PunktOdczytu F = jest_pierwszy ? pierwszy : ostatni;
    const PunktOdczytu L = jest_ostatni ? ostatni : pierwszy;
    koniec_przy_piku(cel, F.typ, (od + F.kat) / 2.0f, od - 0.3f, F.kat - 0.2f);
    koniec_przy_piku(cel, L.typ, (do_ + L.kat) / 2.0f, L.kat + 0.3f, do_ + 0.2f);
}

// Beside an outer peak the lowest intermediate line the stroke crosses tells how long it is;
// beside an inner peak the highest one, counted only when the lines below it are crossed too.
void OdczytKm::koniec_przy_piku(int cel, int typ_piku, float kat_ringu, float a1, float a2) {
    if (typ_piku != 5 && typ_piku != 1) return;
    const int ring = static_cast<int>(an_.jaki_promien_km(kat_ringu));
    const int r2 = promien_linii(ring, 2, kat_ringu);
    const int r3 = promien_linii(ring, 3, kat_ringu);
    const int r4 = promien_linii(ring, 4, kat_ringu);
    const float f2 = lok_zak_kat(static_cast<float>(r2), a1, a2);
    const float f3 = lok_zak_kat(static_cast<float>(r3), a1, a2);
    const float f4 = lok_zak_kat(static_cast<float>(r4), a1, a2);
    if (typ_piku == 5) {
        if (f2 > 0.0f)
            dodaj(cel, f2, 2, r2);
        else if (f3 > 0.0f)
            dodaj(cel, f3, 3, r3);
        else if (f4 > 0.0f)
            dodaj(cel, f4, 4, r4);
        return;
    }
    if (f4 > 0.0f && f3 > 0.0f && f2 > 0.0f)
        dodaj(cel, f4, 4, r4);
    else if (f3 > 0.0f && f2 > 0.0f)
        dodaj(cel, f3, 3, r3);
    else if (f2 > 0.0f)
        dodaj(cel, f2, 2, r2);
}

float OdczytKm::lok_zak_kat(float r, float a1, float a2) {
    const float krok = krok_luku(r);
    if (!krok_poprawny(krok)) return -1.0f;
    const bool rosnaco = a1 < a2;
    const float d = rosnaco ? krok : -krok;
    Piksel poprzedni{0, 0};
    const GeometriaTarczy& g = an_.geometria();
    const WidokBitmapy obraz(an_.bitmapa());
    Kierunek kier(a1); // turned along with the angle
    for (float a = a1; rosnaco ? a <= a2 : a >= a2;) {
        kier = Kierunek(a, kier);
        const Piksel px = kier.punkt(g.x0, g.y0, r);
        if (!(px == poprzedni)) {
            poprzedni = px;
            if (lok2(obraz, 0, 2, px)) return a + d;
        }
        const float nastepny = a + d;
        if (nastepny == a) break;
        a = nastepny;
    }
    return -1.0f;
}

} // namespace analysis
