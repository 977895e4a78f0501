#include "activity/rozladunek.h"

#include "host/KatyCzas.h"

#include <cmath>

void lista_rozladunkow::usun(int i) {
    if (i < 0 || i >= ile()) return;
    punkty_.erase(punkty_.begin() + i);
    if (wybrany == i)
        wybrany = -1;
    else if (wybrany > i)
        --wybrany;
}

bool lista_rozladunkow::usun_wybrany() {
    if (wybrany < 0 || wybrany >= ile()) return false;
    usun(wybrany);
    return true;
}

void lista_rozladunkow::czysc() {
    punkty_.clear();
    wybrany = -1;
}

void lista_rozladunkow::kopiuj_do(lista_rozladunkow& cel) const {
    if (&cel == this) return;
    cel.punkty_ = punkty_;
    cel.wybrany = wybrany;
}

void lista_rozladunkow::przelicz_czasy(double dzien, double kat24, double kat_startu) {
    const double start = host::KatNaGodz(kat_startu, kat24);
    for (rozladunek& p : punkty_) {
        const double godz = host::KatNaGodz(p.kat, kat24);
        p.data = std::floor(dzien) + godz + (godz < start ? 1.0 : 0.0);
    }
}
