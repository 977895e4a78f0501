#pragma once
// Charts rendered the way a real scanner shows a used paper disc, for the import and reading
// tests: paper barely darker than the scanner lid, a thin outer line with gaps, dashed and
// labelled printed rings, a printed legend, a centre hole, the recorded trace off the printed
// centre and drifting during the day, thin lines for non-driving time, a faint rest line, the
// zig-zag leading the activity, grain, any resolution.

#include "chartgen/ChartGeometry.h"
#include "chartgen/ChartSpec.h"

#include <QImage>
#include <QJsonObject>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>

namespace chartgen {

struct ScanLikeOptions {
    int dpi = 300;
    int paper = 245;               // grey of the paper
    int lid = 253;                 // grey of the scanner lid around the disc
    int printGrey = 120;           // printed rings and legend
    int inkGrey = 40;              // driving bars and the zig-zag
    int workGrey = 90;             // thin lines of other work and availability
    int restGrey = 190;            // the faint rest line
    double grain = 3.0;            // standard deviation of the grey noise
    double edgeRadius = 730;       // printed outer line (300-dpi pixels)
    double edgeBroken = 0.3;       // share of the outer line missing, in gaps of up to 3.6 degrees
    bool dashedRings = true;       // dashed rings at 275 and 322-323, broken by labels
    bool legend = true;            // legend bars at 319-340 px
    double driftX = 0, driftY = 0; // the recording centre moves this far over the day (300 dpi)
    double leadMin = 4;            // the zig-zag's turns lead the activity by this many minutes
    std::uint32_t seed = 1;
};

struct ScanLikeDisc {
    QImage image;      // Format_Grayscale8 at the options' resolution, carrying it
    QPointF centre;    // printed rings' centre in image pixels (pixel centres at whole numbers)
    QJsonObject truth; // the chart's ground truth plus "scan_like": what was rendered
};

// One disc alone on a scanner bed a little larger than the disc, its printed centre a few
// pixels off the image centre. The chart description is drawn as a whole disc (1500 class,
// centred).
std::optional<ScanLikeDisc> renderScanLike(const ChartSpec& spec, const ChartGeometry& g,
                                           const ScanLikeOptions& opt, QString* error);

// The disc alone at 300 dpi for a sheet: grey, and its round outline as alpha, the printed
// centre in the middle of a square a little larger than the disc.
struct ScanLikeLayer {
    QImage grey;    // Format_Grayscale8 at 300 dpi
    QImage alpha;   // Format_Alpha8: the disc's round outline, antialiased
    QPointF centre; // printed centre in layer pixels
    QJsonObject truth;
};
std::optional<ScanLikeLayer> renderScanLikeLayer(const ChartSpec& spec, const ChartGeometry& g,
                                                 const ScanLikeOptions& opt, QString* error);

// Grain and the resolution's metadata on a page or disc already composed.
void addScanGrain(QImage& grey, const ScanLikeOptions& opt);

} // namespace chartgen
