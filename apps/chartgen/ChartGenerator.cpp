#include "chartgen/ChartGenerator.h"

#include "chartgen/ActivityTrace.h"
#include "chartgen/Prng.h"
#include "chartgen/Raster.h"

#include "host/KatyCzas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace chartgen {

namespace {

using host::clBlack32;
using host::clWhite32;

// Printed dashed rings: 3 degrees of ink, 1 degree of paper.
constexpr double kDash = 3.0, kDashGap = 1.0;
// Noise sizes.
constexpr double kScratchFrom = 120.0, kScratchWidth = 1.5, kGapArcPx = 1.5;

// The recorded stretch at an angle, or nullptr outside the recording.
const Stretch* stretchAt(const std::vector<Stretch>& st, double startKat, double kat) {
    const double m = host::Katdo360(kat - startKat) * 4.0;
    auto it = std::upper_bound(st.begin(), st.end(), m,
                               [](double v, const Stretch& s) { return v < s.od; });
    if (it == st.begin()) return nullptr;
    --it;
    return m < it->do_ ? &*it : nullptr;
}

void drawActivity(host::Bitmap32& img, const ChartSpec& spec, const ChartGeometry& g,
                  const std::vector<Stretch>& st, double startKat, double rx, double ry) {
    const Band reach = activityReach(g, spec.typ);
    raster::annulus(img, rx, ry, reach.from, reach.to, clBlack32, [&](double kat, double r) {
        const Stretch* s = stretchAt(st, startKat, kat);
        if (!s) return false;
        const auto b = activityBand(g, spec.typ, s->czy_praca);
        return b && r >= b->from && r < b->to;
    });
    if (spec.typ < 2) return;
    // Stepped traces move radially when the activity changes: a one-pixel step line.
    for (std::size_t i = 1; i < st.size(); ++i) {
        if (st[i - 1].do_ != st[i].od) continue;
        const auto a = activityBand(g, spec.typ, st[i - 1].czy_praca);
        const auto b = activityBand(g, spec.typ, st[i].czy_praca);
        if (!a || !b || (a->from == b->from && a->to == b->to)) continue;
        const double kat = startKat + st[i].od / 4.0;
        const double lo = std::min(a->from, b->from) + 0.5, hi = std::max(a->to, b->to) - 0.5;
        raster::polyline(img, {raster::polar(rx, ry, kat, lo), raster::polar(rx, ry, kat, hi)}, 1.0,
                         clBlack32);
    }
}

void drawDistance(host::Bitmap32& img, const ChartGeometry& g, const DistancePlan& plan, double rx,
                  double ry, double drift, double startKat) {
    // A drifting recording moves outward evenly from the start of recording.
    auto r0 = [&](double kat) { return g.r0 + drift * host::Katdo360(kat - startKat) / 360.0; };
    for (const auto& run : plan.runs) {
        std::vector<QPointF> pts;
        for (std::size_t i = 0; i < run.size(); ++i) {
            if (i == 0) {
                pts.push_back(raster::polar(rx, ry, run[0].kat, r0(run[0].kat) + run[0].y));
                continue;
            }
            const TracePoint a = run[i - 1], b = run[i];
            const double r = r0(a.kat) + std::max(a.y, b.y);
            const double len =
                std::max(std::fabs(b.y - a.y), r * std::fabs(b.kat - a.kat) * M_PI / 180);
            const int n = std::max(1, int(std::ceil(len / 0.7)));
            for (int k = 1; k <= n; ++k) {
                const double f = double(k) / n;
                const double kat = a.kat + f * (b.kat - a.kat);
                pts.push_back(raster::polar(rx, ry, kat, r0(kat) + a.y + f * (b.y - a.y)));
            }
        }
        raster::polyline(img, pts, g.strokeWidth, clBlack32);
    }
}

} // namespace

std::optional<DrawnChart> drawChart(const ChartSpec& spec, const ChartGeometry& g, QString* error) {
    if (const QString why = spec.validate(); !why.isEmpty()) {
        if (error) *error = why;
        return std::nullopt;
    }
    DrawnChart c;
    const std::vector<Stretch> st = layOut(spec);
    c.startKat = spec.angleOf(spec.recordingStart());
    auto plan = planDistance(g, st, c.startKat, error);
    if (!plan) return std::nullopt;
    c.distance = std::move(*plan);

    c.image = host::Bitmap32(spec.rozmiar, spec.rozmiar, clWhite32);
    host::Bitmap32& img = c.image;
    const double px = spec.centreX(), py = spec.centreY();
    const double rx = px + spec.noise.shift_x, ry = py + spec.noise.shift_y;

    // Printed rings, around the printed centre.
    if (g.innerDashed > 0)
        raster::ring(img, px, py, g.innerDashed, g.ringWidth, clBlack32, kDash, kDashGap);
    raster::ring(img, px, py, g.r0, g.ringWidth, clBlack32);
    raster::ring(img, px, py, g.r0 + g.ringPairGap, g.ringWidth, clBlack32);
    raster::ring(img, px, py, g.outerPair, g.ringWidth, clBlack32);
    if (g.outerDashed > 0)
        raster::ring(img, px, py, g.outerDashed, g.ringWidth, clBlack32, kDash, kDashGap);
    if (g.discEdge > 0) raster::ring(img, px, py, g.discEdge, g.ringWidth, clBlack32);

    // Traces, around the recording centre.
    drawActivity(img, spec, g, st, c.startKat, rx, ry);
    drawDistance(img, g, c.distance, rx, ry, spec.noise.drift, c.startKat);

    // Noise, drawn in a fixed order from one seed.
    Prng rng(spec.seed);
    const double discR = g.discEdge > 0 ? g.discEdge : spec.rozmiar / 2.0;
    for (int i = 0; i < spec.noise.specks; ++i) {
        const double r = std::sqrt(rng.unit()) * discR, kat = rng.uniform(0, 360);
        const QPointF p = raster::polar(px, py, kat, r);
        raster::dot(img, p.x(), p.y(), rng.uniform(0.6, 1.6), clBlack32);
    }
    if (spec.noise.scratch) {
        c.scratchKat =
            spec.noise.scratch_kat ? host::Katdo360(*spec.noise.scratch_kat) : rng.uniform(0, 360);
        raster::polyline(img,
                         {raster::polar(px, py, *c.scratchKat, kScratchFrom),
                          raster::polar(px, py, *c.scratchKat, discR)},
                         kScratchWidth, clBlack32);
    }
    if (spec.noise.gaps > 0) {
        const Band reach = activityReach(g, spec.typ);
        const double halfArc = kGapArcPx / ((reach.from + reach.to) / 2) * 180 / M_PI / 2;
        const double recorded = st.back().do_ / 4.0;
        for (int i = 0; i < spec.noise.gaps; ++i) {
            const double kat = host::Katdo360(c.startKat + rng.uniform(0, recorded));
            c.gapKats.push_back(kat);
            raster::annulus(img, rx, ry, reach.from - 1, reach.to + 1, clWhite32,
                            [&](double a, double) {
                                const double d = std::fabs(a - kat);
                                return std::min(d, 360 - d) <= halfArc;
                            });
        }
    }
    return c;
}

QJsonObject groundTruth(const ChartSpec& spec, const ChartGeometry& g, const DrawnChart& c) {
    QJsonObject o = toJson(spec);
    o[QStringLiteral("image")] = QJsonObject{{QStringLiteral("width"), c.image.width()},
                                             {QStringLiteral("height"), c.image.height()}};
    o[QStringLiteral("centre")] = QJsonArray{spec.centreX(), spec.centreY()};
    o[QStringLiteral("centre_recording")] =
        QJsonArray{spec.centreX() + spec.noise.shift_x, spec.centreY() + spec.noise.shift_y};
    o[QStringLiteral("kat_rozp")] = host::Katdo360(c.startKat);
    QJsonArray lines, tips;
    for (int n = 1; n <= 5; ++n)
        lines.append(g.line(n));
    o[QStringLiteral("radii")] =
        QJsonObject{{QStringLiteral("distance_ring"), g.r0},
                    {QStringLiteral("turning_lines"), lines},
                    {QStringLiteral("tips"), QJsonArray{g.r0 + g.tipInner(), g.r0 + g.tipOuter()}},
                    {QStringLiteral("outer_ring"), g.outerPair},
                    {QStringLiteral("hour_ring"), g.activityBase}};

    QJsonArray periods = o[QStringLiteral("periods")].toArray();
    int kmTotal = 0;
    for (int i = 0; i < periods.size(); ++i) {
        QJsonObject p = periods[i].toObject();
        const Period& sp = spec.periods[std::size_t(i)];
        p[QStringLiteral("kat_od")] = spec.angleOf(sp.czas_od);
        p[QStringLiteral("kat_do")] = spec.angleOf(sp.czas_do);
        // What the reading can tell: no trace reads as rest, and the pseudo-stepped kind
        // tells only driving from the rest.
        int read = sp.czy_praca < 0 ? 0 : sp.czy_praca;
        if (spec.typ == 3 && read != 2) read = 0;
        p[QStringLiteral("czy_praca_odczyt")] = read;
        for (const DrivingReading& r : c.distance.driving) {
            if (r.period != i) continue;
            QJsonArray pts;
            for (int t : r.punkty)
                pts.append(t);
            p[QStringLiteral("punkty")] = pts;
            p[QStringLiteral("tips")] = r.tips;
            if (r.jumpBefore) p[QStringLiteral("stylus_jump_before")] = true;
            kmTotal += r.km;
        }
        periods[i] = p;
    }
    o[QStringLiteral("periods")] = periods;
    o[QStringLiteral("km")] = kmTotal;

    QJsonObject drawn;
    if (c.scratchKat) drawn[QStringLiteral("scratch_kat")] = *c.scratchKat;
    QJsonArray gaps;
    for (double k : c.gapKats)
        gaps.append(k);
    drawn[QStringLiteral("gaps_kat")] = gaps;
    o[QStringLiteral("noise_drawn")] = drawn;
    return o;
}

bool saveMonoBmp(const host::Bitmap32& bmp, const QString& path, QString* error) {
    QImage mono = bmp.image().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    // Charts are drawn at the 300 dpi of a standard scan.
    mono.setDotsPerMeterX(11811);
    mono.setDotsPerMeterY(11811);
    // BMP unless the name asks for another format (a 1-bit PNG or TIFF keeps the pixels too).
    const char* format = QFileInfo(path).suffix().isEmpty() ? "BMP" : nullptr;
    if (!mono.save(path, format)) {
        if (error) *error = QStringLiteral("%1: cannot write the image").arg(path);
        return false;
    }
    return true;
}

QString groundTruthPath(const QString& imagePath) {
    const QFileInfo fi(imagePath);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".json"));
}

bool writeChart(const ChartSpec& spec, const ChartGeometry& g, const QString& imagePath,
                QString* error) {
    const auto c = drawChart(spec, g, error);
    if (!c || !saveMonoBmp(c->image, imagePath, error)) return false;
    QFile f(groundTruthPath(imagePath));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(QJsonDocument(groundTruth(spec, g, *c)).toJson(QJsonDocument::Indented)) < 0) {
        if (error) *error = QStringLiteral("%1: cannot write the ground truth").arg(f.fileName());
        return false;
    }
    return true;
}

} // namespace chartgen
