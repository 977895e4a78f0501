#pragma once
// The picture of one disc as the reader wants it: scaled to the 300 dpi geometry, centred in
// a square of its size class, black and white.

#include "host/Bitmap32.h"

#include <QImage>
#include <QPointF>

namespace host::skan {

struct CutGeometry {
    QPointF centre;   // disc centre on the page, page pixels (pixel centres at whole numbers)
    double scale = 1; // bitmap pixels per page pixel
    int size = 1000;  // side of the bitmap; the centre lands on (size / 2, size / 2)
    double keep = 0;  // radius in bitmap pixels beyond which everything is white; 0: none
};

// Each bitmap pixel takes the mean grey of its footprint on the page (bilinear samples, more
// of them when shrinking), then black 0xFF000000 when at or below threshold, else white.
// Page area outside the scan counts as white paper.
Bitmap32 cutDisc(const QImage& grey, const CutGeometry& g, int threshold);

} // namespace host::skan
