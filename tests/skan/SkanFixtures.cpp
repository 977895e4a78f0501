#include "SkanFixtures.h"

#include "RysunekTestowy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/GreyRender.h"
#include "chartgen/SampleCharts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace skantest {

namespace {

const host::Bitmap32& drawn(int which, int rozmiar) {
    static std::map<std::pair<int, int>, host::Bitmap32> cache;
    auto it = cache.find({which, rozmiar});
    if (it != cache.end()) return it->second;
    chartgen::ChartSpec spec = chartgen::sampleCharts().at(std::size_t(which)).spec;
    spec.rozmiar = rozmiar;
    QString error;
    auto c = chartgen::drawChart(spec, geometria_testowa(), &error);
    EXPECT_TRUE(c) << error.toStdString();
    return cache[{which, rozmiar}] = c ? c->image : host::Bitmap32(rozmiar, rozmiar);
}

// Outside the disc's edge line nothing of the chart image is pasted.
constexpr double kPasteRadius = 729.0;

} // namespace

const chartgen::ChartGeometry& chartGeometry() {
    return geometria_testowa();
}

const host::Bitmap32& readerChart(int which) {
    return drawn(which, 1000);
}

Page300 page300(int width, int height, const std::vector<int>& charts,
                const std::vector<QPointF>& centres) {
    Page300 p{host::Bitmap32(width, height, host::clWhite32), centres};
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const host::Bitmap32& disc = drawn(charts[i], 1500);
        const int ox = int(std::lround(centres[i].x())) - 750;
        const int oy = int(std::lround(centres[i].y())) - 750;
        p.centres[i] = QPointF(ox + 750, oy + 750);
        for (int y = 0; y < disc.height(); ++y) {
            const double dy = y - 750.0;
            if (std::fabs(dy) > kPasteRadius || oy + y < 0 || oy + y >= height) continue;
            const int half = int(std::floor(std::sqrt(kPasteRadius * kPasteRadius - dy * dy)));
            host::TColor32* row = p.image.scanLine(oy + y);
            for (int x = std::max(750 - half, -ox); x <= std::min(750 + half, width - 1 - ox); ++x)
                row[ox + x] = disc.scanLine(y)[x];
        }
    }
    return p;
}

QImage scanOf(const Page300& page, int dpi, std::vector<QPointF>* mapped) {
    chartgen::GreyOptions o;
    o.dpi = dpi;
    QImage grey = chartgen::renderGrey(page.image, o);
    if (mapped) {
        mapped->clear();
        const double fx = double(grey.width()) / page.image.width();
        const double fy = double(grey.height()) / page.image.height();
        for (const QPointF& c : page.centres)
            mapped->emplace_back((c.x() + 0.5) * fx - 0.5, (c.y() + 0.5) * fy - 0.5);
    }
    return grey;
}

QString tempPath(const QString& name) {
    static QTemporaryDir dir;
    return dir.filePath(name);
}

QString save(const QImage& image, const QString& name, int dpi) {
    QImage copy = image;
    const int dpm = dpi > 0 ? int(std::lround(dpi / 0.0254)) : 3780;
    copy.setDotsPerMeterX(dpm);
    copy.setDotsPerMeterY(dpm);
    const QString path = tempPath(name);
    EXPECT_TRUE(copy.save(path)) << path.toStdString();
    return path;
}

Ring ringAround(const host::Bitmap32& bmp, double cx, double cy, double from, double to) {
    std::vector<std::pair<double, double>> hits; // angle, radius
    for (int k = 0; k < 360; ++k) {
        const double a = k * M_PI / 180;
        for (double r = from; r <= to; r += 0.25) {
            const int x = int(std::floor(cx + r * std::cos(a) + 0.5));
            const int y = int(std::floor(cy + r * std::sin(a) + 0.5));
            if (bmp.GetPixelS(x, y) != host::clBlack32) continue;
            hits.emplace_back(a, r);
            break;
        }
    }
    Ring ring;
    ring.rays = int(hits.size());
    if (hits.empty()) return ring;
    for (const auto& h : hits)
        ring.radius += h.second / ring.rays;
    // r(a) ~ R + dx cos a + dy sin a, fitted on deviations from the mean.
    for (const auto& h : hits) {
        ring.dx += 2 * (h.second - ring.radius) * std::cos(h.first) / ring.rays;
        ring.dy += 2 * (h.second - ring.radius) * std::sin(h.first) / ring.rays;
    }
    return ring;
}

double darkAgreement(const host::Bitmap32& a, const host::Bitmap32& b) {
    int dark = 0, matched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.scanLine(y)[x] != host::clBlack32) continue;
            ++dark;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = b.GetPixelS(x + dx, y + dy) == host::clBlack32;
            matched += near;
        }
    return dark ? double(matched) / dark : 0.0;
}

double errorAt300(const QPointF& found, const QPointF& truth, double dpi) {
    return std::hypot(found.x() - truth.x(), found.y() - truth.y()) * 300.0 / dpi;
}

} // namespace skantest
