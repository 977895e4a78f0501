#include "chartgen/ScanLikeFiles.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/SampleCharts.h"
#include "chartgen/ScanLikeSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace chartgen {

namespace {

constexpr int kJpegQuality = 85;

} // namespace

bool saveScanWithTruth(const QImage& image, const QString& path, const QJsonObject& truth,
                       QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
    if (!image.save(path, nullptr, jpeg ? kJpegQuality : -1)) {
        if (error) *error = QStringLiteral("%1: cannot write the image").arg(path);
        return false;
    }
    QFile f(groundTruthPath(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(QJsonDocument(truth).toJson(QJsonDocument::Indented)) < 0) {
        if (error) *error = QStringLiteral("%1: cannot write the ground truth").arg(f.fileName());
        return false;
    }
    return true;
}

bool writeScanLikeChart(const ChartSpec& spec, const ChartGeometry& g, int dpi, const QString& path,
                        QString* error) {
    ScanLikeOptions o;
    o.dpi = dpi;
    o.seed = spec.seed;
    const auto d = renderScanLike(spec, g, o, error);
    return d && saveScanWithTruth(d->image, path, d->truth, error);
}

bool writeScanLikeSamples(const QString& dir, const ChartGeometry& g, QTextStream& out,
                          QString* error) {
    if (!QDir().mkpath(dir)) {
        if (error) *error = QStringLiteral("%1: cannot create the folder").arg(dir);
        return false;
    }
    const QDir d(dir);
    auto one = [&](const NamedChart& n, const ScanLikeOptions& o, const QString& file) {
        const auto disc = renderScanLike(n.spec, g, o, error);
        if (!disc) {
            if (error) *error = n.name + QStringLiteral(": ") + *error;
            return false;
        }
        const QString path = d.filePath(file);
        if (!saveScanWithTruth(disc->image, path, disc->truth, error)) return false;
        out << path << '\n';
        return true;
    };
    const std::vector<NamedChart> charts = scanLikeCharts();
    for (int dpi : {150, 300}) {
        for (const NamedChart& n : charts) {
            ScanLikeOptions o;
            o.dpi = dpi;
            if (!one(n, o, QStringLiteral("skan_%1_%2dpi.jpg").arg(n.name).arg(dpi))) return false;
        }
    }
    ScanLikeOptions pgm;
    pgm.dpi = 157;
    if (!one(charts.front(), pgm, QStringLiteral("skan_%1_157dpi.pgm").arg(charts.front().name)))
        return false;
    ScanLikeOptions drift;
    drift.dpi = 600;
    drift.driftX = 8;
    drift.driftY = -7;
    if (!one(charts.front(), drift,
             QStringLiteral("skan_%1_dryf_600dpi.jpg").arg(charts.front().name)))
        return false;

    ScanLikeOptions sheet;
    sheet.dpi = 300;
    const auto page = renderScanLikeSheet(threeDiscSheet(), g, sheet, error);
    if (!page) return false;
    const QString path = d.filePath(QStringLiteral("skan_arkusz_a4_300dpi.jpg"));
    if (!saveScanWithTruth(page->image, path, page->truth, error)) return false;
    out << path << '\n';
    return true;
}

} // namespace chartgen
