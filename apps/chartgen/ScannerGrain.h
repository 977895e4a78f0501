#pragma once
// The last step of every grey rendering: the scanner's grain over the grey levels, and the
// resolution the file states.

#include "chartgen/Prng.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace chartgen {

// Gives the Grayscale8 image its resolution and turns each grey v into level(v) plus Gaussian
// grain of the given deviation, rounded and held to 0..255. The noise follows the seed, so the
// same options give the same image.
template <class Level>
void addScannerGrain(QImage& grey, int dpi, double grain, std::uint32_t seed, Level level) {
    grey.setDotsPerMeterX(qRound(dpi / 0.0254));
    grey.setDotsPerMeterY(qRound(dpi / 0.0254));
    Prng rng(seed);
    for (int y = 0; y < grey.height(); ++y) {
        uchar* row = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            const double v = level(int(row[x])) + grain * rng.gauss();
            row[x] = uchar(std::clamp(int(std::lround(v)), 0, 255));
        }
    }
}

} // namespace chartgen
