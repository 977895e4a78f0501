#pragma once
// Finding chart discs by their concentric printed rings, on a grey page with or without any
// contrast between the disc and the background. docs/import.md gives the method and limits.

#include "skan/CircleFit.h"

#include <QImage>

#include <vector>

namespace host::skan {

struct RingDisc {
    Circle edge;               // the printed outer line (its middle), page pixels
    std::vector<double> rings; // radii of the printed rings inside used for the centre
    double centreRms = 0;      // scatter of the ring points about the fitted circles
};

// Discs whose centres many ring edges point at and whose profile shows a disc's outer line
// with printed rings inside, largest first, none inside another. grey:
// Format_Grayscale8.
std::vector<RingDisc> findRingDiscs(const QImage& grey);

} // namespace host::skan
