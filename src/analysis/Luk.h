#pragma once
// The arc tests of the ring searches: an arc of one radius around the centre walked pixel by
// pixel, and whether enough of it is dark.

#include "analysis/Piksel.h"

#include "host/Bitmap32.h"

namespace analysis {

// What an arc walk saw: pixels counted (consecutive repeats skipped) and how many were dark.
struct StatystykaLuku {
    int policzone = 0;
    int ciemne = 0;
};

// Walks the arc of radius r from kat - pol to kat + pol inclusive in steps of one pixel of arc
// length (360 / (2 pi r) degrees, in float), skipping a pixel equal to the previous one; the
// previous pixel starts as (0, 0).
StatystykaLuku zlicz_luk(const host::Bitmap32& bmp, float x0, float y0, float kat, float pol,
                         float r);

// Arc darkness test: more than procent percent of the counted arc pixels are dark (real
// division, strictly greater). An arc with no counted pixel is not dark.
bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r);
// The same for a search over many radii from one start: poczatek is Kierunek(kat - pol), with
// kat - pol computed in float.
bool lok_prom(const host::Bitmap32& bmp, float x0, float y0, int procent, float kat, float pol,
              float r, const Kierunek& poczatek);
// The same on rows already taken, for a search that tests many radii of one ray.
bool lok_prom(const WidokBitmapy& obraz, float x0, float y0, int procent, float kat, float pol,
              float r, const Kierunek& poczatek);

} // namespace analysis
