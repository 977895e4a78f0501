#include "ReadCommand.h"

#include "ChartReader.h"
#include "CommandLine.h"

#include "host/Biblioteki.h"
#include "host/Ustawienia.h"

#include <QFuture>
#include <QJsonDocument>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kProgressAbove = 3; // files; fewer are read without progress lines

struct Options {
    QString ini;
    ReadSettings settings;
    bool json = false;
    QStringList files;
};

// The exit status when the command is done already (help, or a command line that cannot be
// understood), else nullopt with the options filled in.
std::optional<int> parse(const QStringList& args, Options& o, QTextStream& out, QTextStream& err) {
    cli::CommandLine cl(QStringLiteral("tacho read"),
                        QStringLiteral("tacho read [options] IMAGE..."),
                        QStringLiteral("Reads scanned charts into periods, kilometres, the day "
                                       "summary and the rule check; one result per disc, in "
                                       "input order."));
    QCommandLineParser& p = cl.parser();
    const auto ini = cl.iniOption();
    const auto kat24 = cl.option(
        QStringLiteral("kat24"),
        QStringLiteral("Angle of 00:00 on the scans, 0..360 (default 180); the reading starts "
                       "there."),
        QStringLiteral("DEG"));
    const auto kind = cl.option(QStringLiteral("kind"),
                                QStringLiteral("Chart kind: 0 standard, 1 thin, 2 stepped, "
                                               "3 pseudo-stepped, 4 125 km/h (default 0)."),
                                QStringLiteral("N"));
    const auto detailed = cl.option(
        QStringLiteral("detailed"),
        QStringLiteral("Detailed reading: the distance points belong to the whole chart."));
    const auto date = cl.option(QStringLiteral("date"),
                                QStringLiteral("Chart date for the rule check (default: today)."),
                                QStringLiteral("YYYY-MM-DD"));
    const auto crew =
        cl.option(QStringLiteral("crew"), QStringLiteral("The chart was driven by a crew."));
    const auto format = cl.option(QStringLiteral("format"),
                                  QStringLiteral("text (default): a table per disc; json: one "
                                                 "object per disc per line."),
                                  QStringLiteral("text|json"));
    cl.addArguments(QStringLiteral("IMAGE"),
                    QStringLiteral("Scanned page or chart (BMP, PNG, JPEG, TIFF, GIF, WebP, "
                                   "PNM)."),
                    QStringLiteral("IMAGE..."));
    if (const auto done = cl.parse(args, out, err)) return done;

    o.ini = p.value(ini);
    o.settings.detailed = p.isSet(detailed);
    o.settings.crew = p.isSet(crew);
    if (p.isSet(kat24)) {
        bool ok = false;
        const QString v = p.value(kat24);
        const double k = v.toDouble(&ok);
        if (!ok || !std::isfinite(k) || k < 0.0 || k > 360.0)
            return cl.error(QStringLiteral("--kat24 takes an angle from 0 to 360, not %1").arg(v),
                            err);
        o.settings.kat24 = static_cast<float>(k);
    }
    if (p.isSet(kind)) {
        bool ok = false;
        const QString v = p.value(kind);
        const int k = v.toInt(&ok);
        if (!ok || k < 0 || k > 4)
            return cl.error(QStringLiteral("--kind takes 0 to 4, not %1").arg(v), err);
        o.settings.kind = k;
    }
    if (p.isSet(date)) {
        const QString v = p.value(date);
        o.settings.date = QDate::fromString(v, Qt::ISODate);
        if (!o.settings.date.isValid() || v.size() != 10)
            return cl.error(QStringLiteral("--date takes YYYY-MM-DD, not %1").arg(v), err);
    }
    if (p.isSet(format)) {
        const QString v = p.value(format);
        if (v != QLatin1String("json") && v != QLatin1String("text"))
            return cl.error(QStringLiteral("--format takes text or json, not %1").arg(v), err);
        o.json = v == QLatin1String("json");
    }
    o.files = p.positionalArguments();
    if (o.files.isEmpty()) return cl.error(QStringLiteral("no image given"), err);
    return std::nullopt;
}

} // namespace

int runReadCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    Options o;
    if (const auto done = parse(args, o, out, err)) return *done;
    try {
        if (o.ini.isEmpty())
            o.settings.kalibracja.ust_stalych(host::ExeFolder());
        else
            o.settings.kalibracja.wczytaj_plik(o.ini);
    } catch (const analysis::BladKalibracji& e) {
        err << "tacho read: " << e.komunikat() << '\n';
        return kFailed;
    }
    // The settings store is created on first use; do that here, before the workers read it.
    host::GetZm(QStringLiteral("min_zd_po"), QStringLiteral("KX"));
    // Every chart's list loads the event-conversion library; held here it is loaded once.
    const auto biblioteka = Lista_zdarz::biblioteka_zamiany();

    // One task per file on all cores; each result is printed as soon as it and those before it
    // are done. The pages' decoding shares the import's memory budget, so however many files
    // run at once their decoded pictures stay within it.
    const int n = int(o.files.size());
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    const ReadSettings& settings = o.settings;
    std::vector<QFuture<std::vector<DiscReading>>> results;
    results.reserve(std::size_t(n));
    for (const QString& file : std::as_const(o.files))
        results.push_back(
            QtConcurrent::run(&pool, [&settings, file] { return readChartFile(file, settings); }));

    bool failed = false;
    for (int i = 0; i < n; ++i) {
        std::vector<DiscReading> readings = results[std::size_t(i)].takeResult();
        for (DiscReading& r : readings) {
            const QJsonObject obj = finishReading(r, settings);
            failed = failed || !obj.value(QStringLiteral("ok")).toBool();
            if (o.json)
                out << QJsonDocument(obj).toJson(QJsonDocument::Compact) << '\n';
            else
                out << readingAsText(obj) << '\n';
        }
        out.flush();
        if (n > kProgressAbove) {
            err << QStringLiteral("tacho read: %1/%2 %3\n").arg(i + 1).arg(n).arg(o.files[i]);
            err.flush();
        }
    }
    return failed ? kFailed : 0;
}
