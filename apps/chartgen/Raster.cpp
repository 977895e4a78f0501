#include "chartgen/Raster.h"

#include "host/KatyCzas.h"

#include <algorithm>
#include <cmath>

namespace chartgen::raster {

namespace {

struct Box {
    int x0, y0, x1, y1;
};

Box clip(const host::Bitmap32& bmp, double xa, double ya, double xb, double yb) {
    return {std::max(0, int(std::floor(xa))), std::max(0, int(std::floor(ya))),
            std::min(bmp.width() - 1, int(std::ceil(xb))),
            std::min(bmp.height() - 1, int(std::ceil(yb)))};
}

} // namespace

QPointF polar(double cx, double cy, double kat, double r) {
    const double a = kat * M_PI / 180.0;
    return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

void annulus(host::Bitmap32& bmp, double cx, double cy, double rIn, double rOut,
             host::TColor32 colour, const std::function<bool(double, double)>& inside) {
    const Box b = clip(bmp, cx - rOut - 1, cy - rOut - 1, cx + rOut + 1, cy + rOut + 1);
    const double in2 = std::max(0.0, rIn) * std::max(0.0, rIn), out2 = rOut * rOut;
    for (int y = b.y0; y <= b.y1; ++y) {
        const double dy = y - cy;
        host::TColor32* row = bmp.scanLine(y);
        for (int x = b.x0; x <= b.x1; ++x) {
            const double dx = x - cx;
            const double d2 = dx * dx + dy * dy;
            if (d2 < in2 || d2 >= out2) continue;
            const double kat = host::Katdo360(std::atan2(dy, dx) * 180.0 / M_PI);
            if (inside(kat, std::sqrt(d2))) row[x] = colour;
        }
    }
}

void ring(host::Bitmap32& bmp, double cx, double cy, double rIn, double width,
          host::TColor32 colour, double dashDeg, double gapDeg) {
    const double period = dashDeg + gapDeg;
    annulus(bmp, cx, cy, rIn - 0.5, rIn + width - 0.5, colour,
            [&](double kat, double) { return dashDeg <= 0 || std::fmod(kat, period) < dashDeg; });
}

void polyline(host::Bitmap32& bmp, const std::vector<QPointF>& pts, double width,
              host::TColor32 colour) {
    const double h = width / 2.0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF a = pts[i], c = pts[i + 1];
        const Box b = clip(bmp, std::min(a.x(), c.x()) - h - 1, std::min(a.y(), c.y()) - h - 1,
                           std::max(a.x(), c.x()) + h + 1, std::max(a.y(), c.y()) + h + 1);
        const double vx = c.x() - a.x(), vy = c.y() - a.y();
        const double len2 = vx * vx + vy * vy;
        for (int y = b.y0; y <= b.y1; ++y) {
            host::TColor32* row = bmp.scanLine(y);
            for (int x = b.x0; x <= b.x1; ++x) {
                double t = len2 > 0 ? ((x - a.x()) * vx + (y - a.y()) * vy) / len2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = a.x() + t * vx - x, ey = a.y() + t * vy - y;
                if (ex * ex + ey * ey < h * h) row[x] = colour;
            }
        }
    }
}

void dot(host::Bitmap32& bmp, double x, double y, double radius, host::TColor32 colour) {
    const Box b = clip(bmp, x - radius - 1, y - radius - 1, x + radius + 1, y + radius + 1);
    for (int j = b.y0; j <= b.y1; ++j)
        for (int i = b.x0; i <= b.x1; ++i)
            if ((i - x) * (i - x) + (j - y) * (j - y) <= radius * radius)
                bmp.scanLine(j)[i] = colour;
}

} // namespace chartgen::raster
