#include "analysis/Piksel.h"

#include "analysis/Obrot.h"

#include <cmath>

namespace analysis {

Kierunek::Kierunek(double kat)
    : kat_(kat), cos_(std::cos(kat * stopien)), sin_(std::sin(kat * stopien)) {}

Piksel Kierunek::punkt_dokladny(double x0, double y0, double r) const {
    return Kierunek(kat_).punkt(x0, y0, r);
}

PozycjaF pozycja_na_kacie(double x0, double y0, double kat, double r) {
    return Kierunek(kat).pozycja(x0, y0, r);
}

Piksel punkt_na_kacie(double x0, double y0, double kat, double r) {
    return Kierunek(kat).punkt(x0, y0, r);
}

bool lok2(const host::Bitmap32& bmp, int kolor, int min_ile, float x, float y) {
    return lok2(WidokBitmapy(bmp), kolor, min_ile, x, y);
}

bool lok2(const WidokBitmapy& obraz, int kolor, int min_ile, float x, float y) {
    static constexpr double d[3] = {-1.0, 0.0, 1.0};
    int px[3], py[3];
    for (int i = 0; i < 3; ++i) {
        px[i] = static_cast<int>(std::trunc(double(x) + d[i]));
        py[i] = static_cast<int>(std::trunc(double(y) + d[i]));
    }
    // Truncation keeps the order, so the corners bound the nine pixels.
    const bool w_obrazie = obraz.zawiera(px[0], py[0], px[2], py[2]);
    // The answer is known as soon as enough pixels matched or too few are left to match.
    int ile = 0, zostalo = 9;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const host::TColor32 c =
                w_obrazie ? obraz.piksel_w_obrazie(px[i], py[j]) : obraz.piksel(px[i], py[j]);
            if (host::WinColor(c) == kolor) ++ile;
            --zostalo;
            if (ile >= min_ile) return true;
            if (ile + zostalo < min_ile) return false;
        }
    }
    return false;
}

bool lok2(const WidokBitmapy& obraz, int kolor, int min_ile, Piksel p) {
    const bool w_obrazie = obraz.zawiera(p.x - 1, p.y - 1, p.x + 1, p.y + 1);
    int ile = 0, zostalo = 9;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const host::TColor32 c = w_obrazie ? obraz.piksel_w_obrazie(p.x + dx, p.y + dy)
                                               : obraz.piksel(p.x + dx, p.y + dy);
            if (host::WinColor(c) == kolor) ++ile;
            --zostalo;
            if (ile >= min_ile) return true;
            if (ile + zostalo < min_ile) return false;
        }
    }
    return false;
}

} // namespace analysis
