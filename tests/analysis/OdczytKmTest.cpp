// The distance reader on hand-drawn zig-zag pieces: ring at 259, so the inner turning line is
// at 270, the intermediate lines at 281, 294, 306 and the outer turning line at 318.

#include "PomocOdczytu.h"

#include "analysis/OdczytKm.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <cmath>

using analysis::OdczytKm;

namespace {

// A stroke of the stylus from (kat1, r1) to (kat2, r2), one pixel wide, broken where it
// passes within 3 px of radius przerwa.
void kreska(TarczaTestowa& t, double kat1, double r1, double kat2, double r2,
            double przerwa = -100.0) {
    const int n = 400;
    for (int i = 0; i <= n; ++i) {
        const double f = double(i) / n;
        const double r = r1 + f * (r2 - r1);
        if (std::fabs(r - przerwa) > 3.0) t.czern(kat1 + f * (kat2 - kat1), r);
    }
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
    } const przypadki[] = {
        {3, {5, 1}}, {4, {5, 1}}, {5, {5, 1, 5}}, {9, {5, 1, 5}}, {12, {5, 1, 5}}};
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

TEST(OdczytKm, PeaksAreRecordedTwoStepsOnAtTheTruncatedLineRadius) {
    TarczaTestowa t;
    t.lista.dodaj_okres(40.0, 60.0, 2);
    blok(t, 45.0, 318.0);
    blok(t, 50.0, 270.0);
    ASSERT_EQ(czytaj(t, 40.0f, 60.0f), 2);
    const auto& p = t.lista.punkty(0);
    EXPECT_EQ(p[0].typ, 5);
    EXPECT_EQ(p[0].promien, 318);
    EXPECT_EQ(p[1].typ, 1);
    EXPECT_EQ(p[1].promien, 270);
    // Met on the way into the spot, recorded two steps further: close to its middle.
    EXPECT_NEAR(p[0].kat, 45.0f, t.krok_zewn() * 1.5f);
    EXPECT_NEAR(p[1].kat, 50.0f, t.krok_zewn() * 1.5f);
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
        {288, 312, {3, 4}, {294, 306}},
        {288, 300, {}, {}}, // one line only
        {283, 292, {}, {}}, // between the lines
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

// The partial stroke before the first peak and after the last one: beside an outer peak the
// first of lines 2, 3, 4 that the stroke crosses counts; beside an inner peak line 4 only
// when 3 and 2 are crossed too, else 3 when 2 is.
TEST(OdczytKm, PartialStrokesAtTheEndsOfAPeriod) {
    struct {
        const char* co;
        double kat1, r1, kat2, r2;
        std::vector<int> typy;
        double przerwa = -100.0;
    } const przypadki[] = {
        {"rises from below line 2 into an outer peak", 47, 275, 50, 325, {2, 5}},
        {"rises from between lines 3 and 4", 47, 300, 50, 325, {4, 5}},
        {"falls from above line 4 into an inner peak", 47, 310, 50, 265, {4, 1}},
        {"falls from between lines 2 and 3", 47, 290, 50, 265, {2, 1}},
        {"falls from between lines 3 and 4", 47, 300, 50, 265, {3, 1}},
        {"leaves an outer peak down to between 2 and 3", 50, 325, 53, 285, {5, 3}},
        {"leaves an inner peak up past line 4", 50, 265, 53, 310, {1, 4}},
        {"falls past lines 4 and 2, broken at 3", 47, 310, 50, 265, {2, 1}, 294.0},
        {"rises from below 2, broken at 2", 47, 275, 50, 325, {3, 5}, 281.0},
    };
    for (const auto& c : przypadki) {
        TarczaTestowa t;
        t.lista.dodaj_okres(40.0, 60.0, 2);
        kreska(t, c.kat1, c.r1, c.kat2, c.r2, c.przerwa);
        czytaj(t, 40.0f, 60.0f);
        EXPECT_EQ(t.lista.typy(0), c.typy) << c.co;
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

TEST(OdczytKm, PointsGoToThePeriodHoldingTheStart) {
    TarczaTestowa t;
    t.lista.dodaj_okres(10.0, 40.0, 2);
    t.lista.dodaj_okres(40.0, 45.0, 0);
    t.lista.dodaj_okres(45.0, 60.0, 2);
    blok(t, 50.0, 318.0);
    EXPECT_EQ(czytaj(t, 45.0f, 60.0f), 1);
    EXPECT_TRUE(t.lista.punkty(0).empty());
    EXPECT_EQ(t.lista.typy(2), (std::vector<int>{5}));
}

// A detailed chart keeps one point list; it is emptied first, and duplicates are settled over
// the whole driving range (first to last driving period), not over the range read.
TEST(OdczytKm, DetailedChartReadsIntoTheChartWideList) {
    TarczaTestowa t;
    t.lista.szczeg = true;
    t.lista.dodaj_okres(0.0, 10.0, 2);
    t.lista.dodaj_okres(10.0, 190.0, 0);
    t.lista.dodaj_okres(190.0, 200.0, 2);
    t.lista.punkty_tarczy.push_back({120.0f, 3, 294});
    blok(t, 45.0, 318.0);
    blok(t, 55.0, 318.0); // two outer peaks in a row: one is a duplicate
    EXPECT_EQ(czytaj(t, 40.0f, 60.0f), 1);
    ASSERT_EQ(t.lista.punkty_tarczy.size(), 1u);
    EXPECT_EQ(t.lista.punkty_tarczy[0].typ, 5);
    // The middle of 0..200 is 100: the later of the two lies before it and goes.
    EXPECT_NEAR(t.lista.punkty_tarczy[0].kat, 45.0f, 0.5f);
    for (const auto& o : t.lista.okresy)
        EXPECT_TRUE(o.punkty.empty());
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
        {false, 0, true, 1}, {true, 0, true, 1},  {true, 2, true, 1},
        {true, 1, true, 0},  {true, 1, false, 1}, {false, 0, false, 1},
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
    // The inner pass keeps the minimum of the outer pass even when the setting changed
    // between the two: a speck on the inner line stays ignored.
    {
        TarczaTestowa t;
        t.we.czytnik = [](const QString&, const QString&) -> QVariant {
            return ++wywolania_czytnika == 1 ? 1 : 0;
        };
        wywolania_czytnika = 0;
        t.lista.dodaj_okres(85.0, 95.0, 2);
        t.bmp.SetPixelS(497, 770, host::clBlack32);
        t.bmp.SetPixelS(497, 769, host::clBlack32);
        EXPECT_EQ(czytaj(t, 85.0f, 95.0f), 0);
    }
    // A lone dark pixel is never a peak.
    TarczaTestowa t;
    t.lista.dodaj_okres(85.0, 95.0, 2);
    t.bmp.SetPixelS(497, 818, host::clBlack32);
    EXPECT_EQ(czytaj(t, 85.0f, 95.0f), 0);
}

TEST(OdczytKm, FirstDarkSpotAlongAnArcInEitherDirection) {
    TarczaTestowa t;
    OdczytKm km(*t.an, t.we, t.lista);
    const float krok = 360.0f / (6.2831855f * 300.0f);
    EXPECT_EQ(km.lok_zak_kat(300.0f, 20.0f, 40.0f), -1.0f);

    blok(t, 30.0, 300.0);
    const float w_gore = km.lok_zak_kat(300.0f, 20.0f, 40.0f);
    const float w_dol = km.lok_zak_kat(300.0f, 40.0f, 20.0f);
    // Met up to two pixels before the spot's middle pixel, answered one step beyond.
    EXPECT_GT(w_gore, 30.0f - 3.0f * krok);
    EXPECT_LE(w_gore, 30.0f);
    EXPECT_GE(w_dol, 30.0f);
    EXPECT_LT(w_dol, 30.0f + 3.0f * krok);
    EXPECT_EQ(km.lok_zak_kat(300.0f, 20.0f, 29.0f), -1.0f);
    // Equal ends walk downwards over the one angle, which is included.
    EXPECT_FLOAT_EQ(km.lok_zak_kat(300.0f, 30.0f, 30.0f), 30.0f - krok);
    EXPECT_EQ(km.lok_zak_kat(0.0f, 20.0f, 40.0f), -1.0f); // no arc to walk
}
