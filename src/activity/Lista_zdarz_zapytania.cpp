// Period list: queries over the periods.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"

int Lista_zdarz::pozycja_kata(double a) const {
    if (!pierwszy) return -1;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast)
        if (host::Czy_w_zakr(z->kat_od, a, z->kat_do)) return z->nr;
    return ostatni->nr;
}

host::TDateTime Lista_zdarz::czas_czynnosci(int c) const {
    return czas_czynnosci(c, 0, ile);
}

host::TDateTime Lista_zdarz::czas_czynnosci(int c, int p1, int p2) const {
    double suma = 0.0;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->nr < p1 || z->nr > p2) continue;
        // The stretch after the end of recording is no data whatever it holds.
        const int kod = zaczyna_sie_na_kat_zak(*z) ? kBrakDanych : z->czy_praca;
        if (kod != c) continue;
        double d = z->czas_do - z->czas_od;
        // Ending where it starts, a period is a whole day.
        if (d < 0.0 || (d == 0.0 && z->caly_dzien())) d += 1.0;
        suma += d;
    }
    return host::Zaokragl_Xm(suma, 1, 0, 0.0);
}

std::int64_t Lista_zdarz::km_w_zakresie(int p1, int p2) const {
    if (czy_szczeg) {
        const Zdarzenie* a = na_pozycji(p1);
        const Zdarzenie* b = na_pozycji(p2);
        if (!a || !b) return 0;
        return punkty_tarczy->odleglosc_w(a->kat_od, b->kat_do);
    }
    std::int64_t km = 0;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast)
        if (z->nr >= p1 && z->nr <= p2) km += z->km;
    return km;
}

int Lista_zdarz::ile_punktow() const {
    if (czy_szczeg) return punkty_tarczy->ile;
    int n = 0;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast)
        n += z->punkty->ile;
    return n;
}

void Lista_zdarz::ile_podjazd_out(int& ile_podjazd, int& ile_out) const {
    ile_podjazd = 0;
    ile_out = 0;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->podjazd) ++ile_podjazd;
        if (z->out) ++ile_out;
    }
}

void Lista_zdarz::pierwsza_ostatnia_jazda() {
    kat_jazdy_od = 0.0;
    kat_jazdy_do = 0.0;
    bool jest = false;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->czy_praca != kJazda) continue;
        if (!jest) kat_jazdy_od = z->kat_od;
        kat_jazdy_do = z->kat_do;
        jest = true;
    }
}

int Lista_zdarz::czy_dlugi_odpoczynek() const {
    // Nine hours are 135 degrees.
    for (const Zdarzenie* z = pierwszy; z; z = z->nast)
        if (z->czy_praca < kPraca && z->kat_trw() >= 135.0) return 0;
    return -1;
}
