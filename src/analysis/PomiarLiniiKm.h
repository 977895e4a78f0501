#pragma once
// Measures the distance zig-zag's turning lines on one chart, from the trace itself, before
// the zig-zag is read.
//
// Along every ray through the distance band the dark pixels are counted at each offset from
// the distance ring: over the rays where the activity trace shows driving, per 15-degree
// sector, and over the other rays for the whole disc. A printed ring is there on the whole
// circle, so it darkens both alike; the zig-zag only where the vehicle drove, and the resting
// stylus only where it did not. The driving share minus the other share is the zig-zag's own
// profile; its inner and outer edges are where it falls to half its height. Printed ink is
// what both shares hold.
//
// The turning lines then keep the calibration's distance from the edges (shifted with them
// when the edges lie more than 1.5 px from where the calibration puts the tips), and step
// towards the tip, never beyond it, while printed ink lies within 1.5 px of them. Sectors
// without enough driving take the lines of their neighbours, interpolated along the disc, so
// a recording that drifts during the day is followed.
//
// The calibration's fixed offsets stay (LinieKm::zmierzone false) when fewer than a few
// degrees were driven, when no sector shows a zig-zag of plausible height, or when the chart
// agrees with the calibration and no printed ink lies on its lines: clean charts then read
// exactly as with fixed offsets.

#include "analysis/AnalizaTarczy.h"
#include "analysis/LinieKm.h"

#include <utility>
#include <vector>

namespace analysis {

// jazda: the driving stretches as angle ranges (od, do), do below od across 360.
LinieKm zmierz_linie_km(const AnalizaTarczy& an, const std::vector<std::pair<float, float>>& jazda);

} // namespace analysis
