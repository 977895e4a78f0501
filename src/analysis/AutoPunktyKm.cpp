#include "analysis/AutoPunktyKm.h"

#include "analysis/Czynnosc.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr int poziom_wewn = 1;
constexpr int poziom_zewn = 5;
constexpr int km_na_suw = poziom_zewn - poziom_wewn + 1; // one full stroke

double dlugosc(const OkresOdczytu& o) {
    return o.kat_do < o.kat_od ? o.kat_do + 360.0 - o.kat_od : o.kat_do - o.kat_od;
}

} // namespace

void AutoPunktyKm::usun_punkty_km(ListaOkresow& lista) {
    if (lista.szczegolowa()) {
        lista.czysc_punkty(-1);
    } else {
        for (int p = 0; p <= lista.ile(); ++p) {
            lista.czysc_punkty(p);
            lista.ustaw_km(p, 0);
        }
    }
    lista.ustaw_zmiana();
}

AutoPunktyKm::Wynik AutoPunktyKm::dodaj(int roznica_km, const std::function<void()>& przed_zmiana) {
    const int D = roznica_km;
    if (D > max_km) return Wynik::za_duzo_km;
    if (przed_zmiana) przed_zmiana();
    usun_punkty_km(lista_);

    const bool szczeg = lista_.szczegolowa();
    double T = 0.0;
    int ostatnia_jazda = -1;
    for (int p = 0; p <= lista_.ile(); ++p) {
        const OkresOdczytu o = lista_.okres(p);
        if (o.czy_praca != kJazda) continue;
        T += dlugosc(o);
        ostatnia_jazda = p;
    }

    int reszta = D;
    int poziom = poziom_wewn;
    bool w_gore = true;
    int obrot = 0; // whole turns added to the angles of a detailed chart after a wrap
    for (int p = 0; p <= ostatnia_jazda; ++p) {
        const OkresOdczytu o = lista_.okres(p);
        if (o.czy_praca != kJazda) continue;
        const double dl = dlugosc(o);
        int k = p == ostatnia_jazda ? reszta : static_cast<int>(std::trunc(D * dl / T + 0.5));
        if (k < 2) continue; // a single kilometre cannot be drawn; it stays with the rest
        reszta -= k;
        bool otwarcie = false;
        if (!szczeg) {
            lista_.ustaw_km(p, k);
            otwarcie = true;
        }
        int s = w_gore ? poziom_zewn + 1 - poziom : poziom;
        // Strokes in this period: the one to the next turn, then one per further 5 km, the
        // last one partial (the count rounded up as a truncated quotient plus one).
        int suwy = (k - s) / km_na_suw;
        if ((k - s) % km_na_suw != 0) ++suwy;
        const double delta = dl / (suwy + 1);
        const int cel = szczeg ? -1 : p;
        double kat = o.kat_od;
        auto punkt = [&] {
            lista_.dodaj_punkt(cel, static_cast<float>(kat + 360.0 * obrot), poziom,
                               promien_poziomu(poziom));
            kat += delta;
        };
        while (k > 0) {
            if (otwarcie) {
                punkt();
                otwarcie = false;
            }
            const int m = std::min(k, s);
            poziom += w_gore ? m - 1 : -(m - 1);
            punkt();
            if (k >= s) w_gore = !w_gore;
            k -= m;
            s = w_gore ? poziom_zewn + 1 - poziom : poziom;
        }
        if (szczeg && o.kat_do < o.kat_od) obrot = 1;
    }
    lista_.ustaw_zmiana();
    return Wynik::dodano;
}

} // namespace analysis
