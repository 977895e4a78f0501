#include "chartgen/ScanLikeRender.h"

#include "chartgen/ActivityTrace.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/Prng.h"
#include "chartgen/ScannerGrain.h"

#include "host/KatyCzas.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <vector>

namespace chartgen {

namespace {

constexpr double kChartDpi = 300.0;
// Printed features a real disc has beyond the generator's reading rings (300-dpi pixels).
constexpr double kDashedA = 275.0, kDashedB = 322.0, kDashedWidth = 2.0;
constexpr double kDashOn = 2.0, kDashOff = 1.5; // degrees
constexpr double kLegendFrom = 319.0, kLegendTo = 340.0, kLegendArc = 16.0;
constexpr int kLabels = 8;           // labels breaking the dashed rings
constexpr double kLabelArc = 4.0;    // degrees each
constexpr double kHoleRadius = 38.0; // centre hole, not round
constexpr double kEdgeWidth = 1.5;   // printed outer line
constexpr double kEdgeGrey = 150.0;
constexpr double kMaxEdgeGap = 3.6; // degrees
constexpr int kLayerMargin = 20;    // layer side beyond the 1500 class
constexpr int kBedSide = 1620;      // single disc: scanner bed at 300 dpi
constexpr double kBedOffX = 7, kBedOffY = -5;

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

// Antialiased coverage of a band lo..hi at distance rho.
double band(double rho, double lo, double hi) {
    return clamp01(0.5 + std::min(rho - lo, hi - rho));
}

bool dashed(double kat, double on, double off) {
    return std::fmod(kat, on + off) < on;
}

// Ink coverage of the black-and-white chart, bilinear.
struct Coverage {
    int w = 0, h = 0;
    std::vector<float> v;
    explicit Coverage(const host::Bitmap32& b) : w(b.width()), h(b.height()) {
        v.resize(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y) {
            const host::TColor32* row = b.scanLine(y);
            for (int x = 0; x < w; ++x)
                v[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                    (row[x] & 0xFFFFFF) == 0 ? 1.0f : 0.0f;
        }
    }
    double at(double x, double y) const {
        const int ix = int(std::floor(x)), iy = int(std::floor(y));
        if (ix < 0 || iy < 0 || ix + 1 >= w || iy + 1 >= h) return 0;
        const double fx = x - ix, fy = y - iy;
        const float* p = v.data() + std::size_t(iy) * std::size_t(w) + std::size_t(ix);
        const double top = p[0] + (p[1] - p[0]) * fx;
        const double bottom = p[w] + (p[w + 1] - p[w]) * fx;
        return top + (bottom - top) * fy;
    }
};

struct Rendered {
    QImage grey, alpha;
    QJsonObject truth;
};

// The minutes no period draws ink on: the periods without recording and whatever the periods
// leave out (a night shift that starts ten minutes after the last rest ends), in clock order
// from the first minute after drawn ink.
QJsonArray stretchesWithoutTrace(const ChartSpec& spec) {
    std::vector<bool> drawn(1440, false);
    for (const Period& p : spec.periods) {
        if (p.czy_praca < 0) continue;
        const int od = int(std::lround(p.czas_od)), do_ = int(std::lround(p.czas_do));
        for (int m = od; m != (do_ <= od ? do_ + 1440 : do_); ++m)
            drawn[std::size_t(m % 1440)] = true;
    }
    QJsonArray out;
    const auto first = std::find(drawn.begin(), drawn.end(), true);
    if (first == drawn.end()) return out;
    const int start = int(first - drawn.begin());
    for (int i = 0; i < 1440;) {
        if (drawn[std::size_t((start + i) % 1440)]) {
            ++i;
            continue;
        }
        const int od = (start + i) % 1440;
        while (i < 1440 && !drawn[std::size_t((start + i) % 1440)])
            ++i;
        out.append(QJsonObject{{QStringLiteral("od"), minutesToText(od)},
                               {QStringLiteral("do"), minutesToText((start + i) % 1440)}});
    }
    return out;
}

// Everything in 300-dpi pixels: `side` square, printed centre at `pc`.
std::optional<Rendered> render300(ChartSpec spec, const ChartGeometry& g, const ScanLikeOptions& o,
                                  int side, QPointF pc, bool withAlpha, QString* error) {
    spec.rozmiar = 1500;
    spec.x0.reset();
    spec.y0.reset();
    // The traces only: the printed rings are rendered here, in grey, with the real disc's extras.
    ChartGeometry traceOnly = g;
    traceOnly.ringWidth = 0;
    traceOnly.innerDashed = traceOnly.outerDashed = traceOnly.discEdge = 0;
    const auto drawn = drawChart(spec, traceOnly, error);
    if (!drawn) return std::nullopt;
    const Coverage trace(drawn->image);
    const QPointF c(spec.centreX(), spec.centreY());
    const QPointF rec(c.x() + spec.noise.shift_x, c.y() + spec.noise.shift_y);

    // Activity of every quarter minute of the recording (-1: nothing recorded).
    std::vector<int> act(1440 * 4, -1);
    for (const Stretch& s : layOut(spec))
        for (int q = int(std::ceil(s.od * 4)); q < int(std::ceil(s.do_ * 4)); ++q)
            act[std::size_t(q % (1440 * 4))] = s.czy_praca;
    // Minutes since the start of recording; `act` is indexed in quarters of them.
    auto minuteAt = [&](double kat) { return host::Katdo360(kat - drawn->startKat) * 4.0; };

    Prng rng(o.seed ^ 0x5CA11u);
    std::vector<bool> edgeGap(3600, false);
    for (int missing = 0; missing < o.edgeBroken * 3600;) {
        const int at = rng.below(3600), len = 3 + rng.below(int(kMaxEdgeGap * 10) - 2);
        for (int k = 0; k < len; ++k)
            if (!edgeGap[std::size_t((at + k) % 3600)]) {
                edgeGap[std::size_t((at + k) % 3600)] = true;
                ++missing;
            }
    }
    double labels[kLabels];
    for (double& l : labels)
        l = rng.uniform(0, 360);
    const double legendKat = rng.uniform(0, 360);
    auto inLabel = [&](double kat) {
        for (double l : labels) {
            const double d = host::Katdo360(kat - l);
            if (d < kLabelArc) return d;
        }
        return -1.0;
    };

    const Band reach = activityReach(g, spec.typ);
    const double distLo = g.r0 + 2, distHi = g.outerPair - 2;
    const double leadDeg = o.leadMin / 4.0;
    const double paper = o.paper, lid = o.lid;

    Rendered out;
    out.grey = QImage(side, side, QImage::Format_Grayscale8);
    if (withAlpha) out.alpha = QImage(side, side, QImage::Format_Alpha8);
    for (int y = 0; y < side; ++y) {
        uchar* row = out.grey.scanLine(y);
        uchar* arow = withAlpha ? out.alpha.scanLine(y) : nullptr;
        for (int x = 0; x < side; ++x) {
            // Chart coordinates.
            const double ux = x - pc.x() + c.x(), uy = y - pc.y() + c.y();
            const double dx = ux - c.x(), dy = uy - c.y();
            const double rho = std::hypot(dx, dy);
            const double kat = host::Katdo360(std::atan2(dy, dx) * 180.0 / M_PI);
            const double inside = band(rho, -1e9, o.edgeRadius + kEdgeWidth / 2);
            if (arow) arow[x] = uchar(std::lround(255 * inside));
            double v = lid + (paper - lid) * inside;
            auto ink = [&](double grey, double cov) { v = std::min(v, v - cov * (v - grey)); };

            // Printed rings around the printed centre.
            const double hole = kHoleRadius + 3 * std::cos(3 * kat * M_PI / 180);
            if (rho < hole + 1) {
                ink(lid, band(rho, -1e9, hole));
                ink(200, band(rho, hole - 1, hole));
            }
            ink(o.printGrey, band(rho, g.r0 - 0.5, g.r0 + 1.5));
            ink(o.printGrey, band(rho, g.r0 + g.ringPairGap - 0.5, g.r0 + g.ringPairGap + 1.5));
            ink(o.printGrey, band(rho, g.outerPair - 0.5, g.outerPair + 1.5));
            if (g.innerDashed > 0 && dashed(kat, 3, 1))
                ink(o.printGrey, band(rho, g.innerDashed - 0.5, g.innerDashed + 1.5));
            if (o.dashedRings) {
                const double l = inLabel(kat);
                for (double r : {kDashedA, kDashedB, g.outerDashed}) {
                    if (r <= 0) continue;
                    if (l < 0 && dashed(kat, kDashOn, kDashOff))
                        ink(o.printGrey, band(rho, r - 0.5, r + kDashedWidth - 0.5));
                    // A label: small glyphs where the ring is broken.
                    if (l >= 0 && std::fmod(l, 1.3) < 0.8)
                        ink(o.printGrey, band(rho, r - 2.5, r + 3.5));
                }
            } else if (g.outerDashed > 0 && dashed(kat, 3, 1)) {
                ink(o.printGrey, band(rho, g.outerDashed - 0.5, g.outerDashed + 1.5));
            }
            if (o.legend && host::Katdo360(kat - legendKat) < kLegendArc &&
                std::fmod(host::Katdo360(kat - legendKat), 2.0) < 1.0)
                ink(o.printGrey, band(rho, kLegendFrom, kLegendTo));
            if (!edgeGap[std::size_t(std::min(3599, int(kat * 10)))])
                ink(kEdgeGrey,
                    band(rho, o.edgeRadius - kEdgeWidth / 2, o.edgeRadius + kEdgeWidth / 2));

            // The trace, around a recording centre that drifts during the day.
            if (rho < o.edgeRadius) {
                // The share of the day gone: minuteAt gives whole minutes, so a day is 1440.
                const double f = minuteAt(kat) / 1440.0;
                const double vx = ux - o.driftX * f, vy = uy - o.driftY * f;
                const double ex = vx - rec.x(), ey = vy - rec.y();
                const double rr = std::hypot(ex, ey);
                const double phi = std::atan2(ey, ex) * 180.0 / M_PI;
                if (rr >= distLo && rr < distHi) {
                    const double a = (phi + leadDeg) * M_PI / 180;
                    ink(o.inkGrey,
                        trace.at(rec.x() + rr * std::cos(a), rec.y() + rr * std::sin(a)));
                } else if (rr >= reach.from && rr < reach.to) {
                    const double cov = trace.at(vx, vy);
                    if (cov > 0) {
                        const int code = act[std::size_t(int(minuteAt(phi) * 4) % (1440 * 4))];
                        const auto bar = activityBand(g, spec.typ, code);
                        if (code == 0) {
                            ink(o.restGrey, cov);
                        } else if ((code == 1 || code == 3) && spec.typ < 2 && bar) {
                            // An open bar: its base and top lines only.
                            if (rr < bar->from + 2.5 || rr >= bar->to - 2) ink(o.workGrey, cov);
                        } else {
                            ink(o.inkGrey, cov);
                        }
                    }
                } else {
                    ink(o.inkGrey, trace.at(vx, vy));
                }
            }
            row[x] = uchar(std::clamp(int(std::lround(v)), 0, 255));
        }
    }

    QJsonObject truth = groundTruth(spec, g, *drawn);
    const QJsonArray noTrace = stretchesWithoutTrace(spec);
    truth[QStringLiteral("scan_like")] =
        QJsonObject{{QStringLiteral("paper"), o.paper},
                    {QStringLiteral("lid"), o.lid},
                    {QStringLiteral("rest_grey"), o.restGrey},
                    {QStringLiteral("edge_radius_300"), o.edgeRadius},
                    {QStringLiteral("edge_broken"), o.edgeBroken},
                    {QStringLiteral("dashed_rings_300"),
                     o.dashedRings ? QJsonArray{kDashedA, kDashedB} : QJsonArray{}},
                    {QStringLiteral("legend_300"),
                     o.legend ? QJsonArray{kLegendFrom, kLegendTo, legendKat} : QJsonArray{}},
                    {QStringLiteral("drift_300"), QJsonArray{o.driftX, o.driftY}},
                    {QStringLiteral("lead_min"), o.leadMin},
                    {QStringLiteral("no_trace"), noTrace}};
    out.truth = truth;
    return out;
}

} // namespace

void addScanGrain(QImage& grey, const ScanLikeOptions& opt) {
    addScannerGrain(grey, opt.dpi, opt.grain, opt.seed, [](int v) { return double(v); });
}

std::optional<ScanLikeDisc> renderScanLike(const ChartSpec& spec, const ChartGeometry& g,
                                           const ScanLikeOptions& opt, QString* error) {
    const QPointF pc(kBedSide / 2.0 + kBedOffX, kBedSide / 2.0 + kBedOffY);
    auto r = render300(spec, g, opt, kBedSide, pc, false, error);
    if (!r) return std::nullopt;
    ScanLikeDisc d;
    const int side = std::max(1, int(std::lround(kBedSide * opt.dpi / kChartDpi)));
    d.image = opt.dpi == int(kChartDpi)
                  ? r->grey
                  : r->grey.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double f = double(d.image.width()) / kBedSide;
    d.centre = QPointF((pc.x() + 0.5) * f - 0.5, (pc.y() + 0.5) * f - 0.5);
    addScanGrain(d.image, opt);
    d.truth = r->truth;
    d.truth[QStringLiteral("grey_dpi")] = opt.dpi;
    d.truth[QStringLiteral("centre_on_scan")] = QJsonArray{d.centre.x(), d.centre.y()};
    return d;
}

std::optional<ScanLikeLayer> renderScanLikeLayer(const ChartSpec& spec, const ChartGeometry& g,
                                                 const ScanLikeOptions& opt, QString* error) {
    const int side = 1500 + 2 * kLayerMargin;
    const QPointF pc(side / 2.0, side / 2.0);
    auto r = render300(spec, g, opt, side, pc, true, error);
    if (!r) return std::nullopt;
    return ScanLikeLayer{std::move(r->grey), std::move(r->alpha), pc, r->truth};
}

} // namespace chartgen
