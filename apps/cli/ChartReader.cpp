#include "ChartReader.h"

#include "activity/KontrolaJson.h"
#include "activity/ListaZdarzOkresy.h"
#include "activity/Podsumowanie.h"
#include "activity/SiatkaZdarzen.h"
#include "activity/Zdarzenie.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/GeometriaTarczy.h"
#include "analysis/Odczyt.h"
#include "analysis/WejscieAnalizy.h"
#include "host/Bitmap32.h"
#include "host/KatyCzas.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"
#include "host/skan/WczytajSkan.h"

#include <QJsonArray>

namespace {

DiscReading readDisc(const QString& file, int index, host::TarczaZeSkanu& d,
                     const ReadSettings& s) {
    DiscReading r;
    r.file = file;
    r.disc = index;
    r.size = QSize(d.bitmapa.width(), d.bitmapa.height());

    analysis::AnalizaTarczy an(d.bitmapa, s.kalibracja);
    analysis::GeometriaTarczy& g = an.geometria();
    g.x0 = static_cast<float>(d.x0);
    g.y0 = static_cast<float>(d.y0);
    g.kat24 = s.kat24;
    g.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(g.x0);

    r.lista = std::make_shared<Lista_zdarz>();
    Lista_zdarz& lista = *r.lista;
    lista.czy_szczeg = s.detailed ? 1 : 0;
    lista.ustaw_kat24(s.kat24);
    ListaZdarzOkresy okresy(lista);

    analysis::WejscieAnalizy we;
    we.typ = s.kind;
    we.szczeg = s.detailed;
    we.czytnik = &host::GetZm;
    analysis::Odczyt(an, we, okresy, 0, startAngle(s.kat24));

    r.x0 = g.x0;
    r.y0 = g.y0;
    r.pocz_sr_godz = g.pocz_sr_godz;
    return r;
}

DiscReading failed(const QString& file, const QString& why) {
    DiscReading r;
    r.file = file;
    r.error = why;
    return r;
}

QString hhnn(host::TDateTime t) {
    return host::FormatDateTime(QStringLiteral("hh:nn"), host::Zaokragl_Xm(t, 1, 0, 0.0));
}

// Points of a period: its own list, or on a detailed chart the chart's points within it.
int pointsIn(const Lista_zdarz& lista, const Zdarzenie& z) {
    if (!lista.czy_szczeg) return z.punkty->ile;
    int n = 0;
    for (const lista_pkt_node* p = lista.punkty_tarczy->pierwszy; p; p = p->nast)
        if (host::Czy_w_zakr(z.kat_od, p->kat, z.kat_do)) ++n;
    return n;
}

QJsonArray periodsJson(const Lista_zdarz& lista) {
    QJsonArray a;
    for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast) {
        a.append(QJsonObject{{QStringLiteral("nr"), z->nr},
                             {QStringLiteral("czy_praca"), z->czy_praca},
                             {QStringLiteral("kat_od"), z->kat_od},
                             {QStringLiteral("kat_do"), z->kat_do},
                             {QStringLiteral("czas_od"), hhnn(z->czas_od)},
                             {QStringLiteral("czas_do"), hhnn(z->czas_do)},
                             {QStringLiteral("km"), z->km},
                             {QStringLiteral("points"), pointsIn(lista, *z)}});
    }
    return a;
}

QJsonObject summaryJson(const Podsumowanie& p) {
    return {{QStringLiteral("jazda"), p.st_ja},  {QStringLiteral("praca"), p.st_pr},
            {QStringLiteral("dyzur"), p.st_za},  {QStringLiteral("brak"), p.st_br},
            {QStringLiteral("postoj"), p.st_po}, {QStringLiteral("km"), p.suma_km},
            {QStringLiteral("v"), p.predkosc}};
}

} // namespace

float startAngle(float kat24) {
    return kat24 == 0.0f ? 0.01f : kat24;
}

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

QJsonObject finishReading(DiscReading& r, const ReadSettings& s) {
    QJsonObject o{{QStringLiteral("file"), r.file}};
    if (!r.error.isEmpty() || !r.lista) {
        o.insert(QStringLiteral("ok"), false);
        o.insert(QStringLiteral("error"), r.error.isEmpty() ? QStringLiteral("not read") : r.error);
        return o;
    }
    if (r.disc > 0) o.insert(QStringLiteral("disc"), r.disc);
    o.insert(QStringLiteral("ok"), true);
    Lista_zdarz& lista = *r.lista;

    // What the window does after a reading: the grid (each driving period's distance from
    // its points), the summary, the rule check (which marks the breaks).
    SiatkaZdarzen siatka;
    lista.wypelnij_siatke(siatka);
    const Podsumowanie podsum = pokaz_podsum(lista);
    const QDate date = s.date.isValid() ? s.date : QDate::currentDate();
    const QJsonObject check =
        kontroluj_json(lista, host::TDateTime::fromDate(date), s.crew ? 1 : 0);

    o.insert(QStringLiteral("size"), QJsonArray{r.size.width(), r.size.height()});
    o.insert(QStringLiteral("x0"), double(r.x0));
    o.insert(QStringLiteral("y0"), double(r.y0));
    o.insert(QStringLiteral("kat24"), double(s.kat24));
    o.insert(QStringLiteral("pocz_sr_godz"), r.pocz_sr_godz);
    o.insert(QStringLiteral("kat_rozp"), lista.kat_rozp);
    o.insert(QStringLiteral("kat_zak"), lista.kat_zak == Lista_zdarz::kBrakKataZak
                                            ? QJsonValue(QJsonValue::Null)
                                            : QJsonValue(lista.kat_zak));
    o.insert(QStringLiteral("periods"), periodsJson(lista));
    o.insert(QStringLiteral("summary"), summaryJson(podsum));
    o.insert(QStringLiteral("check"), check);
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
             .arg(s.value(QStringLiteral("km")).toInt())
             .arg(s.value(QStringLiteral("v")).toInt());
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
