#include "chartgen/GreyRender.h"

#include "chartgen/ScannerGrain.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace chartgen {

namespace {

constexpr double kChartDpi = 300.0;
constexpr double kMmPerInch = 25.4;
constexpr double kA4WidthMm = 210.0, kA4HeightMm = 297.0;
constexpr double kMarginMm = 6.0, kSpacingMm = 4.0;

int mm(double millimetres, int dpi) {
    return int(std::lround(millimetres / kMmPerInch * dpi));
}

// Ink 0 .. paper 255 scaled smoothly: edges come out as intermediate greys.
QImage scaledGrey(const host::Bitmap32& chart, int dpi) {
    const QImage grey = chart.image().convertToFormat(QImage::Format_Grayscale8);
    const double f = dpi / kChartDpi;
    return grey.scaled(std::max(1, int(std::lround(grey.width() * f))),
                       std::max(1, int(std::lround(grey.height() * f))), Qt::IgnoreAspectRatio,
                       Qt::SmoothTransformation);
}

// Maps 0..255 onto ink..paper and adds grain; the image carries its resolution.
void toScannerGreys(QImage& img, const GreyOptions& opt) {
    addScannerGrain(img, opt.dpi, opt.grain, opt.seed,
                    [&](int v) { return opt.ink + (opt.paper - opt.ink) * v / 255.0; });
}

} // namespace

QImage renderGrey(const host::Bitmap32& chart, const GreyOptions& opt) {
    QImage img = scaledGrey(chart, opt.dpi);
    toScannerGreys(img, opt);
    return img;
}

std::optional<GreyPage> renderA4Page(const std::vector<host::Bitmap32>& charts,
                                     const std::vector<QPointF>& centres, const GreyOptions& opt,
                                     QString* error) {
    if (charts.size() != centres.size() || charts.empty()) {
        if (error) *error = QStringLiteral("one centre is needed for every chart");
        return std::nullopt;
    }
    const int w = mm(kA4WidthMm, opt.dpi), h = mm(kA4HeightMm, opt.dpi);
    const int margin = mm(kMarginMm, opt.dpi), spacing = mm(kSpacingMm, opt.dpi);
    GreyPage page;
    page.image = QImage(w, h, QImage::Format_Grayscale8);
    page.image.fill(255);
    const double f = opt.dpi / kChartDpi;
    int x = margin, y = margin, rowHeight = 0;
    QPainter p(&page.image);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const QImage disc = scaledGrey(charts[i], opt.dpi);
        if (x + disc.width() > w - margin && x > margin) {
            x = margin;
            y += rowHeight + spacing;
            rowHeight = 0;
        }
        if (x + disc.width() > w - margin || y + disc.height() > h - margin) {
            if (error)
                *error = QStringLiteral("chart %1 does not fit on the A4 page at %2 dpi")
                             .arg(i + 1)
                             .arg(opt.dpi);
            return std::nullopt;
        }
        p.drawImage(x, y, disc);
        // Pixel centres sit at whole coordinates, so a scaled position keeps its half pixel.
        page.discs.push_back(
            {QRect(x, y, disc.width(), disc.height()),
             QPointF(x + (centres[i].x() + 0.5) * f - 0.5, y + (centres[i].y() + 0.5) * f - 0.5)});
        x += disc.width() + spacing;
        rowHeight = std::max(rowHeight, disc.height());
    }
    p.end();
    toScannerGreys(page.image, opt);
    return page;
}

} // namespace chartgen
