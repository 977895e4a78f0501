#pragma once
// Drawing primitives of the host painter on Bitmap32. Coordinates are bitmap pixels, colours
// ARGB. All of them clip at the bitmap's edges.

#include "host/Bitmap32.h"

#include <QPainterPath>

namespace host {

// Outline circle of the given radius.
void Rysuj_okrag(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor);
// Filled circle (a dot).
void Rysuj_kolo(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor);
// Straight line of the given width.
void Rysuj_linie(Bitmap32& bmp, int x1, int y1, int x2, int y2, int szerokosc, TColor32 kolor);
// Rectangle outline of the given line width; wartosc is the alpha of the outline (0..255,
// 100 draws a translucent frame as the correction view expects).
void Rysuj_kwadrat(Bitmap32& bmp, int left, int top, int right, int bottom, int szerokosc,
                   TColor32 kolor, int wartosc);
// Ring sector of one period: from kat_od to kat_do (degrees, kat_do > kat_od, may pass 360),
// outer radius promien, inner radius promien - szerokosc. cieniowanie hatches the sector,
// reczny marks a hand-entered period with the marker picture styl (may be null) along the
// sector's middle.
void Rysuj_cwiartka(Bitmap32& bmp, double x0, double y0, int promien, double kat_od,
                    double kat_do, TColor32 kolor, int reczny, const Bitmap32* styl,
                    int cieniowanie, int szerokosc);
// Adds a circle of the given radius to a polygon path (drawn later in one go).
void Kolo(QPainterPath& wielokat, double x, double y, double promien);
// Fills the collected circles onto the bitmap.
void Rysuj_wielokat(Bitmap32& bmp, const QPainterPath& wielokat, TColor32 kolor);

} // namespace host
