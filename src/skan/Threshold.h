#pragma once
// Grey levels of a scan and the global threshold that splits ink from paper.

#include <QImage>
#include <QPointF>

#include <array>
#include <cstdint>

namespace host::skan {

using Histogram = std::array<std::uint64_t, 256>;

// Format_Grayscale8 by luminance; transparent parts count as white paper.
QImage toGrey(const QImage& image);

Histogram histogramOf(const QImage& grey);

// Otsu's threshold: the level t for which the two classes "at or below t" (ink) and "above
// t" (paper) have the largest between-class variance. When a range of levels ties (an empty
// stretch of the histogram between two modes), its middle. A histogram with fewer than two
// occupied levels has no split; the answer is then 127.
int otsuThreshold(const Histogram& h);

// Threshold for the bands the reader looks at, from the histogram of the annulus from..to
// (page pixels) around a disc's centre: the paper is its median P, the ink its 1st percentile
// D, the paper's grain sigma from the spread above the median. A pixel is ink when it is darker
// than P - 0.2 (P - D), and in any case more than 6 sigma below the paper: the faint rest line
// (a fifth of the way from paper to ink on real scans) stays, grain does not.
int bandThreshold(const QImage& grey, QPointF centre, double from, double to);

} // namespace host::skan
