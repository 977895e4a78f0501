#pragma once
// Measures the distance zig-zag's turning lines on one chart, from the trace itself, before
// the zig-zag is read.
//
// Along every ray through the distance band the dark pixels are counted at each offset from
// the distance ring: over the rays where the activity trace shows driving, per 15-degree
// sector, and over the other rays for the whole disc. A printed ring is there on the whole
// circle, so it darkens both alike; the zig-zag only where the vehicle drove, and the resting
// stylus only where it did not. The driving share minus the other share is the zig-zag's own
// profile; its inner and outer edges are where it falls below a quarter of its plateau.
//
// An edge that meets printed ink (two offsets beyond it) is only a bound: the zig-zag may go
// on under the ink. A sector is kept when its edges and the calibration's tip-to-tip height
// agree (within 15 % with both edges clear of ink, 3 px with one or both at ink); the tips
// then lie as near the calibration's as the bounds allow. A printed legend where the vehicle
// drove pushes one edge beyond any height the other allows, and the sector is dropped; so is
// a sector that differs from most measured sectors within three of it by more than 3 px a
// sector (more than a recording drifts). Sectors need about 9 degrees of driving.
//
// The turning lines then keep the calibration's offsets where a sector's edges lie within
// 1.5 px of where the calibration puts the tips, and are shifted with the edges elsewhere;
// lines 2 to 4 keep their calibrated places between them. A turning line with printed ink
// (ink that the rest of the disc holds and the driving holds on top of the zig-zag) within
// 1.5 px steps towards its tip, up to 1.5 px beyond the edge. Sectors without enough
// driving take the lines of their neighbours, interpolated along the disc, so a recording
// that drifts during the day is followed; each edge is the median of five neighbouring
// sectors, so that a sector where a drive only begins does not stand out.
//
// The calibration's fixed offsets stay (LinieKm::zmierzone false) when nothing was driven,
// when no sector shows a zig-zag of the calibration's height, when the kept sectors' edges
// still jump apart (more than 3 px per sector), or when every sector agrees with the
// calibration and no printed ink lies on its lines: clean charts then read exactly as with
// fixed offsets.

#include "analysis/AnalizaTarczy.h"
#include "analysis/LinieKm.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace analysis {

// Per sector of the disc, the zig-zag's inner and outer edges (offsets from the distance
// ring) where they were measured.
using KrawedzieSektorow = std::array<std::optional<std::pair<float, float>>, LinieKm::ile_sektorow>;

// Drops each measured sector whose edges differ from those of most measured sectors within
// three of it (around the disc) by more than 3 px per sector between them: more than a
// recording drifts, so the sector saw something else (a legend, a scratch).
void odrzuc_niezgodne(KrawedzieSektorow& kr);

// jazda: the driving stretches as angle ranges (od, do), do below od across 360.
LinieKm zmierz_linie_km(const AnalizaTarczy& an, const std::vector<std::pair<float, float>>& jazda);

} // namespace analysis
