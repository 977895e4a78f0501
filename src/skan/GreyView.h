#pragma once
// Read access to an 8-bit grey page with sub-pixel sampling, for the loops that sample it
// millions of times.

#include <QImage>

#include <cmath>

namespace host::skan {

class GreyView {
public:
    explicit GreyView(const QImage& grey) // Format_Grayscale8
        : bits_(grey.constBits()), stride_(grey.bytesPerLine()), w_(grey.width()),
          h_(grey.height()) {}

    int width() const { return w_; }
    int height() const { return h_; }

    // Bilinear grey value at (x, y), pixel centres at whole coordinates; off the page: white.
    double at(double x, double y) const {
        const int ix = floorInt(x), iy = floorInt(y);
        const double fx = x - ix, fy = y - iy;
        double a, b, c, d;
        if (ix >= 0 && iy >= 0 && ix + 1 < w_ && iy + 1 < h_) {
            const uchar* p = bits_ + iy * stride_ + ix;
            a = p[0];
            b = p[1];
            c = p[stride_];
            d = p[stride_ + 1];
        } else {
            a = pixel(ix, iy);
            b = pixel(ix + 1, iy);
            c = pixel(ix, iy + 1);
            d = pixel(ix + 1, iy + 1);
        }
        const double top = a + (b - a) * fx, bottom = c + (d - c) * fx;
        return top + (bottom - top) * fy;
    }

private:
    // std::floor without SSE4.1 is a library call; the page's coordinates fit an int.
    static int floorInt(double v) {
        const int i = int(v);
        return v < i ? i - 1 : i;
    }

    double pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return 255.0;
        return bits_[y * stride_ + x];
    }

    const uchar* bits_;
    qsizetype stride_;
    int w_, h_;
};

} // namespace host::skan
