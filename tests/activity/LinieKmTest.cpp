// The distance lines measured on each chart: printed rings on the calibration's turning lines,
// a disc turned on the scanner and a recording that drifts during the day still read the
// kilometres drawn, and a clean chart keeps the calibration's lines.
#include "PomocTarczy.h"

#include "chartgen/Raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

using chartgen::ChartSpec;
using chartgen::Period;

namespace {

// A working day of drives of several lengths: 563 km.
ChartSpec dzien() {
    ChartSpec s;
    s.kat24 = 37.0;
    s.periods = {{0, 0, 330},    {2, 330, 470, 176}, {0, 470, 520},  {2, 520, 660, 171},
                 {3, 660, 700},  {2, 700, 708, 4},   {0, 708, 765},  {2, 765, 970, 203},
                 {1, 970, 1010}, {2, 1010, 1022, 9}, {0, 1022, 1440}};
    return s;
}

// The picture turned a quarter turn anticlockwise about its centre pixel.
host::Bitmap32 obrot_90(const host::Bitmap32& b) {
    const int n = b.width();
    host::Bitmap32 w(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            w.SetPixelS(y, n - x, b.GetPixelS(x, y));
    return w;
}

struct Km {
    int suma = 0;      // the drives' kilometres as read
    int najgorzej = 0; // the largest error of a drive of half an hour or more
    std::string opis;  // every drive read otherwise than drawn
};

// The kilometres of every drive of the description, read at its middle (the disc turned by
// obrot degrees).
Km km(const ChartSpec& s, const OdczytTarczy& o, float obrot = 0.0f) {
    Km w;
    std::ostringstream opis;
    const Lista_zdarz& l = *o.lista;
    for (const Period& p : s.periods) {
        if (p.czy_praca != 2) continue;
        const Zdarzenie* z =
            l.na_pozycji(l.pozycja_kata(s.angleOf((p.czas_od + p.czas_do) / 2.0) + obrot));
        const int k = z && z->czy_praca == kJazda ? z->km : 0;
        w.suma += k;
        if (p.czas_do - p.czas_od >= 30) w.najgorzej = std::max(w.najgorzej, std::abs(k - p.km));
        if (k != p.km) opis << p.czas_od << ": " << k << " km for " << p.km << "; ";
    }
    const analysis::LinieKm& linie = o.geometria.linie_km;
    opis << linie.powod.toStdString() << "; lines per sector:";
    for (int i = 0; i < analysis::LinieKm::ile_sektorow; ++i)
        opis << ' ' << linie.wewn[std::size_t(i)] << '/' << linie.zewn[std::size_t(i)];
    w.opis = opis.str();
    return w;
}

constexpr int kmDnia = 563;

// What a real scan must reach: the day within 5 %, and no drive of half an hour or more off by
// more than the partial strokes at its two ends (a drive of minutes is a stroke or two, and
// which lines its ends cross depends on the pixel grid even with the calibration's lines).
void blisko(const Km& k) {
    EXPECT_LE(std::abs(k.suma - kmDnia), kmDnia * 5 / 100) << k.opis;
    EXPECT_LE(k.najgorzej, 6) << k.opis;
}

} // namespace

TEST(LinieKm, CleanChartKeepsTheCalibrationsLinesAndReadsExactly) {
    std::optional<chartgen::DrawnChart> rys;
    const auto o = rysuj_i_czytaj(dzien(), rys);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->geometria.linie_km.zmierzone) << o->geometria.linie_km.powod.toStdString();
    const Km k = km(dzien(), *o);
    EXPECT_EQ(k.najgorzej, 0) << k.opis;
}

TEST(LinieKm, PrintedRingsOnTheTurningLinesAndATurnedDisc) {
    const ChartSpec s = dzien();
    auto rys = rysuj_tarcze(s);
    ASSERT_TRUE(rys);
    // Dashed printed rings two pixels wide centred on the calibration's turning lines: read
    // at the fixed offsets every dash would be a peak.
    const double c = s.rozmiar / 2.0;
    for (int n : {1, 5})
        chartgen::raster::ring(rys->image, c, c, geometria_testowa().line(n) - 0.5, 2.0,
                               host::clBlack32, 3.0, 1.0);
    const OdczytTarczy z_ringami = czytaj_obraz(rys->image, float(s.kat24));
    EXPECT_TRUE(z_ringami.geometria.linie_km.zmierzone);
    const Km prosto = km(s, z_ringami);
    blisko(prosto);

    const OdczytTarczy obrocona = czytaj_obraz(obrot_90(rys->image), float(s.kat24 - 90.0));
    const Km obrot = km(s, obrocona, -90.0f);
    blisko(obrot);
    EXPECT_LE(std::abs(obrot.suma - prosto.suma), kmDnia * 5 / 100)
        << prosto.opis << "\nturned: " << obrot.opis;
}

TEST(LinieKm, DriftingRecordingIsFollowed) {
    for (double dryf : {20.0, -12.0}) {
        SCOPED_TRACE(dryf);
        ChartSpec s = dzien();
        s.noise.drift = dryf;
        s.noise.shift_x = 3;
        s.noise.shift_y = -2;
        std::optional<chartgen::DrawnChart> rys;
        const auto o = rysuj_i_czytaj(s, rys);
        ASSERT_TRUE(o);
        EXPECT_TRUE(o->geometria.linie_km.zmierzone);
        blisko(km(s, *o));
    }
}
