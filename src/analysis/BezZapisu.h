#pragma once
// Stretches of the day in which the activity band holds no ink at all: the tachograph recorded
// nothing there (it was off, the disc was out, the stylus did not touch the paper). The
// reading rules still give such a stretch an activity (a missing trace reads as rest), so the
// stretches are reported beside the periods for the user to check.
//
// The band is probed along rays from the hour ring outward and then inward, stopping at the
// first dark pixel, in the middle of every other clock minute and, around one found empty, at
// every quarter minute. A stretch is as long as its empty rays, to the nearest minute (the ends of
// the trace on either side may take a quarter minute or so off it); its times are whole
// minutes.

#include "analysis/GeometriaTarczy.h"

#include "host/Bitmap32.h"

#include <vector>

namespace analysis {

struct OdcinekBezZapisu {
    float kat_od = 0.0f; // angle where the stretch starts (a whole minute)
    float kat_do = 0.0f; // angle where ink starts again; equal to kat_od for a disc with no ink
    int minuty = 0;      // length in minutes
};

// The empty stretches of at least min_minut minutes, in clock order from 00:00 (a stretch
// across midnight comes last). Reads the band of the geometry's chart kind around its centre
// and hour ring.
std::vector<OdcinekBezZapisu> odcinki_bez_zapisu(const host::Bitmap32& bitmapa,
                                                 const GeometriaTarczy& g, int min_minut = 10);

} // namespace analysis
