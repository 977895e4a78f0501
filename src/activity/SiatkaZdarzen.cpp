#include "activity/SiatkaZdarzen.h"

#include <algorithm>

SiatkaZdarzen::SiatkaZdarzen(int wiersze, int kolumny) {
    przebuduj(wiersze, kolumny);
}

void SiatkaZdarzen::przebuduj(int wiersze, int kolumny) {
    wiersze = std::max(wiersze, 0);
    kolumny = std::max(kolumny, 0);
    std::vector<QString> nowe(static_cast<size_t>(wiersze) * static_cast<size_t>(kolumny));
    for (int w = 0; w < std::min(wiersze, wiersze_); ++w)
        for (int k = 0; k < std::min(kolumny, kolumny_); ++k)
            nowe[static_cast<size_t>(w * kolumny + k)] =
                komorki_[static_cast<size_t>(w * kolumny_ + k)];
    komorki_ = std::move(nowe);
    wiersze_ = wiersze;
    kolumny_ = kolumny;
}

void SiatkaZdarzen::SetRowCount(int n) {
    przebuduj(n, kolumny_);
}
void SiatkaZdarzen::SetColCount(int n) {
    przebuduj(wiersze_, n);
}

QString SiatkaZdarzen::Cells(int kol, int wiersz) const {
    if (kol < 0 || wiersz < 0 || kol >= kolumny_ || wiersz >= wiersze_) return {};
    return komorki_[static_cast<size_t>(wiersz * kolumny_ + kol)];
}

void SiatkaZdarzen::SetCells(int kol, int wiersz, const QString& tekst) {
    if (kol < 0 || wiersz < 0 || kol >= kolumny_ || wiersz >= wiersze_) return;
    komorki_[static_cast<size_t>(wiersz * kolumny_ + kol)] = tekst;
}

QStringList SiatkaZdarzen::wiersz(int w) const {
    QStringList l;
    for (int k = 0; k < kolumny_; ++k)
        l << Cells(k, w);
    return l;
}

QString SiatkaZdarzen::doTekstu(int ile_kolumn) const {
    const int n = ile_kolumn < 0 ? kolumny_ : std::min(ile_kolumn, kolumny_);
    QStringList linie;
    for (int w = 0; w < wiersze_; ++w)
        linie << wiersz(w).mid(0, n).join(QLatin1Char('\t'));
    return linie.join(QLatin1Char('\n'));
}
