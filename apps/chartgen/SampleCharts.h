#pragma once
// The named sample charts: a handful of days covering every chart kind, a turned disc, a
// night shift across midnight, the small and the large image class, and noise.

#include "chartgen/ChartSpec.h"

#include <QString>

#include <vector>

namespace chartgen {

struct NamedChart {
    QString name; // file name without suffix
    ChartSpec spec;
};

std::vector<NamedChart> sampleCharts();

// The charts of the grey renderings, drawn as whole discs (the 1500 class): a scan import finds
// a disc by its edge, which the smaller classes cut off. The discs of the A4 sheet share the
// angle of midnight and the chart kind, which a reader takes once per file.
std::vector<NamedChart> a4SheetCharts();
NamedChart fineScanChart(); // rendered at 600 dpi

// Days of the scan-like renderings, whole discs of the standard kind with the trace 3-4 px off
// the printed centre: the standard day, a day with twelve hours without recording, the night
// shift.
std::vector<NamedChart> scanLikeCharts();

} // namespace chartgen
