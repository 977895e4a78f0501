#include "chartgen/ChartgenTool.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/GreyRender.h"
#include "chartgen/SampleCharts.h"
#include "chartgen/ScanLikeFiles.h"
#include "cli/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace chartgen {

namespace {

struct Options {
    QString out, spec, ini;
    bool samples = false;
    bool scanLike = false;
    int greyDpi = 0;
};

bool writeJson(const QString& path, const QJsonObject& o, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(QJsonDocument(o).toJson(QJsonDocument::Indented)) < 0) {
        *error = QStringLiteral("%1: cannot write").arg(path);
        return false;
    }
    return true;
}

bool writeImage(const QImage& img, const QString& path, QString* error) {
    if (!img.save(path)) {
        *error = QStringLiteral("%1: cannot write").arg(path);
        return false;
    }
    return true;
}

// A whole disc alone at 600 dpi, with the ground truth of the chart it was drawn from.
bool writeFineScan(const QDir& d, const ChartGeometry& g, QTextStream& out, QString* error) {
    const NamedChart s = fineScanChart();
    const auto c = drawChart(s.spec, g, error);
    if (!c) {
        *error = s.name + QStringLiteral(": ") + *error;
        return false;
    }
    GreyOptions fine;
    fine.dpi = 600;
    const QString path = d.filePath(s.name + QStringLiteral("_600dpi.png"));
    QJsonObject truth = groundTruth(s.spec, g, *c);
    truth[QStringLiteral("grey_dpi")] = fine.dpi;
    if (!writeImage(renderGrey(c->image, fine), path, error) ||
        !writeJson(groundTruthPath(path), truth, error))
        return false;
    out << path << '\n';
    return true;
}

// Whole discs on one A4 sheet at 200 dpi. The ground truth gives the angle of midnight and the
// chart kind they share, and per disc (in reading order) where it lies, its kilometres and the
// ground truth of its chart.
bool writeA4Sheet(const QDir& d, const ChartGeometry& g, QTextStream& out, QString* error) {
    const std::vector<NamedChart> charts = a4SheetCharts();
    std::vector<host::Bitmap32> images;
    std::vector<QPointF> centres;
    std::vector<QJsonObject> truths;
    for (const NamedChart& s : charts) {
        const auto c = drawChart(s.spec, g, error);
        if (!c) {
            *error = s.name + QStringLiteral(": ") + *error;
            return false;
        }
        images.push_back(c->image);
        centres.emplace_back(s.spec.centreX(), s.spec.centreY());
        truths.push_back(groundTruth(s.spec, g, *c));
    }
    GreyOptions coarse;
    coarse.dpi = 200;
    const auto page = renderA4Page(images, centres, coarse, error);
    if (!page) return false;
    const QString path = d.filePath(QStringLiteral("strona_a4_200dpi.png"));
    QJsonArray discs;
    for (std::size_t i = 0; i < page->discs.size(); ++i) {
        const PlacedDisc& p = page->discs[i];
        discs.append(
            QJsonObject{{QStringLiteral("chart"), charts[i].name},
                        {QStringLiteral("rect"),
                         QJsonArray{p.rect.x(), p.rect.y(), p.rect.width(), p.rect.height()}},
                        {QStringLiteral("centre"), QJsonArray{p.centre.x(), p.centre.y()}},
                        {QStringLiteral("km"), truths[i][QStringLiteral("km")]},
                        {QStringLiteral("truth"), truths[i]}});
    }
    const QJsonObject sheet{{QStringLiteral("dpi"), coarse.dpi},
                            {QStringLiteral("kat24"), charts.front().spec.kat24},
                            {QStringLiteral("typ"), charts.front().spec.typ},
                            {QStringLiteral("discs"), discs}};
    if (!writeImage(page->image, path, error) || !writeJson(groundTruthPath(path), sheet, error))
        return false;
    out << path << '\n';
    return true;
}

bool writeSamples(const QString& dir, const ChartGeometry& g, QTextStream& out, QString* error) {
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("%1: cannot create the folder").arg(dir);
        return false;
    }
    const QDir d(dir);
    for (const NamedChart& s : sampleCharts()) {
        const auto c = drawChart(s.spec, g, error);
        if (!c) {
            *error = s.name + QStringLiteral(": ") + *error;
            return false;
        }
        const QString path = d.filePath(s.name + QStringLiteral(".bmp"));
        if (!saveMonoBmp(c->image, path, error) ||
            !writeJson(groundTruthPath(path), groundTruth(s.spec, g, *c), error))
            return false;
        out << path << '\n';
    }
    return writeFineScan(d, g, out, error) && writeA4Sheet(d, g, out, error);
}

bool drawOne(const Options& o, const ChartGeometry& g, QTextStream& out, QString* error) {
    // The ground truth goes beside the image under the image's name; it must not replace the
    // description it was drawn from.
    if (QFileInfo(groundTruthPath(o.out)).absoluteFilePath() ==
        QFileInfo(o.spec).absoluteFilePath()) {
        *error = QStringLiteral("%1: the ground truth of %2 would overwrite the description; "
                                "give the image another name")
                     .arg(o.spec, o.out);
        return false;
    }
    QFile f(o.spec);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot open").arg(o.spec);
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("%1: not a JSON object (%2 at offset %3)")
                     .arg(o.spec, pe.errorString())
                     .arg(pe.offset);
        return false;
    }
    QString why;
    const auto spec = specFromJson(doc.object(), &why);
    if (!spec) {
        *error = QStringLiteral("%1: %2").arg(o.spec, why);
        return false;
    }
    const auto c = drawChart(*spec, g, &why);
    if (!c) {
        *error = QStringLiteral("%1: %2").arg(o.spec, why);
        return false;
    }
    if (o.scanLike) {
        if (!writeScanLikeChart(*spec, g, o.greyDpi > 0 ? o.greyDpi : 300, o.out, error))
            return false;
        out << o.out << '\n';
        return true;
    }
    if (o.greyDpi > 0) {
        GreyOptions opt;
        opt.dpi = o.greyDpi;
        opt.seed = spec->seed;
        if (!renderGrey(c->image, opt).save(o.out)) {
            *error = QStringLiteral("%1: cannot write the image").arg(o.out);
            return false;
        }
    } else if (!saveMonoBmp(c->image, o.out, error)) {
        return false;
    }
    QJsonObject truth = groundTruth(*spec, g, *c);
    if (o.greyDpi > 0) truth[QStringLiteral("grey_dpi")] = o.greyDpi;
    if (!writeJson(groundTruthPath(o.out), truth, error)) return false;
    out << o.out << '\n';
    return true;
}

// The exit status when the tool is done already (help, version, a command line that cannot
// be understood), else nullopt with the options filled in.
std::optional<int> parse(const QStringList& args, Options& o, QTextStream& out, QTextStream& err) {
    cli::CommandLine cl(QStringLiteral("chartgen"),
                        QStringLiteral("chartgen --out DIR [--samples] [--ini FILE]\n"
                                       "       chartgen --spec FILE.json --out IMAGE "
                                       "[--ini FILE] [--grey DPI] [--scan-like]\n"
                                       "       chartgen --scan-like --out DIR [--ini FILE]"),
                        QStringLiteral("Draws test and sample charts that agree with the "
                                       "calibration, each with its ground truth."));
    QCommandLineParser& p = cl.parser();
    cl.addVersion(QStringLiteral(TACHO_VERSION));
    const auto outOpt =
        cl.option(QStringLiteral("out"),
                  QStringLiteral("Folder of the samples, or the image drawn from --spec."),
                  QStringLiteral("PATH"));
    const auto samples =
        cl.option(QStringLiteral("samples"),
                  QStringLiteral("Write the named sample charts (the default without --spec)."));
    const auto spec = cl.option(QStringLiteral("spec"),
                                QStringLiteral("Draw the chart this JSON file describes."),
                                QStringLiteral("FILE.json"));
    const auto ini = cl.iniOption();
    const auto grey = cl.option(
        QStringLiteral("grey"),
        QStringLiteral("With --spec: an 8-bit grey image at this resolution (50..1200 dpi)."),
        QStringLiteral("DPI"));
    const auto scanLike = cl.option(
        QStringLiteral("scan-like"),
        QStringLiteral("Grey renders as a real scanner shows used discs (faint paper, broken "
                       "and dashed printed rings, drifting trace, JPEG): the scan-like samples, "
                       "or with --spec that chart at --grey DPI (default 300)."));
    if (const auto done = cl.parse(args, out, err)) return done;
    o.out = p.value(outOpt);
    o.spec = p.value(spec);
    o.samples = p.isSet(samples);
    o.scanLike = p.isSet(scanLike);
    if (p.isSet(ini)) o.ini = p.value(ini);
    if (p.isSet(grey)) {
        bool ok = false;
        const QString v = p.value(grey);
        o.greyDpi = v.toInt(&ok);
        if (!ok || o.greyDpi < 50 || o.greyDpi > 1200)
            return cl.error(
                QStringLiteral("--grey takes a resolution of 50..1200 dpi, not %1").arg(v), err);
    }
    if (o.out.isEmpty()) return cl.error(QStringLiteral("--out is required"), err);
    if (o.samples && o.scanLike)
        return cl.error(QStringLiteral("--samples and --scan-like exclude each other"), err);
    if (o.samples && !o.spec.isEmpty())
        return cl.error(QStringLiteral("--samples and --spec exclude each other"), err);
    if (o.greyDpi > 0 && o.spec.isEmpty())
        return cl.error(QStringLiteral("--grey applies to --spec only"), err);
    return std::nullopt;
}

} // namespace

int runChartgen(const QStringList& args, QTextStream& out, QTextStream& err) {
    Options o;
    o.ini = defaultCalibrationPath();
    if (const auto done = parse(args, o, out, err)) return *done;

    QString error;
    const auto k = loadCalibration(o.ini, &error);
    const auto g = k ? ChartGeometry::from(*k, &error) : std::nullopt;
    if (!g) {
        err << "chartgen: " << error << '\n';
        return 1;
    }
    const bool done = !o.spec.isEmpty() ? drawOne(o, *g, out, &error)
                      : o.scanLike      ? writeScanLikeSamples(o.out, *g, out, &error)
                                        : writeSamples(o.out, *g, out, &error);
    if (!done) {
        err << "chartgen: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace chartgen
