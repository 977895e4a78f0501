#include "DemoTarcze.h"

#include "activity/ZapisTarczy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/SampleCharts.h"

#include "host/TDateTime.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QDir>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <span>

namespace {

struct DzienDemo {
    const char* wzor; // sample chart drawn
    int id_k, id_s;
    int dzien; // March 2024
    int km_pocz;
    bool okresy = true; // the periods stored
    bool obraz = true;  // the picture in the image folder
    int typ_dnia = 0;
    int czy_reczna = 0;
    bool srodek = true; // the centre measured (x0 0: not yet)
};

// Two drivers of the demo fleet through the week of their calendar.
constexpr DzienDemo kDni[] = {
    {"standardowa", 1, 1, 4, 412350},  {"cienki_obrocony", 1, 1, 5, 412662},
    {"nocna_zmiana", 1, 1, 6, 412958}, {"standardowa", 2, 2, 4, 287004},
    {"zaklocenia", 2, 2, 5, 287316},
};

// One chart in each state the opening tells apart, beside the stored days above.
constexpr DzienDemo kStany[] = {
    {"standardowa", 1, 1, 7, 413250, false},                        // stored without periods: read
    {"cienki_obrocony", 2, 2, 6, 287620, false, true, 0, 0, false}, // a scan not yet read
    {"standardowa", 1, 1, 8, 413560, false, false, 6},              // a free day
    {"nocna_zmiana", 2, 2, 7, 287930, true, false},                 // its picture missing
    {"standardowa", 1, 1, 9, 413870, true, false, 0, 1},            // added by hand
};

int kmRazem(const chartgen::ChartSpec& s) {
    int km = 0;
    for (const chartgen::Period& p : s.periods)
        km += p.km;
    return km;
}

host::TDateTime chwila(int dzien, double minuty) {
    return host::TDateTime(host::TDateTime::encode(2024, 3, dzien).value + minuty / 1440.0);
}

void zapiszOkresy(int idt, int dzien, const chartgen::ChartSpec& s) {
    double poprzedni = -1;
    int doba = 0; // periods after midnight belong to the next day
    for (const chartgen::Period& p : s.periods) {
        if (poprzedni >= 0 && p.czas_od < poprzedni) ++doba;
        const double od = p.czas_od + 1440.0 * doba;
        double do_ = p.czas_do + 1440.0 * doba;
        if (do_ <= od) do_ += 1440.0;
        poprzedni = std::fmod(do_, 1440.0);
        if (do_ >= 1440.0 * (doba + 1)) ++doba;
        host::Query q(
            QStringLiteral("insert into poz_zdarz (id_t, czas_od, czas_do, kat_trw, km, czy_praca) "
                           "values (:id_t, :od, :do, :kat, :km, :czy_praca)"));
        q.setParam(QStringLiteral("id_t"), idt);
        q.setParam(QStringLiteral("od"), chwila(dzien, od));
        q.setParam(QStringLiteral("do"), chwila(dzien, do_));
        q.setParam(QStringLiteral("kat"), (do_ - od) * 0.25);
        q.setParam(QStringLiteral("km"), double(p.km));
        q.setParam(QStringLiteral("czy_praca"), p.czy_praca);
        q.exec();
    }
}

int dodajDni(std::span<const DzienDemo> dni) {
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = k ? chartgen::ChartGeometry::from(*k, &blad) : std::nullopt;
    const QString folder = katalog_obrazow(); // where a save writes the pictures
    QDir().mkpath(folder);
    const std::vector<chartgen::NamedChart> wzory = chartgen::sampleCharts();
    host::Connection& c = host::GetConnection();
    int dodane = 0;
    c.BeginTrans();
    try {
        for (const DzienDemo& d : dni) {
            const auto wzor = std::find_if(wzory.begin(), wzory.end(), [&](const auto& n) {
                return n.name == QLatin1String(d.wzor);
            });
            if (wzor == wzory.end()) continue;
            const chartgen::ChartSpec& s = wzor->spec;
            host::Query t(QStringLiteral(
                "insert into tacho (data, id_k, id_s, km_pocz, km_kon, km_obl, kat_rozp, rodzaj, "
                "typ_dnia, czy_reczna, status_tacho, id_u_dod, data_dod) values (:data, :id_k, "
                ":id_s, :km_pocz, :km_kon, :km_obl, :kat_rozp, :rodzaj, :typ_dnia, :czy_reczna, 1, "
                "1, :data)"));
            t.setParam(QStringLiteral("typ_dnia"), d.typ_dnia);
            t.setParam(QStringLiteral("czy_reczna"), d.czy_reczna);
            t.setParam(QStringLiteral("data"), chwila(d.dzien, 0));
            t.setParam(QStringLiteral("id_k"), d.id_k);
            t.setParam(QStringLiteral("id_s"), d.id_s);
            t.setParam(QStringLiteral("km_pocz"), d.km_pocz);
            t.setParam(QStringLiteral("km_kon"), d.km_pocz + kmRazem(s));
            t.setParam(QStringLiteral("km_obl"), kmRazem(s));
            t.setParam(QStringLiteral("kat_rozp"), s.angleOf(s.recordingStart()));
            t.setParam(QStringLiteral("rodzaj"), s.typ);
            t.exec();
            const int idt = t.lastInsertId().toInt();
            host::Query a(QStringLiteral(
                "insert into tacho_analog (id_t, kat24, x0, y0, pocz_sr_godz, czy_szczeg) "
                "values (:id_t, :kat24, :x0, :y0, :r, 0)"));
            a.setParam(QStringLiteral("id_t"), idt);
            a.setParam(QStringLiteral("kat24"), s.kat24);
            a.setParam(QStringLiteral("x0"), d.srodek ? int(s.centreX()) : 0);
            a.setParam(QStringLiteral("y0"), d.srodek ? int(s.centreY()) : 0);
            a.setParam(QStringLiteral("r"), g ? int(g->activityBase) : 0);
            a.exec();
            if (d.okresy) zapiszOkresy(idt, d.dzien, s);
            ++dodane;
            if (!g || !d.obraz) continue;
            const auto rys = chartgen::drawChart(s, *g, &blad);
            const QString plik = QDir(folder).filePath(QStringLiteral("%1.bmp").arg(idt));
            if (!rys || !chartgen::saveMonoBmp(rys->image, plik, &blad))
                qWarning("demo chart %d: no picture: %s", idt, qPrintable(blad));
        }
        c.CommitTrans();
    } catch (const host::DbError& e) {
        c.RollbackTrans();
        qWarning("demo charts not added: %s", qPrintable(e.message));
        return 0;
    }
    if (!g) qWarning("demo charts without pictures: %s", qPrintable(blad));
    return dodane;
}

} // namespace

int dodajTarczeDemo() {
    if (host::GetIntDB(QStringLiteral("select count(*) as n from tacho"), QStringLiteral("n")) > 0)
        return 0;
    return dodajDni(kDni);
}

int dodajTarczeStanow() {
    return dodajDni(kStany);
}
