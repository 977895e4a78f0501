#include "chartgen/ScanLikeSheet.h"

#include "chartgen/SampleCharts.h"

#include "host/KatyCzas.h"

#include <QJsonArray>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace chartgen {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kA4WidthMm = 210.0, kA4HeightMm = 297.0;

} // namespace

std::optional<ScanLikePage> renderScanLikeSheet(const std::vector<SheetDisc>& discs,
                                                const ChartGeometry& g, const ScanLikeOptions& opt,
                                                QString* error) {
    if (discs.empty()) {
        if (error) *error = QStringLiteral("a sheet needs at least one disc");
        return std::nullopt;
    }
    const double pxPerMm = opt.dpi / kMmPerInch, f = opt.dpi / 300.0;
    const int w = int(std::lround(kA4WidthMm * pxPerMm)),
              h = int(std::lround(kA4HeightMm * pxPerMm));
    QImage page(w, h, QImage::Format_RGB32);
    page.fill(QColor(opt.lid, opt.lid, opt.lid));
    const double kat24 = discs.front().spec.kat24;

    ScanLikePage out;
    QJsonArray truths;
    QPainter p(&page);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < discs.size(); ++i) {
        ChartSpec spec = discs[i].spec;
        spec.kat24 = host::Katdo360(kat24 - discs[i].turn);
        ScanLikeOptions o = opt;
        o.seed = opt.seed + std::uint32_t(i) * 7919u;
        const auto layer = renderScanLikeLayer(spec, g, o, error);
        if (!layer) {
            if (error) *error = QStringLiteral("disc %1: %2").arg(i + 1).arg(*error);
            return std::nullopt;
        }
        QImage argb(layer->grey.size(), QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const uchar* gr = layer->grey.constScanLine(y);
            const uchar* al = layer->alpha.constScanLine(y);
            QRgb* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                row[x] = qRgba(gr[x], gr[x], gr[x], al[x]);
        }
        // Our pixel centres sit at whole coordinates, the painter's at halves.
        const QPointF at = discs[i].centreMm * pxPerMm;
        p.save();
        p.translate(at + QPointF(0.5, 0.5));
        p.rotate(discs[i].turn);
        p.scale(f, f);
        p.translate(-(layer->centre + QPointF(0.5, 0.5)));
        p.drawImage(QPointF(0, 0), argb);
        p.restore();
        out.centres.push_back(at);
        truths.append(QJsonObject{{QStringLiteral("centre"), QJsonArray{at.x(), at.y()}},
                                  {QStringLiteral("turn"), discs[i].turn},
                                  {QStringLiteral("km"), layer->truth[QStringLiteral("km")]},
                                  {QStringLiteral("truth"), layer->truth}});
    }
    p.end();
    out.image = page.convertToFormat(QImage::Format_Grayscale8);
    addScanGrain(out.image, opt);
    out.truth = QJsonObject{{QStringLiteral("dpi"), opt.dpi},
                            {QStringLiteral("kat24"), kat24},
                            {QStringLiteral("typ"), discs.front().spec.typ},
                            {QStringLiteral("discs"), truths}};
    return out;
}

std::vector<SheetDisc> threeDiscSheet() {
    std::vector<SheetDisc> out;
    for (const NamedChart& n : scanLikeCharts())
        out.push_back({n.spec, 0, {}});
    out.resize(3);
    out[0].turn = 0;
    out[0].centreMm = {63.5, 62.5};
    out[1].turn = 90;
    out[1].centreMm = {146.5, 148.5};
    out[2].turn = 217;
    out[2].centreMm = {63.5, 234.5};
    return out;
}

} // namespace chartgen
