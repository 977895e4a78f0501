#pragma once
// Grey levels of a scan and the global threshold that splits ink from paper.

#include <QImage>

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

} // namespace host::skan
