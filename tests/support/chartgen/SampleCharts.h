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

} // namespace chartgen
