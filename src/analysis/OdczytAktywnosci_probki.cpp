// Activity reader: sampling the band around the disc and classing each sample.
#include "analysis/OdczytAktywnosci.h"

#include "analysis/KierunekLuku.h"

#include "host/KatyCzas.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr float dwa_pi_f = 6.2831855f;

// Ladders of the thickness kinds: radii above the trace base at which the line is probed.
constexpr int drabina_standardowa[12] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24};
constexpr int drabina_cienka[12] = {2, 4, 5, 7, 8, 10, 12, 13, 14, 15, 16, 18};

// Line thickness to class: 3 and 6 lie between two activities and are left to the neighbours.
float kwantyzuj(int w) {
    if (w <= 2) return 2.0f;
    if (w == 4 || w == 5) return 5.0f;
    if (w >= 7 && w <= 9) return 8.0f;
    if (w >= 10) return 11.0f;
    return static_cast<float>(w);
}

} // namespace

void OdczytAktywnosci::Odczyt_trybu_pracy(const host::Bitmap32& bitmapa, float a0) {
    lista_.ustaw_kat_rozp(a0);
    std::fill(probki_.begin(), probki_.end(), ProbkaAktywnosci{});
    przekroczenia_.clear();
    etykiety_.clear();
    if (an_.geometria().polowa_obrazu == 750) czytaj_predkosc(bitmapa, a0);

    const int P = an_.geometria().pocz_sr_godz;
    const int typ = we_.typ;
    // One sample per two pixels of arc on a radius inside the band.
    const float rs = static_cast<float>(P + (typ == wykres_schodkowy ? 80 : 27));
    const float c = dwa_pi_f * rs;
    // The ray of each sample is turned from the one before instead of taking cos and sin
    // anew: the samples are a fraction of a degree apart, and the pixels stay the same.
    Kierunek kier(a0);
    // The rows taken once for the whole pass, not once per sample.
    const WidokBitmapy obraz(bitmapa);
    for (int k = 0; static_cast<float>(k) < c / 2.0f && k < ile_probek_max; ++k) {
        const float ak = a0 + static_cast<float>(k * 2 * 360) / c;
        kier = Kierunek(ak, kier);
        ProbkaAktywnosci& s = probki_[k];
        s.kat = ak;
        switch (typ) {
        case pseudoschodkowy:
            s.klasa = klasa_pseudoschodkowa(obraz, kier);
            s.szerokosc = s.klasa;
            break;
        case wykres_schodkowy:
        case do125kmh:
            s.klasa = klasa_schodkowa(obraz, kier);
            s.szerokosc = s.klasa;
            break;
        default:
            s.klasa = klasa_grubosci(obraz, kier, &s.szerokosc);
            break;
        }
    }
    if (typ != pseudoschodkowy && typ != wykres_schodkowy && typ != do125kmh) rozstrzygnij_klasy();
    usun_szpilki();
}

// Thickness kinds. The trace base is the start of the longest dark run near the hour ring;
// from there a ladder of twelve radii is probed and the longest plausible run of dark rungs
// is the line width. A long run that starts high up the ladder is another line above the
// trace, not the trace itself.
float OdczytAktywnosci::klasa_grubosci(const WidokBitmapy& obraz, const Kierunek& kier,
                                       float* szerokosc) const {
    const int P = an_.geometria().pocz_sr_godz;
    constexpr int od = -8, do_ = 15, najwyzej = do_ + 24; // the ladder reaches 24 above the base
    // The pixels of a ray run monotonically from one end to the other: when both ends are on
    // the bitmap, every pixel between them is read without the bounds test.
    const float x0 = an_.geometria().x0, y0 = an_.geometria().y0;
    const Piksel a = kier.punkt(x0, y0, P + od), b = kier.punkt(x0, y0, P + najwyzej);
    const bool w_obrazie = obraz.zawiera(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                                         std::max(a.y, b.y));
    // Both coordinates at once; a point near a pixel boundary is left to the exact way.
    const KierunekLuku promien(kier.cos(), kier.sin());
    const double xp = double(x0) + 0.5, yp = double(y0) + 0.5;
    auto ciemny_r = [&](int r) {
        Piksel p;
        if (!promien.piksel(xp, yp, double(r), 1e-7, p)) p = kier.punkt(x0, y0, r);
        return ciemna_probka(w_obrazie ? obraz.piksel_w_obrazie(p.x, p.y) : obraz.piksel(p.x, p.y));
    };
    bool zbadany[do_ - od + 1]; // the ladder reuses what the base search saw
    int baza = 0, najdluzszy = 0, bieg = 0, poczatek = 0;
    for (int r = P + od; r <= P + do_; ++r) {
        zbadany[r - P - od] = ciemny_r(r);
        if (!zbadany[r - P - od]) {
            bieg = 0;
            continue;
        }
        if (bieg == 0) poczatek = r - P;
        if (++bieg > najdluzszy) {
            najdluzszy = bieg;
            baza = poczatek;
        }
    }

    const int* drabina = we_.typ == cienki_wykres ? drabina_cienka : drabina_standardowa;
    const int B = P + baza;
    bool s[12];
    for (int j = 0; j < 12; ++j) {
        const int r = B + drabina[j];
        s[j] = r <= P + do_ ? zbadany[r - P - od] : ciemny_r(r);
    }

    int dlugosc[5] = {};
    int ostatni[5] = {};
    int q = 0;
    if (s[0]) dlugosc[0] = 1;
    for (int j = 1; j < 12; ++j) {
        if (!s[j] && s[j - 1]) ++q;
        if (s[j] && q < 5) {
            ostatni[q] = j;
            ++dlugosc[q];
        }
    }

    int w = 2;
    for (int i = 0; i < 5; ++i) {
        const bool do_przyjecia = dlugosc[i] < 4 || dlugosc[i] > 10 || ostatni[i] <= dlugosc[i] + 2;
        if (dlugosc[i] > w && do_przyjecia) w = dlugosc[i];
    }
    *szerokosc = static_cast<float>(w);
    return kwantyzuj(w);
}

// Pseudo-stepped kind: any thick enough dark run among the selected levels is driving.
float OdczytAktywnosci::klasa_pseudoschodkowa(const WidokBitmapy& obraz,
                                              const Kierunek& kier) const {
    const float ak = static_cast<float>(kier.kat());
    static constexpr int od[5] = {0, 343, 375, 402, 430};
    static constexpr int do_[5] = {0, 367, 394, 421, 450};
    const float dh = an_.jaka_delta_h(ak);
    int najdluzszy = 0, bieg = 0;
    auto skanuj = [&](int r1, int r2) {
        for (int r = r1; r <= r2; ++r) {
            bieg = ciemny(obraz, kier, static_cast<float>(r) + dh) ? bieg + 1 : 0;
            najdluzszy = std::max(najdluzszy, bieg);
        }
    };
    if (we_.poziomy == 0) {
        skanuj(345, 452);
    } else {
        for (int n = 1; n <= 4; ++n)
            if (we_.p[n - 1]) skanuj(od[n] + 2, do_[n] + 2);
    }
    return najdluzszy < 4 ? 2.0f : 11.0f;
}

// Stepped kinds: the outermost level with ink wins. A few degrees before or after every sixth
// hour a level's window is unreliable; there that level counts only when no other does.
float OdczytAktywnosci::klasa_schodkowa(const WidokBitmapy& obraz, const Kierunek& kier) const {
    const float ak = static_cast<float>(kier.kat());
    static constexpr int offset[5] = {0, -12, 16, 44, 72};
    static constexpr float klasy[5] = {2.0f, 2.0f, 5.0f, 8.0f, 11.0f};
    const float dh = an_.jaka_delta_h(ak);
    const int d = static_cast<int>(std::trunc(
                      host::Roznica_katow(an_.geometria().kat24, double(ak) + 360.0) + 0.5)) %
                  90;
    int pewny = 0, watpliwy = 0;
    for (int n = 1; n <= 4; ++n) {
        int najdluzszy = 0, bieg = 0;
        for (int r = 358 + offset[n]; r <= 376 + offset[n]; ++r) {
            bieg = ciemny(obraz, kier, static_cast<float>(r) + dh) ? bieg + 1 : 0;
            najdluzszy = std::max(najdluzszy, bieg);
        }
        if (najdluzszy == 0) continue;
        const bool watpliwa =
            (n == 1 && d >= 84 && d <= 88) || (n == 2 && (d == 0 || (d >= 86 && d <= 90))) ||
            (n == 3 && (d == 89 || (d >= 0 && d <= 3))) || (n == 4 && d >= 2 && d <= 6);
        (watpliwa ? watpliwy : pewny) = n;
    }
    return klasy[pewny ? pewny : watpliwy];
}

float OdczytAktywnosci::klasa(int k) const {
    if (k < 0 || k >= ile_probek_max) return 0.0f;
    return probki_[k].klasa;
}

// Widths 3 and 6 lie between two activities; the neighbours at two, four and six samples on
// either side decide.
void OdczytAktywnosci::rozstrzygnij_klasy() {
    const int n = ile_probek();
    auto dyzur_lub_3 = [&](int i) {
        if (i < 0) return false;
        const float c = klasa(i);
        return c == 3.0f || c == 5.0f;
    };
    auto dyzur = [&](int i) { return i >= 0 && klasa(i) == 5.0f; };
    for (int k = 0; k < n; ++k) {
        if (probki_[k].klasa != 3.0f) continue;
        const bool z_lewej = dyzur_lub_3(k - 2) && dyzur_lub_3(k - 4) && dyzur_lub_3(k - 6);
        const bool z_prawej = dyzur_lub_3(k + 2) && dyzur_lub_3(k + 4) && dyzur_lub_3(k + 6);
        probki_[k].klasa = z_lewej || z_prawej ? 5.0f : 2.0f;
    }
    for (int k = 0; k < n; ++k) {
        if (probki_[k].klasa != 6.0f) continue;
        const bool z_lewej = dyzur(k - 2) && dyzur(k - 4) && dyzur(k - 6);
        const bool z_prawej = dyzur(k + 2) && dyzur(k + 4) && dyzur(k + 6);
        probki_[k].klasa = z_lewej || z_prawej ? 5.0f : 8.0f;
    }
}

// A single sample that differs from the one before it is a speck or a gap in the line.
void OdczytAktywnosci::usun_szpilki() {
    auto roznica = [&](int k) {
        return std::abs(static_cast<int>(std::trunc(klasa(k) - klasa(k - 1))));
    };
    auto pojedyncza = [&](int k) { return klasa(k + 1) != klasa(k); };
    for (int k = 1; k < ile_probek_max && probki_[k].kat != 0.0f; ++k) {
        if (roznica(k) > 4 && pojedyncza(k)) probki_[k].klasa = klasa(k - 1);
        if (roznica(k) > 1 && pojedyncza(k)) probki_[k].klasa = klasa(k - 1);
    }
    probki_[0].klasa = probki_[1].klasa;
}

} // namespace analysis
