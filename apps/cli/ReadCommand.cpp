#include "ReadCommand.h"

#include "ChartReader.h"

#include "host/Biblioteki.h"
#include "host/Ustawienia.h"

#include <QDir>
#include <QJsonDocument>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <cmath>
#include <optional>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kProgressAbove = 3; // files; fewer are read without progress lines

const char* const kUsageText =
    "usage: tacho read [--ini FILE] [--kat24 DEG] [--kind 0..4] [--detailed]\n"
    "                  [--date YYYY-MM-DD] [--crew] [--format text|json] IMAGE...\n";

struct Options {
    QString ini;
    ReadSettings settings;
    bool json = false;
    bool help = false;
    QStringList files;
    QString error;
};

Options parse(const QStringList& args) {
    Options o;
    auto value = [&](int& i, const QString& a, const QString& name) -> std::optional<QString> {
        if (a.startsWith(name + QLatin1Char('='))) return a.mid(name.size() + 1);
        if (i + 1 >= args.size()) {
            o.error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        }
        return args[++i];
    };
    auto is = [](const QString& a, const char* name) {
        return a == QLatin1String(name) || a.startsWith(QLatin1String(name) + QLatin1Char('='));
    };
    bool onlyFiles = false;
    for (int i = 0; i < args.size() && o.error.isEmpty(); ++i) {
        const QString& a = args[i];
        if (onlyFiles || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            o.files << a;
        } else if (a == QLatin1String("--")) {
            onlyFiles = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            o.help = true;
        } else if (a == QLatin1String("--detailed")) {
            o.settings.detailed = true;
        } else if (a == QLatin1String("--crew")) {
            o.settings.crew = true;
        } else if (is(a, "--ini")) {
            if (auto v = value(i, a, QStringLiteral("--ini"))) o.ini = *v;
        } else if (is(a, "--kat24")) {
            if (auto v = value(i, a, QStringLiteral("--kat24"))) {
                bool ok = false;
                const double k = v->toDouble(&ok);
                if (!ok || !std::isfinite(k) || k < 0.0 || k > 360.0)
                    o.error =
                        QStringLiteral("--kat24 takes an angle from 0 to 360, not %1").arg(*v);
                else
                    o.settings.kat24 = static_cast<float>(k);
            }
        } else if (is(a, "--kind")) {
            if (auto v = value(i, a, QStringLiteral("--kind"))) {
                bool ok = false;
                const int k = v->toInt(&ok);
                if (!ok || k < 0 || k > 4)
                    o.error = QStringLiteral("--kind takes 0 to 4, not %1").arg(*v);
                else
                    o.settings.kind = k;
            }
        } else if (is(a, "--date")) {
            if (auto v = value(i, a, QStringLiteral("--date"))) {
                o.settings.date = QDate::fromString(*v, Qt::ISODate);
                if (!o.settings.date.isValid() || v->size() != 10)
                    o.error = QStringLiteral("--date takes YYYY-MM-DD, not %1").arg(*v);
            }
        } else if (is(a, "--format")) {
            if (auto v = value(i, a, QStringLiteral("--format"))) {
                if (*v == QLatin1String("json"))
                    o.json = true;
                else if (*v != QLatin1String("text"))
                    o.error = QStringLiteral("--format takes text or json, not %1").arg(*v);
            }
        } else {
            o.error = QStringLiteral("unknown option %1").arg(a);
        }
    }
    if (o.error.isEmpty() && !o.help && o.files.isEmpty())
        o.error = QStringLiteral("no image given");
    return o;
}

// Results of the files in input order as the worker threads finish them.
class OrderedResults {
public:
    explicit OrderedResults(int n) : slots_(std::size_t(n)) {}
    void put(int i, std::vector<DiscReading> r) {
        QMutexLocker lock(&mutex_);
        slots_[std::size_t(i)] = std::move(r);
        cond_.wakeAll();
    }
    std::vector<DiscReading> take(int i) {
        QMutexLocker lock(&mutex_);
        while (!slots_[std::size_t(i)])
            cond_.wait(&mutex_);
        std::vector<DiscReading> r = std::move(*slots_[std::size_t(i)]);
        slots_[std::size_t(i)].reset();
        return r;
    }

private:
    QMutex mutex_;
    QWaitCondition cond_;
    std::vector<std::optional<std::vector<DiscReading>>> slots_;
};

} // namespace

int runReadCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    Options o = parse(args);
    if (o.help) {
        out << kUsageText;
        return 0;
    }
    if (!o.error.isEmpty()) {
        err << "tacho read: " << o.error << '\n' << kUsageText;
        return kUsage;
    }
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

    const int n = int(o.files.size());
    OrderedResults results(n);
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    const ReadSettings& settings = o.settings;
    for (int i = 0; i < n; ++i) {
        const QString file = o.files[i];
        pool.start(
            [&results, &settings, file, i] { results.put(i, readChartFile(file, settings)); });
    }

    bool failed = false;
    for (int i = 0; i < n; ++i) {
        std::vector<DiscReading> readings = results.take(i);
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
    pool.waitForDone();
    return failed ? kFailed : 0;
}
