#pragma once
// Plan of the distance stylus: where it rests between drives and the zig-zag of every driving
// period, chosen so that reading the peaks and the partial strokes at the period's ends gives
// exactly the kilometres asked for.
//
// The reading counts |band difference| + 1 between consecutive points: a full stroke from one
// tip to the other is 5 km, and a partial stroke at an end of the period counts by the lowest
// or highest intermediate line it crosses (2, 3 or 4 km) or nothing when it crosses none. The
// stylus cannot jump, so the level a drive ends at is the level the next one starts from; the
// plan picks levels and tip counts across all drives at once and moves the stylus only where
// no trace is recorded (or, when nothing else works, by a visible jump in a long pause).

#include "chartgen/ChartGeometry.h"
#include "chartgen/ChartSpec.h"
#include "chartgen/StrokeTiming.h"

#include <QString>

#include <optional>
#include <vector>

namespace chartgen {

struct DrivingReading {
    int period = -1;         // index in the description's periods
    int km = 0;              // what the reading gives (the km asked for)
    std::vector<int> punkty; // bands of the points the reading records, in angle order
    int tips = 0;            // full peaks drawn
    bool jumpBefore = false; // the stylus had to be moved visibly in the pause before
};

struct DistancePlan {
    std::vector<std::vector<TracePoint>> runs; // pen-down polylines, in recording order
    std::vector<DrivingReading> driving;       // one per driving period
};

// startKat is the angle of the start of recording: minute m of the stretches lies at
// startKat + m / 4 degrees. Fails with a message naming the period that cannot be drawn.
std::optional<DistancePlan> planDistance(const ChartGeometry& g,
                                         const std::vector<Stretch>& stretches, double startKat,
                                         QString* error);

// Kilometres of a point list: the sum over consecutive points of |band difference| + 1.
int kmOfPoints(const std::vector<int>& punkty);

} // namespace chartgen
