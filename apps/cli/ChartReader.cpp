#include "ChartReader.h"

#include "activity/WynikJson.h"
#include "activity/Zdarzenie.h"
#include "host/Bitmap32.h"
#include "host/TDateTime.h"
#include "skan/WczytajSkan.h"

#include <QJsonArray>

namespace {

DiscReading readDisc(const QString& file, int index, const host::TarczaZeSkanu& d,
                     const ReadSettings& s) {
    WejscieTarczy we;
    we.x0 = static_cast<float>(d.x0);
    we.y0 = static_cast<float>(d.y0);
    we.kat24 = s.kat24;
    we.typ = s.kind;
    we.szczeg = s.detailed;
    we.data = host::TDateTime::fromDate(s.date.isValid() ? s.date : QDate::currentDate());
    we.zaloga = s.crew ? 1 : 0;
    DiscReading r;
    r.file = file;
    r.disc = index;
    r.odczyt = std::make_shared<const OdczytTarczy>(odczytaj_tarcze(d.bitmapa, s.kalibracja, we));
    return r;
}

DiscReading failed(const QString& file, const QString& why) {
    DiscReading r;
    r.file = file;
    r.error = why;
    return r;
}

} // namespace

std::vector<DiscReading> readChartFile(const QString& file, const ReadSettings& settings) {
    std::vector<DiscReading> out;
    try {
        std::vector<host::TarczaZeSkanu> discs = host::WczytajSkan(file);
        for (std::size_t i = 0; i < discs.size(); ++i) {
            out.push_back(readDisc(file, discs.size() > 1 ? int(i) + 1 : 0, discs[i], settings));
            discs[i].bitmapa = host::Bitmap32(); // the picture is not needed any more
        }
    } catch (const host::BladImportu& e) {
        out.assign(1, failed(file, e.opis()));
    } catch (const std::exception& e) {
        out.assign(1, failed(file, QString::fromUtf8(e.what())));
    }
    return out;
}

QJsonObject finishReading(DiscReading& r, const ReadSettings&) {
    if (!r.error.isEmpty() || !r.odczyt)
        return {
            {QStringLiteral("file"), r.file},
            {QStringLiteral("ok"), false},
            {QStringLiteral("error"), r.error.isEmpty() ? QStringLiteral("not read") : r.error}};
    QJsonObject o = odczyt_json(*r.odczyt);
    o.insert(QStringLiteral("file"), r.file);
    if (r.disc > 0) o.insert(QStringLiteral("disc"), r.disc);
    o.insert(QStringLiteral("ok"), true);
    return o;
}

QString readingAsText(const QJsonObject& o) {
    QString t;
    QString name = o.value(QStringLiteral("file")).toString();
    if (o.contains(QStringLiteral("disc")))
        name += QStringLiteral(" (disc %1)").arg(o.value(QStringLiteral("disc")).toInt());
    if (!o.value(QStringLiteral("ok")).toBool())
        return QStringLiteral("%1: error: %2\n")
            .arg(name, o.value(QStringLiteral("error")).toString());

    // Doubts first, where they cannot be missed.
    for (const QJsonValue& w : o.value(QStringLiteral("warnings")).toArray())
        t += QStringLiteral("%1: WARNING: %2\n").arg(name, w.toString());
    const QJsonArray size = o.value(QStringLiteral("size")).toArray();
    t += QStringLiteral("%1  %2x%3  centre (%4, %5)  kat24 %6  hour ring %7\n")
             .arg(name)
             .arg(size.at(0).toInt())
             .arg(size.at(1).toInt())
             .arg(o.value(QStringLiteral("x0")).toDouble(), 0, 'f', 1)
             .arg(o.value(QStringLiteral("y0")).toDouble(), 0, 'f', 1)
             .arg(o.value(QStringLiteral("kat24")).toDouble(), 0, 'f', 1)
             .arg(o.value(QStringLiteral("pocz_sr_godz")).toInt());
    t += QStringLiteral("   nr  activity      from   to       km  points\n");
    for (const QJsonValue& v : o.value(QStringLiteral("periods")).toArray()) {
        const QJsonObject p = v.toObject();
        t += QStringLiteral("  %1  %2  %3  %4  %5  %6\n")
                 .arg(p.value(QStringLiteral("nr")).toInt(), 3)
                 .arg(nazwa_czynnosci(p.value(QStringLiteral("czy_praca")).toInt()), -12)
                 .arg(p.value(QStringLiteral("czas_od")).toString())
                 .arg(p.value(QStringLiteral("czas_do")).toString())
                 .arg(p.value(QStringLiteral("km")).toInt(), 5)
                 .arg(p.value(QStringLiteral("points")).toInt(), 6);
    }
    const QJsonObject s = o.value(QStringLiteral("summary")).toObject();
    t += QStringLiteral("  driving %1  other work %2  availability %3  no data %4  rest %5  "
                        "distance %6 km  average %7 km/h\n")
             .arg(s.value(QStringLiteral("jazda")).toString(),
                  s.value(QStringLiteral("praca")).toString(),
                  s.value(QStringLiteral("dyzur")).toString(),
                  s.value(QStringLiteral("brak")).toString(),
                  s.value(QStringLiteral("postoj")).toString())
             .arg(s.value(QStringLiteral("km")).toInteger())
             .arg(s.value(QStringLiteral("v")).toInteger());
    const QJsonArray bez = o.value(QStringLiteral("no_trace")).toArray();
    if (!bez.isEmpty()) {
        QStringList od_do;
        for (const QJsonValue& v : bez)
            od_do << v.toObject().value(QStringLiteral("od")).toString() + QLatin1Char('-') +
                         v.toObject().value(QStringLiteral("do")).toString();
        t += QStringLiteral("  no recording (no ink in the activity band; read by the rules as "
                            "above, check them): %1\n")
                 .arg(od_do.join(QStringLiteral(", ")));
    }
    const QJsonObject c = o.value(QStringLiteral("check")).toObject();
    if (!c.isEmpty()) {
        const QJsonArray findings = c.value(QStringLiteral("findings")).toArray();
        t += c.value(QStringLiteral("result")).toInt() == 0
                 ? QStringLiteral("  rule check: no infringement\n")
                 : QStringLiteral("  rule check: infringements\n");
        for (const QJsonValue& f : findings)
            t += QStringLiteral("    ") + f.toString() + QLatin1Char('\n');
    }
    return t;
}
