#pragma once
// Timing of one drive's zig-zag. The reading meets a peak or a crossing with a 3x3 test while
// walking along a line one pixel at a time, records a peak two steps after meeting it, and
// reads the partial strokes at the ends in windows that start 0.3 degree before the period and
// stop 0.2 degree short of the first peak's point, and start 0.3 degree after the last
// peak's point. So where a stroke crosses a line matters as much as whether it does: the
// strokes are laid out at an even speed, slowed where a window needs it, and the result is
// checked by running the peak passes over the planned crossings.

#include "chartgen/ChartGeometry.h"

#include <optional>
#include <vector>

namespace chartgen {

// A point of the stylus path: unwrapped angle (degrees) and radial offset from r0 (pixels).
struct TracePoint {
    double kat = 0;
    double y = 0;
};

// The stylus levels of one drive: its rest level, each peak, its final rest level.
struct Strokes {
    std::vector<double> ys;
    int tips = 0;                  // peaks among the levels
    bool startCrossesNone = false; // the start stroke meets the first peak without a crossing
    bool endCrossesLine = false;   // the end stroke crosses at least one intermediate line
};

// The path over th0..th1 (unwrapped degrees), or nullopt when no timing within the period
// lets the reading see the peaks and the end crossings as planned.
std::optional<std::vector<TracePoint>> layOutStrokes(const ChartGeometry& g, const Strokes& o,
                                                     double th0, double th1);

} // namespace chartgen
