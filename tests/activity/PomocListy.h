#pragma once
// Building period lists for the tests: periods given as (start, end, code[, km, mark]).

#include "activity/Lista_zdarz.h"

#include <vector>

struct Okres {
    double od;
    double do_;
    int kod;
    int km = 0;
    int znak = 0;
};

inline void wypelnij(Lista_zdarz& l, const std::vector<Okres>& okresy) {
    for (const Okres& o : okresy)
        l.dodaj_zdarzenie(o.od, o.do_, o.kod, o.km, 0, 0, o.znak);
}

// Starts, ends and codes along the list, for whole-list comparisons.
struct Widok {
    std::vector<double> od, do_;
    std::vector<int> kod, nr;
};

inline Widok widok(const Lista_zdarz& l) {
    Widok w;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast) {
        w.od.push_back(z->kat_od);
        w.do_.push_back(z->kat_do);
        w.kod.push_back(z->czy_praca);
        w.nr.push_back(z->nr);
    }
    return w;
}

inline std::vector<double> starty(const Lista_zdarz& l) {
    return widok(l).od;
}
inline std::vector<int> kody(const Lista_zdarz& l) {
    return widok(l).kod;
}

// The links must agree both ways and with ile.
inline bool spojna(const Lista_zdarz& l) {
    int n = 0;
    const Zdarzenie* poprz = nullptr;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast) {
        if (z->poprz != poprz || z->nr != n) return false;
        poprz = z;
        ++n;
    }
    return poprz == l.ostatni && n == l.ile + 1;
}

// A list attached to a 400 x 400 disc view centred at (200, 200) with a ring of radius 190.
struct Tarcza {
    host::Bitmap32 widok{400, 400};
    host::Bitmap32 skan{400, 400};
    Lista_zdarz l;
    Tarcza() {
        l.ustaw_okno(&widok, &skan);
        l.x0 = 200;
        l.y0 = 200;
        l.ustaw_promien(190);
    }
    // Pixel at an angle and a radius around the centre.
    static std::pair<int, int> px(double kat, double r = 150.0) {
        return punkt_na_tarczy(kat, r, 200, 200);
    }
    host::TColor32 kolor(double kat, double r = 150.0) const {
        const auto [x, y] = px(kat, r);
        return widok.GetPixelS(x, y);
    }
};
