// The distance reader on hand-drawn zig-zag pieces: ring at 259, so the inner turning line is
// at 270, the intermediate lines at 281, 294, 306 and the outer turning line at 318.

#include "PomocOdczytu.h"

#include "analysis/OdczytKm.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

using analysis::OdczytKm;

namespace {

// A stroke of the stylus from (kat1, r1) to (kat2, r2), one pixel wide.
void kreska(TarczaTestowa& t, double kat1, double r1, double kat2, double r2) {
    for (int i = 0; i <= 400; ++i)
        t.czern(kat1 + i / 400.0 * (kat2 - kat1), r1 + i / 400.0 * (r2 - r1));
}

// A 3 x 3 dark block centred on the pixel at (kat, r).
void blok(TarczaTestowa& t, double kat, double r) {
    const analysis::Piksel p = t.an->geometria().punkt(kat, r);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            t.bmp.SetPixelS(p.x + dx, p.y + dy, host::clBlack32);
}

int wywolania_czytnika = 0;
int wartosc_samochod = 0;
QVariant czytnik(const QString& nazwa, const QString& grupa) {
    ++wywolania_czytnika;
    if (nazwa == QStringLiteral("samochod") && grupa == QStringLiteral("KX"))
        return wartosc_samochod;
    return {};
}

int czytaj(TarczaTestowa& t, float od, float do_) {
    OdczytKm km(*t.an, t.we, t.lista);
    return km.ile_pikow(od, do_, t.an->kalibracja().delta_rg_km, t.an->kalibracja().rgorny_km);
}

} // namespace

// Near 90 degrees the lines run along x: a spot two pixels high (y 817-818) sits on the outer
// line (y 818), one at y 769-770 on the inner line (y 770). After an outer peak the next one
// counts only when more than delta_rg_km steps of about a pixel have passed, so of two spots
// three pixels apart only the first is a peak.
TEST(OdczytKm, OuterSpotsCloserThanTheRefractoryCountGiveOnePeak) {
    struct {
        int odstep;
        std::vector<int> typy;
    } const przypadki[] = {{3, {5, 1}}, {4, {5, 1}}, {5, {5, 1, 5}}};
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        ASSERT_EQ(t.an->kalibracja().delta_rg_km, 6);
        t.lista.dodaj_okres(85.0, 95.0, 2);
        for (int x : {497, 497 - c.odstep}) {
            t.bmp.SetPixelS(x, 818, host::clBlack32);
            t.bmp.SetPixelS(x, 817, host::clBlack32);
        }
        const int xw = 496 - c.odstep / 2;
        t.bmp.SetPixelS(xw, 770, host::clBlack32);
        t.bmp.SetPixelS(xw, 769, host::clBlack32);
        EXPECT_EQ(czytaj(t, 85.0f, 95.0f), int(c.typy.size())) << c.odstep;
        EXPECT_EQ(t.lista.typy(0), c.typy) << c.odstep;
    }
}

// Without a peak, a stroke that crosses two intermediate lines still counts; the pair read
// prefers the first and third lines.
TEST(OdczytKm, PeriodWithoutPeaksReadsTheIntermediateLinesItCrosses) {
    struct {
        double r1, r2;
        std::vector<int> typy;
        std::vector<int> promienie;
    } const przypadki[] = {
        {275, 312, {2, 4}, {281, 306}}, // crosses all three: exactly types 2 and 4
        {275, 300, {2, 3}, {281, 294}},
        {288, 300, {}, {}}, // one line only
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        t.lista.dodaj_okres(40.0, 60.0, 2);
        kreska(t, 49.0, c.r1, 51.0, c.r2);
        EXPECT_EQ(czytaj(t, 40.0f, 60.0f), int(c.typy.size())) << c.r1 << "-" << c.r2;
        EXPECT_EQ(t.lista.typy(0), c.typy) << c.r1 << "-" << c.r2;
        std::vector<int> promienie;
        for (const auto& p : t.lista.punkty(0))
            promienie.push_back(p.promien);
        EXPECT_EQ(promienie, c.promienie) << c.r1 << "-" << c.r2;
    }
}

TEST(OdczytKm, PeriodAcrossTheEndOfTheDiscIsReadPast360) {
    TarczaTestowa t;
    t.lista.dodaj_okres(350.0, 10.0, 2);
    blok(t, 355.0, 318.0);
    blok(t, 0.0, 270.0);
    blok(t, 5.0, 318.0);
    ASSERT_EQ(czytaj(t, 350.0f, 10.0f), 3);
    const auto& p = t.lista.punkty(0);
    EXPECT_EQ(t.lista.typy(0), (std::vector<int>{5, 1, 5}));
    EXPECT_NEAR(p[0].kat, 355.0f, 0.5f);
    EXPECT_NEAR(p[1].kat, 360.0f, 0.5f);
    EXPECT_NEAR(p[2].kat, 365.0f, 0.5f); // not folded back to 5
}

// The fine scan wants three dark pixels around the point: a two-pixel speck no longer makes
// a peak, a solid spot still does. The setting is read once for each of the two passes, and
// without a settings reader the coarse scan is used.
TEST(OdczytKm, FineSettingIgnoresSmallSpecks) {
    struct {
        bool z_czytnikiem;
        int samochod;
        bool maly;
        int punktow;
    } const przypadki[] = {
        {false, 0, true, 1},
        {true, 0, true, 1},
        {true, 1, true, 0},
        {true, 1, false, 1},
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        if (c.z_czytnikiem) t.we.czytnik = &czytnik;
        wartosc_samochod = c.samochod;
        wywolania_czytnika = 0;
        t.lista.dodaj_okres(85.0, 95.0, 2);
        if (c.maly) {
            t.bmp.SetPixelS(497, 818, host::clBlack32);
            t.bmp.SetPixelS(497, 817, host::clBlack32);
        } else {
            blok(t, 90.5, 318.0);
        }
        EXPECT_EQ(czytaj(t, 85.0f, 95.0f), c.punktow)
            << c.z_czytnikiem << " " << c.samochod << " " << c.maly;
        EXPECT_EQ(wywolania_czytnika, c.z_czytnikiem ? 2 : 0);
    }
}
