#include "skan/Threshold.h"

#include <QPainter>

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

} // namespace host::skan
