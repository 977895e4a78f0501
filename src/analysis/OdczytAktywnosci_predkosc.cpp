// Activity reader: stretches above the 85 km/h line of the speed trace (large scans only).
#include "analysis/OdczytAktywnosci.h"

#include "analysis/Czynnosc.h"
#include "host/KatyCzas.h"
#include "host/TDateTime.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace analysis {

namespace {

struct ProbkaPredkosci {
    float ile = 0.0f; // dark probes at the sample
    float kat = 0.0f;
};

// Radii above rgorny_km at which the speed trace above 85 km/h runs, by the sheet kind of the
// correction view. Any other kind has no known scale: nothing is read.
std::vector<int> offsety_predkosci(int rt) {
    if (rt == 0) return {319, 323, 327, 331};
    if (rt == 1) return {296, 300, 304};
    return {};
}

// The printed hour lines at 6, 12 and 18 o'clock cross the speed band.
bool na_linii_godzin(double v) {
    return (v > 90.0 && v < 91.0) || (v > 180.0 && v < 181.0) || (v > 270.0 && v < 271.0);
}

QString godzina(float kat, float kat24) {
    return host::CzasHHNN(host::KatNaGodz(host::Katdo360(kat), kat24));
}

} // namespace

void OdczytAktywnosci::czytaj_predkosc(const host::Bitmap32& bmp, float a0) {
    const GeometriaTarczy& g = an_.geometria();
    const float rgorny = an_.kalibracja().rgorny_km;
    const double c = 2.0 * M_PI * static_cast<double>(g.pocz_sr_godz + 27);
    std::vector<ProbkaPredkosci> t(ile_probek_max);
    int n = 1;
    for (; n < ile_probek_max && static_cast<double>(n) < c / 2.0; ++n)
        t[n].kat = static_cast<float>(a0 + 2.0 * 360.0 * n / c);

    const std::vector<int> offsety = offsety_predkosci(we_.rt);
    Piksel& poprzedni = an_.poprzedni_piksel_predkosci;
    for (int k = 1; k < n; ++k) {
        const float ak = t[k].kat;
        const double v = host::Katdo360(double(ak) - double(g.kat24));
        const Kierunek kier(ak);
        for (int o : offsety) {
            const float r = rgorny + static_cast<float>(o) + an_.jaka_delta_h(ak);
            const Piksel p = kier.punkt(g.x0, g.y0, r);
            const bool pomin = p == poprzedni || na_linii_godzin(v);
            poprzedni = p;
            if (!pomin && lok2(bmp, 0, 2, static_cast<float>(p.x), static_cast<float>(p.y)))
                t[k].ile += 1.0f;
        }
    }

    // A short break inside a stretch (up to four samples) is a gap in the line, not the end.
    auto ile = [&](int k) { return k < ile_probek_max ? t[k].ile : 0.0f; };
    for (int k = 1; k < n; ++k) {
        if (static_cast<int>(std::trunc(ile(k - 1))) == 0 || ile(k) != 0.0f) continue;
        if (ile(k + 1) != 0.0f || ile(k + 2) != 0.0f || ile(k + 3) != 0.0f || ile(k + 4) != 0.0f)
            t[k].ile = t[k - 1].ile;
    }

    przekroczenia_.clear();
    for (int k = 1; k < n;) {
        if (t[k].ile == 0.0f) {
            ++k;
            continue;
        }
        const int pierwsza = k;
        while (k < n && t[k].ile != 0.0f)
            ++k;
        const int ostatnia = k - 1;
        // A lone sample counts only when the line was met on more than two probes.
        if (ostatnia == pierwsza && !(t[pierwsza].ile > 2.0f)) continue;
        PrzekroczeniePredkosci e;
        e.kat_od = t[pierwsza].kat;
        e.kat_do = t[ostatnia].kat;
        const Piksel a = g.punkt(e.kat_od, rgorny + an_.jaka_delta_h(e.kat_od));
        const Piksel b = g.punkt(e.kat_do, rgorny + an_.jaka_delta_h(e.kat_do));
        e.left = std::min(a.x, b.x) - 10;
        e.top = std::min(a.y, b.y) - 10;
        e.right = std::max(a.x, b.x) + 10;
        e.bottom = std::max(a.y, b.y) + 10;
        przekroczenia_.push_back(e);
    }
}

// Only an excess that falls in a driving period is worth showing.
void OdczytAktywnosci::oznacz_przekroczenia() {
    etykiety_.clear();
    if (przekroczenia_.empty()) return;
    const float kat24 = an_.geometria().kat24;
    for (PrzekroczeniePredkosci& e : przekroczenia_) {
        for (int p = 0; p <= lista_.ile(); ++p) {
            const OkresOdczytu o = lista_.okres(p);
            if (o.czy_praca != kJazda) continue;
            if (host::Czy_w_zakr(o.kat_od, e.kat_od, o.kat_do) ||
                host::Czy_w_zakr(o.kat_od, e.kat_do, o.kat_do)) {
                e.flaga = 1;
                break;
            }
        }
        if (e.flaga)
            etykiety_ << godzina(e.kat_od, kat24) + QStringLiteral(" - ") +
                             godzina(e.kat_do, kat24);
    }
}

} // namespace analysis
