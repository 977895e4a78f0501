#include "analysis/Odczyt.h"

#include "activity/ListaZdarzOkresy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include "host/KatyCzas.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

chartgen::DrawnChart rysuj(const chartgen::ChartSpec& s) {
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = chartgen::ChartGeometry::from(*k, &blad);
    auto c = chartgen::drawChart(s, *g, &blad);
    EXPECT_TRUE(c) << blad.toStdString();
    return c ? std::move(*c) : chartgen::DrawnChart{};
}

chartgen::ChartSpec dzien() {
    chartgen::ChartSpec s;
    s.kat24 = 30.0;
    s.periods = {{0, 0, 360, 0}, {2, 360, 480, 150}, {0, 480, 1440, 0}};
    return s;
}

// What the chart window sets up before reading a new chart: centre at the image middle,
// kat24, the list's geometry.
struct Czytanie {
    host::Bitmap32 bmp;
    analysis::AnalizaTarczy an;
    Lista_zdarz lista;
    ListaZdarzOkresy okresy{lista};
    analysis::WejscieAnalizy we;

    Czytanie(host::Bitmap32 b, float kat24)
        : bmp(std::move(b)), an(bmp, QCoreApplication::applicationDirPath()) {
        an.geometria().x0 = bmp.width() / 2.0f;
        an.geometria().y0 = bmp.height() / 2.0f;
        an.geometria().kat24 = kat24;
        lista.ustaw_kat24(kat24);
        we.czytnik = &host::GetZm;
    }
    analysis::WynikOdczytu czytaj(int pomin, float a0, int bez_analizy = 0) {
        return analysis::Odczyt(an, we, okresy, pomin, a0, bez_analizy);
    }
};

} // namespace

TEST(Odczyt, AnalysisOffKeepsTheStoredPeriods) {
    Czytanie c(rysuj(dzien()).image, 30.0f);
    c.lista.dodaj_zdarzenie(30, 100, kPostoj);
    c.lista.dodaj_zdarzenie(100, 150, kJazda, 42);
    c.lista.dodaj_zdarzenie(150, 30, kPostoj);
    c.an.geometria().pocz_sr_godz = 360; // as stored with the chart
    c.we.typ = analysis::cienki_wykres;

    const analysis::WynikOdczytu w = c.czytaj(0, 30.0f, 1);
    EXPECT_FALSE(w.przeanalizowano);
    EXPECT_EQ(c.lista.ile, 2);
    EXPECT_EQ(c.lista.na_pozycji(1)->km, 42);
    EXPECT_EQ(c.lista.na_pozycji(1)->kat_od, 100.0);
    EXPECT_EQ(c.lista.typ_tarczy, analysis::cienki_wykres);
    // Only the distance ring was measured: the centre and the hour ring stay as stored.
    EXPECT_EQ(c.an.geometria().x0, 500.0f);
    EXPECT_EQ(c.an.geometria().pocz_sr_godz, 360);
    for (const auto& p : c.an.geometria().promienie_km)
        EXPECT_NEAR(p.promien, 259.0f, 1.0f);
}

TEST(Odczyt, SkipFlagKeepsTheCentre) {
    for (int pomin : {0, 1}) {
        SCOPED_TRACE(pomin);
        Czytanie c(rysuj(dzien()).image, 30.0f);
        const analysis::WynikOdczytu w = c.czytaj(pomin, 30.0f);
        EXPECT_TRUE(w.przeanalizowano);
        EXPECT_EQ(c.an.geometria().x0, pomin ? 500.0f : 501.0f);
        EXPECT_EQ(c.an.geometria().y0, pomin ? 500.0f : 501.0f);
        EXPECT_EQ(c.an.geometria().pocz_sr_godz, 362);
        EXPECT_GT(w.promienie_godz, 0);
        EXPECT_EQ(c.lista.ile, 2); // rest, driving, rest
        EXPECT_EQ(c.lista.kat_rozp, 30.0);
    }
}

TEST(Odczyt, DiscWithoutRingsIsOneRestPeriod) {
    Czytanie c(host::Bitmap32(1000, 1000), 180.0f);
    c.czytaj(0, 180.0f);
    ASSERT_EQ(c.lista.ile, 0);
    const Zdarzenie& z = *c.lista.pierwszy;
    EXPECT_EQ(z.czy_praca, kPostoj);
    EXPECT_DOUBLE_EQ(z.kat_od, 180.0);
    EXPECT_GT(host::Roznica_katow(z.kat_od, z.kat_do), 359.5); // up to the last sample
    EXPECT_EQ(c.an.geometria().pocz_sr_godz, 375);
    EXPECT_EQ(c.an.geometria().x0, 501.0f);
}
