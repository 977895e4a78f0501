#pragma once
// Pixel-level primitives every chart reader shares: the angle convention that turns an angle
// and a radius around the centre into a pixel, the dark-pixel rules and the two pixel tests on
// which ring and trace detection rest. They work on any Bitmap32, without a window.

#include "analysis/Obrot.h"

#include "host/Bitmap32.h"

#include <cmath>

namespace analysis {

struct Piksel {
    int x = 0;
    int y = 0;
    friend bool operator==(const Piksel&, const Piksel&) = default;
};

// Position of the point at angle kat (degrees, clockwise on screen because y grows down) and
// radius r around (x0, y0), with the half pixel already added but not truncated.
struct PozycjaF {
    double x = 0.0;
    double y = 0.0;
};
PozycjaF pozycja_na_kacie(double x0, double y0, double kat, double r);

// The cosine and sine of one angle, for readers that probe many radii along the same ray:
// pozycja and punkt give exactly what pozycja_na_kacie and punkt_na_kacie give for that angle
// (both go through here), without computing the two functions again for every radius.
//
// A reader that moves along the disc in small steps may turn the previous direction to the
// next angle instead of calling cos and sin again. punkt stays exact: the turned direction
// is within 1e-11 pixel of the true one over the disc, and a point that close to a pixel
// boundary is computed again the exact way. pozycja of a turned direction is that close only.
class Kierunek {
public:
    explicit Kierunek(double kat);
    // The direction of kat turned from poprzedni; exact after a long series of turns or a
    // turn of more than about a degree.
    Kierunek(double kat, const Kierunek& poprzedni);
    PozycjaF pozycja(double x0, double y0, double r) const {
        return {x0 + r * cos_ + 0.5, y0 + r * sin_ + 0.5};
    }
    Piksel punkt(double x0, double y0, double r) const {
        // The conversion truncates toward zero by itself.
        const PozycjaF p = pozycja(x0, y0, r);
        const Piksel wynik{static_cast<int>(p.x), static_cast<int>(p.y)};
        if (obroty_ > 0) {
            // Truncation changes at whole numbers, on either side of zero.
            constexpr double blisko = 1e-9;
            const double ux = std::fabs(p.x - double(wynik.x));
            const double uy = std::fabs(p.y - double(wynik.y));
            if (ux < blisko || ux > 1.0 - blisko || uy < blisko || uy > 1.0 - blisko)
                return punkt_dokladny(x0, y0, r);
        }
        return wynik;
    }
    double kat() const { return kat_; }
    double cos() const { return cos_; }
    double sin() const { return sin_; }

private:
    Piksel punkt_dokladny(double x0, double y0, double r) const;

    double kat_;
    double cos_;
    double sin_;
    int obroty_ = 0; // turns since the last exact direction
};

// Inline: the readers turn a direction once per sample or step, thousands of times a chart.
inline Kierunek::Kierunek(double kat, const Kierunek& poprzedni) : kat_(kat) {
    // Each turn adds at most a few 1e-16 to the error; after 64 of them, or for a turn the
    // short series below does not cover to 1e-17, start again from cos and sin.
    constexpr int najwiecej_obrotow = 64;
    constexpr double najwiekszy_obrot = 0.02; // radians
    const double d = (kat - poprzedni.kat_) * stopien;
    if (poprzedni.obroty_ >= najwiecej_obrotow || !(std::fabs(d) <= najwiekszy_obrot)) {
        *this = Kierunek(kat);
        return;
    }
    const Obrot o = obrot(d);
    cos_ = poprzedni.cos_ * o.cos - poprzedni.sin_ * o.sin;
    sin_ = poprzedni.sin_ * o.cos + poprzedni.cos_ * o.sin;
    obroty_ = poprzedni.obroty_ + 1;
}

// The pixel of that point: trunc(x0 + r cos + 0.5), trunc(y0 + r sin + 0.5). Truncation cuts
// toward zero, so left of or above the origin the result is one pixel closer to zero than
// plain rounding would give.
Piksel punkt_na_kacie(double x0, double y0, double kat, double r);

// The rows of a bitmap taken once, for loops that read many pixels: piksel answers what
// Bitmap32::GetPixelS answers, 0 off the bitmap, without a call into QImage per pixel.
class WidokBitmapy {
public:
    explicit WidokBitmapy(const host::Bitmap32& bmp)
        : szer_(bmp.width()), wys_(bmp.height()),
          bity_(szer_ > 0 && wys_ > 0 ? bmp.scanLine(0) : nullptr),
          wiersz_(bmp.image().bytesPerLine() / qsizetype(sizeof(host::TColor32))) {}
    host::TColor32 piksel(int x, int y) const {
        if (!bity_ || x < 0 || y < 0 || x >= szer_ || y >= wys_) return 0;
        return bity_[y * wiersz_ + x];
    }
    // Whether the rectangle from (x1, y1) to (x2, y2) lies inside the bitmap, and the pixel
    // read without the test for a point known to be inside.
    bool zawiera(int x1, int y1, int x2, int y2) const {
        return bity_ && x1 >= 0 && y1 >= 0 && x2 < szer_ && y2 < wys_;
    }
    host::TColor32 piksel_w_obrazie(int x, int y) const { return bity_[y * wiersz_ + x]; }

private:
    int szer_, wys_;
    const host::TColor32* bity_;
    qsizetype wiersz_;
};

// Dark for the arc and neighbourhood tests: pure black whatever the alpha (WinColor 0).
// Off the bitmap GetPixelS answers 0, which is dark too.
constexpr bool czarny_win(host::TColor32 c) {
    return (c & 0x00FFFFFFu) == 0; // the colour bits WinColor keeps
}
static_assert(czarny_win(0x7F000000u) && !czarny_win(0xFF000001u) && !czarny_win(0x00010000u));

// Dark sample of the activity reader: the raw value is opaque black or all zero; near-black
// greys and translucent black are light.
constexpr bool ciemna_probka(host::TColor32 c) {
    return c == 0xFF000000u || c == 0u;
}

// Neighbourhood colour test: among the nine pixels (trunc(x + dx), trunc(y + dy)),
// dx, dy in -1.0, 0, +1.0, at least min_ile have WinColor equal to kolor (a Windows colour).
bool lok2(const host::Bitmap32& bmp, int kolor, int min_ile, float x, float y);
// The same on rows already taken, for a walk that tests many points.
bool lok2(const WidokBitmapy& obraz, int kolor, int min_ile, float x, float y);
// The same around a whole pixel, as lok2 answers for its coordinates as floats: the nine
// pixels are then the pixel and its eight neighbours, with no truncation to compute.
bool lok2(const WidokBitmapy& obraz, int kolor, int min_ile, Piksel p);

} // namespace analysis
