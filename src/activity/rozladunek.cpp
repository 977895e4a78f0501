#include "activity/rozladunek.h"

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
