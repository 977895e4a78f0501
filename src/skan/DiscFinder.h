#pragma once
// Finding the chart discs on a scanned page. A disc is a light paper circle bounded by a dark
// line: its printed edge on a light scanner background, or the background itself when that is
// dark. docs/import.md gives the method and its limits.

#include "skan/CircleFit.h"

#include <QImage>

#include <vector>

namespace host::skan {

struct FoundDisc {
    Circle circle;       // the inner side of the dark line bounding the paper, page pixels
    double coverage = 0; // share of the outline's 10-degree sectors seen on the page
};

// Discs not lying inside another one, largest first. grey: Format_Grayscale8; a pixel at or
// below threshold is dark. minRadius: smallest radius (page pixels) worth a look.
std::vector<FoundDisc> findDiscs(const QImage& grey, int threshold, double minRadius);

} // namespace host::skan
