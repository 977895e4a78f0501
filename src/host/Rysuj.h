#pragma once
// Drawing primitives of the host painter on Bitmap32. Coordinates are bitmap pixels, colours
// ARGB. All of them clip at the bitmap's edges and draw without antialiasing, so every pixel
// they touch carries exactly the colour given (readers and tests compare exact colours).
//
// Pixel convention: integer coordinates name pixel centres, as the chart code's "add 0.5 and
// truncate" rounding implies; a point (x, y) in doubles lies in pixel (trunc(x + 0.5),
// trunc(y + 0.5)).

#include "host/Bitmap32.h"

#include <QPainterPath>

namespace host {

// Outline circle of the given radius, one pixel wide: (x +- promien, y) and (x, y +- promien)
// are on it.
void Rysuj_okrag(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor);
// Filled circle (a dot): the pixels within promien + 0.5 of (x, y).
void Rysuj_kolo(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor);
// Straight line of the given width, both end pixels included for width 1.
void Rysuj_linie(Bitmap32& bmp, int x1, int y1, int x2, int y2, int szerokosc, TColor32 kolor);
// Rectangle outline of the given line width, drawn inside left..right x top..bottom (all
// inclusive); wartosc is the alpha of the outline (0..255, 100 draws a translucent frame as
// the correction view expects), blended over the picture.
void Rysuj_kwadrat(Bitmap32& bmp, int left, int top, int right, int bottom, int szerokosc,
                   TColor32 kolor, int wartosc);

// Ring sector of one period. A pixel (i, j) belongs to the sector when its distance d from
// (x0, y0) is within promien - szerokosc .. promien (inclusive) and its angle (degrees,
// X = x0 + r cos a, Y = y0 + r sin a, clockwise on screen) lies in kat_od .. kat_do
// (inclusive; kat_do may pass 360, a span of 360 or more is the whole ring). Every such pixel
// is set to kolor, replacing what was there, with these variations:
//  - cieniowanie != 0: the pixels with (i + j) % 8 == 0 take HatchColour(kolor), a diagonal
//    hatch ("/" lines 8 pixels apart) over the plain fill;
//  - reczny != 0 with a marker picture styl: the picture is stamped, centred, at evenly spaced
//    points of the sector's middle arc (as many as fit side by side, at least one), only
//    where it falls inside the sector; its transparent pixels leave the fill visible;
//  - reczny != 0 without a picture: the one-pixel outer and inner edges of the sector take
//    HandEnteredEdgeColour(kolor).
void Rysuj_cwiartka(Bitmap32& bmp, double x0, double y0, int promien, double kat_od, double kat_do,
                    TColor32 kolor, int reczny, const Bitmap32* styl, int cieniowanie,
                    int szerokosc);

// Colour of the hatch lines of a shaded sector: each channel at three quarters, opaque.
TColor32 HatchColour(TColor32 kolor);
// Colour of the edges of a hand-entered sector drawn without a marker picture: each channel
// halved, opaque.
TColor32 HandEnteredEdgeColour(TColor32 kolor);

// Adds a dot of the given radius centred on (x, y) to a polygon path (drawn later in one go).
// Rysuj_wielokat of a single Kolo covers exactly the pixels Rysuj_kolo covers.
void Kolo(QPainterPath& wielokat, double x, double y, double promien);
// Fills the collected dots onto the bitmap; overlapping dots merge (no holes).
void Rysuj_wielokat(Bitmap32& bmp, const QPainterPath& wielokat, TColor32 kolor);

} // namespace host
