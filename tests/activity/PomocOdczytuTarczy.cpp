#include "PomocOdczytuTarczy.h"

#include "analysis/Odczyt.h"
#include "chartgen/ChartGeometry.h"
#include "host/KatyCzas.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using chartgen::ChartSpec;

std::unique_ptr<OdczytanaTarcza> OdczytanaTarcza::rysuj(const ChartSpec& spec) {
    QString blad;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    EXPECT_TRUE(kal) << blad.toStdString();
    if (!kal) return nullptr;
    const auto g = chartgen::ChartGeometry::from(*kal, &blad);
    EXPECT_TRUE(g) << blad.toStdString();
    if (!g) return nullptr;
    auto rys = chartgen::drawChart(spec, *g, &blad);
    EXPECT_TRUE(rys) << blad.toStdString();
    if (!rys) return nullptr;

    auto t = std::make_unique<OdczytanaTarcza>();
    t->spec = spec;
    t->rys = std::move(*rys);
    t->an = std::make_unique<analysis::AnalizaTarczy>(t->rys.image,
                                                      QCoreApplication::applicationDirPath());
    auto& geo = t->an->geometria();
    geo.x0 = geo.y0 = float(spec.rozmiar / 2);
    geo.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(geo.x0);
    geo.kat24 = float(spec.kat24);
    t->we.typ = spec.typ;
    t->okresy = std::make_unique<ListaZdarzOkresy>(t->lista);
    return t;
}

void OdczytanaTarcza::czytaj() {
    lista.czy_szczeg = we.szczeg ? 1 : 0;
    lista.ustaw_kat24(an->geometria().kat24);
    analysis::Odczyt(*an, we, *okresy, 0, an->geometria().kat24);
}

int oczekiwany_kod(const ChartSpec& spec, double minuta) {
    const double m = std::fmod(minuta - spec.recordingStart() + 2880.0, 1440.0);
    for (const chartgen::Stretch& s : chartgen::layOut(spec)) {
        if (m < s.od || m >= s.do_) continue;
        if (s.czy_praca < 0) return 0;
        if (spec.typ == 3 && s.czy_praca != 2) return 0;
        return s.czy_praca;
    }
    return 0;
}

namespace {

double minuty_kata(const ChartSpec& spec, double kat) {
    return host::Katdo360(kat - spec.kat24) * 4.0;
}

double odleglosc_minut(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 1440.0 - d);
}

} // namespace

Ocena ocen(const OdczytanaTarcza& t) {
    Ocena o;
    std::ostringstream opis;
    const Lista_zdarz& l = t.lista;

    // Minutes read as drawn.
    int dobrze = 0;
    std::vector<int> kody(1440);
    for (int m = 0; m < 1440; ++m) {
        kody[std::size_t(m)] = oczekiwany_kod(t.spec, m + 0.5);
        const Zdarzenie* z = l.na_pozycji(l.pozycja_kata(t.spec.angleOf(m + 0.5)));
        if (z && z->czy_praca == kody[std::size_t(m)]) ++dobrze;
    }
    o.zgodnosc = dobrze / 1440.0;

    // Every drawn change of activity against the nearest read boundary.
    std::vector<double> granice;
    for (const Zdarzenie* z = l.pierwszy; z; z = z->nast) {
        granice.push_back(minuty_kata(t.spec, z->kat_od));
        granice.push_back(minuty_kata(t.spec, z->kat_do));
    }
    for (int m = 0; m < 1440; ++m) {
        if (kody[std::size_t(m)] == kody[std::size_t((m + 1439) % 1440)]) continue;
        double najblizsza = 1440.0;
        for (double g : granice)
            najblizsza = std::min(najblizsza, odleglosc_minut(g, m));
        if (najblizsza > o.max_granica) o.max_granica = najblizsza;
        if (najblizsza > 2.0)
            opis << "boundary at " << chartgen::minutesToText(m).toStdString() << " read "
                 << najblizsza << " min away; ";
    }

    // Kilometres and points of every drive, from the read period that holds its middle.
    for (const chartgen::DrivingReading& r : t.rys.distance.driving) {
        const chartgen::Period& p = t.spec.periods[std::size_t(r.period)];
        double dl = p.czas_do - p.czas_od;
        if (dl <= 0) dl += 1440.0;
        const double srodek = p.czas_od + dl / 2.0;
        ++o.jazd;
        const Zdarzenie* z = l.na_pozycji(l.pozycja_kata(t.spec.angleOf(srodek)));
        const lista_pkt* pkt =
            l.czy_szczeg ? l.punkty_tarczy.get() : (z ? z->punkty.get() : nullptr);
        std::vector<int> pasma;
        for (const lista_pkt_node* w = pkt ? pkt->pierwszy : nullptr; w; w = w->nast)
            pasma.push_back(w->nr_paska);
        const int km = pkt ? pkt->odleglosc() : -1;
        if (!z || z->czy_praca != 2 || km != r.km) {
            ++o.km_zle;
            opis << "drive " << r.period << " at "
                 << chartgen::minutesToText(p.czas_od).toStdString() << ": " << km << " km for "
                 << r.km << "; ";
        }
        if (pasma != r.punkty) ++o.punkty_zle;
    }
    o.opis = opis.str();
    return o;
}
