#include "skan/Threshold.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace host::skan {

QImage toGrey(const QImage& image) {
    if (image.format() == QImage::Format_Grayscale8) return image;
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    p.end();
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

Histogram histogramOf(const QImage& grey) {
    Histogram h{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ++h[row[x]];
    }
    return h;
}

int otsuThreshold(const Histogram& h) {
    double total = 0, sumAll = 0;
    for (int i = 0; i < 256; ++i) {
        total += double(h[std::size_t(i)]);
        sumAll += double(i) * double(h[std::size_t(i)]);
    }
    if (total <= 0) return 127;
    double w0 = 0, sum0 = 0, best = -1;
    int first = -1, last = -1;
    for (int t = 0; t < 255; ++t) {
        w0 += double(h[std::size_t(t)]);
        sum0 += double(t) * double(h[std::size_t(t)]);
        const double w1 = total - w0;
        if (w0 <= 0 || w1 <= 0) continue;
        const double d = sum0 / w0 - (sumAll - sum0) / w1;
        const double between = w0 * w1 * d * d;
        // Ties are exact on an empty stretch; the tolerance only absorbs rounding.
        if (between > best * (1 + 1e-12)) {
            best = between;
            first = last = t;
        } else if (between >= best * (1 - 1e-12)) {
            last = t;
        }
    }
    return first < 0 ? 127 : (first + last) / 2;
}

namespace {

// The level at or below which `share` of the counted pixels lie.
int quantile(const Histogram& h, std::uint64_t total, double share) {
    const auto want = std::uint64_t(std::ceil(share * double(total)));
    std::uint64_t seen = 0;
    for (int i = 0; i < 256; ++i) {
        seen += h[std::size_t(i)];
        if (seen >= std::max<std::uint64_t>(1, want)) return i;
    }
    return 255;
}

} // namespace

int bandThreshold(const QImage& grey, QPointF centre, double from, double to) {
    Histogram h{};
    std::uint64_t total = 0;
    const int y0 = std::max(0, int(std::floor(centre.y() - to)));
    const int y1 = std::min(grey.height() - 1, int(std::ceil(centre.y() + to)));
    // Every other row and column: a quarter of the pixels tell the same levels.
    for (int y = y0; y <= y1; y += 2) {
        const double dy = y - centre.y();
        if (std::fabs(dy) > to) continue;
        const double half = std::sqrt(to * to - dy * dy);
        const double inner = std::fabs(dy) < from ? std::sqrt(from * from - dy * dy) : -1;
        const uchar* row = grey.constScanLine(y);
        const int x0 = std::max(0, int(std::ceil(centre.x() - half)));
        const int x1 = std::min(grey.width() - 1, int(std::floor(centre.x() + half)));
        for (int x = x0; x <= x1; x += 2) {
            if (std::fabs(x - centre.x()) < inner) continue;
            ++h[row[x]];
            ++total;
        }
    }
    if (total == 0) return 127;
    const int paper = quantile(h, total, 0.5), ink = quantile(h, total, 0.01);
    const double sigma = (quantile(h, total, 0.75) - paper) / 0.674;
    const double t = std::min(paper - 0.2 * (paper - ink), paper - 6 * sigma);
    return std::clamp(int(std::floor(t)), 0, 254);
}

} // namespace host::skan
