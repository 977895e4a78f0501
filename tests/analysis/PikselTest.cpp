#include "analysis/Piksel.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace analysis;
using host::Bitmap32;
using host::clBlack32;
using host::clWhite32;

TEST(Piksel, AngleConventionTruncatesAfterTheHalfPixel) {
    struct {
        double x0, y0, kat, r;
        Piksel p;
    } const przypadki[] = {
        {10.0, 20.0, 0.0, 5.0, {15, 20}},
        {10.0, 20.0, 90.0, 5.0, {10, 25}}, // y grows down: 90 degrees is below the centre
        {10.0, 20.0, 270.0, 5.0, {10, 15}},
        {0.0, 0.0, 180.0, 10.0, {-9, 0}}, // -10 + 0.5 = -9.5 truncates to -9, not -10
        {-1.2, -1.6, 0.0, 0.0, {0, -1}},  // -0.7 -> 0, -1.1 -> -1
        {-2.5, 2.5, 0.0, 0.0, {-2, 3}},   // -2.0 -> -2, 3.0 -> 3
        {2.4, -0.4, 0.0, 0.0, {2, 0}},    // 2.9 -> 2, 0.1 -> 0
        {100.0, 100.0, 45.0, 10.0, {107, 107}},
        {100.0, 100.0, 405.0, 10.0, {107, 107}},
    };
    for (const auto& c : przypadki) {
        const Piksel p = punkt_na_kacie(c.x0, c.y0, c.kat, c.r);
        EXPECT_EQ(p, c.p) << c.x0 << "," << c.y0 << " a=" << c.kat << " r=" << c.r << " -> " << p.x
                          << "," << p.y;
    }
}

TEST(Piksel, DarkMeansWinColorZeroForTheTestsAndRawBlackForSamples) {
    struct {
        host::TColor32 c;
        bool win, probka;
    } const przypadki[] = {
        {0xFF000000u, true, true},   {0x00000000u, true, true},   {0x7F000000u, true, false},
        {0xFF010101u, false, false}, {0xFF000001u, false, false}, {0xFFFFFFFFu, false, false},
    };
    for (const auto& p : przypadki) {
        EXPECT_EQ(czarny_win(p.c), p.win) << std::hex << p.c;
        EXPECT_EQ(ciemna_probka(p.c), p.probka) << std::hex << p.c;
    }
}

// Radius 1 around (10.2, 10.2), half width 60 around 0 degrees: a step of 57.3 degrees gives
// the three samples -60, -2.7 and 54.6, at the distinct pixels (11,9), (11,10), (11,11).
TEST(Piksel, ArcThresholdIsStrictAndUsesRealDivision) {
    Bitmap32 bmp(30, 30, clWhite32);
    const auto luk = [&](int procent) {
        return lok_prom(bmp, 10.2f, 10.2f, procent, 0.0f, 60.0f, 1.0f);
    };
    EXPECT_EQ(zlicz_luk(bmp, 10.2f, 10.2f, 0.0f, 60.0f, 1.0f).policzone, 3);
    EXPECT_FALSE(luk(0)); // nothing dark: 0 > 0 fails

    bmp.SetPixelS(11, 10, clBlack32); // 1 of 3 = 33.3 %
    EXPECT_TRUE(luk(33));             // an integer division would give 33 and fail
    EXPECT_FALSE(luk(34));

    bmp.SetPixelS(11, 9, 0x00000000u); // transparent black is black too
    bmp.SetPixelS(11, 11, 0x40000000u);
    EXPECT_TRUE(luk(99));
    EXPECT_FALSE(luk(100)); // 100 % is not more than 100
}

TEST(Piksel, ArcSkipsOnlyConsecutiveRepeats) {
    Bitmap32 bmp(30, 30, clWhite32);
    // Radius 0.3 around (10, 10): the step is 191 degrees and every sample lands on (10, 10).
    StatystykaLuku s = zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 200.0f, 0.3f);
    EXPECT_EQ(s.policzone, 1);
    // The previous pixel starts at (0, 0): an arc that stays there counts nothing at all,
    // and an arc with no counted pixel is not dark even on a black pixel.
    bmp.SetPixelS(0, 0, clBlack32);
    s = zlicz_luk(bmp, 0.0f, 0.0f, 0.0f, 200.0f, 0.3f);
    EXPECT_EQ(s.policzone, 0);
    EXPECT_FALSE(lok_prom(bmp, 0.0f, 0.0f, 0, 0.0f, 200.0f, 0.3f));
    // Radius 1, the whole turn: seven samples; the first and the last both fall on (9, 10)
    // but are not neighbours in the walk, so it counts twice: 2 dark of 7 = 28.6 %.
    s = zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 180.0f, 1.0f);
    EXPECT_EQ(s.policzone, 7);
    bmp.SetPixelS(9, 10, clBlack32);
    EXPECT_TRUE(lok_prom(bmp, 10.0f, 10.0f, 28, 0.0f, 180.0f, 1.0f));
    EXPECT_FALSE(lok_prom(bmp, 10.0f, 10.0f, 29, 0.0f, 180.0f, 1.0f));
}

TEST(Piksel, ArcOnADrawnRing) {
    Bitmap32 bmp(200, 200, clWhite32);
    {
        QPainter p(&bmp.image());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0, 0, 0), 3));
        p.drawEllipse(QPointF(100.0, 100.0), 60.0, 60.0);
        // A black sector covering 45..135 degrees (clockwise on screen) at radius 80.
        p.setPen(QPen(QColor(0, 0, 0), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(20.0, 20.0, 160.0, 160.0), -45 * 16, -90 * 16);
    }
    for (float a : {0.0f, 100.0f, 250.0f})
        EXPECT_TRUE(lok_prom(bmp, 99.5f, 99.5f, 90, a, 6.0f, 60.0f)) << a;
    EXPECT_FALSE(lok_prom(bmp, 99.5f, 99.5f, 0, 30.0f, 6.0f, 50.0f)); // inside the ring
    // At radius 80 an arc of +-20 degrees centred on the sector's edge (45) is half black.
    EXPECT_TRUE(lok_prom(bmp, 99.5f, 99.5f, 40, 45.0f, 20.0f, 80.0f));
    EXPECT_FALSE(lok_prom(bmp, 99.5f, 99.5f, 60, 45.0f, 20.0f, 80.0f));
    EXPECT_TRUE(lok_prom(bmp, 99.5f, 99.5f, 90, 90.0f, 20.0f, 80.0f));
    EXPECT_FALSE(lok_prom(bmp, 99.5f, 99.5f, 0, 270.0f, 20.0f, 80.0f));
    // Off the bitmap every pixel reads as 0: dark.
    EXPECT_TRUE(lok_prom(bmp, 99.5f, 99.5f, 99, 0.0f, 6.0f, 500.0f));
}

TEST(Piksel, ArcWithoutUsableRadiusEnds) {
    Bitmap32 bmp(20, 20, clBlack32);
    EXPECT_EQ(zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 6.0f, 0.0f).policzone, 0);
    EXPECT_EQ(zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 6.0f, -10.0f).policzone, 0);
    EXPECT_GE(zlicz_luk(bmp, 10.0f, 10.0f, 1.0e6f, 6.0f, 1.0e9f).policzone, 1);
}

TEST(Piksel, NeighbourhoodCountsTheNinePixels) {
    const host::TColor32 niebieski = host::Color32(0, 0, 255);
    const int niebieski_win = host::WinColor(niebieski); // 0x00FF0000
    struct {
        int dx, dy;
        bool w_sasiedztwie;
    } const miejsca[] = {{-1, -1, true}, {1, 1, true},   {0, 1, true},
                         {2, 0, false},  {0, -2, false}, {-2, -2, false}};
    for (const auto& m : miejsca) {
        Bitmap32 bmp(20, 20, clWhite32);
        bmp.SetPixelS(10 + m.dx, 10 + m.dy, niebieski);
        EXPECT_EQ(lok2(bmp, niebieski_win, 1, 10.7f, 10.2f), m.w_sasiedztwie)
            << m.dx << "," << m.dy;
        EXPECT_FALSE(lok2(bmp, niebieski_win, 2, 10.7f, 10.2f));
        EXPECT_FALSE(lok2(bmp, 0, 1, 10.7f, 10.2f)); // colour must match exactly
    }
    Bitmap32 bmp(20, 20, clWhite32);
    for (int x = 9; x <= 11; ++x)
        for (int y = 9; y <= 11; ++y)
            bmp.SetPixelS(x, y, clBlack32);
    EXPECT_TRUE(lok2(bmp, 0, 9, 10.0f, 10.0f));
    EXPECT_FALSE(lok2(bmp, 0, 10, 10.0f, 10.0f));
}

TEST(Piksel, NeighbourhoodTruncatesEachShiftedCoordinate) {
    Bitmap32 bmp(20, 20, clWhite32);
    const host::TColor32 niebieski = host::Color32(0, 0, 255);
    const int kolor = host::WinColor(niebieski);
    for (int y = 0; y < 20; ++y)
        bmp.SetPixelS(0, y, niebieski);
    // x = -0.5: the columns are trunc(-1.5), trunc(-0.5), trunc(0.5) = -1, 0, 0, so column 0
    // is seen twice (6 hits), not columns -1, 0, 1 around trunc(x).
    EXPECT_TRUE(lok2(bmp, kolor, 6, -0.5f, 5.0f));
    EXPECT_FALSE(lok2(bmp, kolor, 7, -0.5f, 5.0f));
    // Off the bitmap every pixel reads as 0, so a corner counts its outside neighbours black.
    Bitmap32 bialy(20, 20, clWhite32);
    EXPECT_TRUE(lok2(bialy, 0, 5, 0.0f, 0.0f));
    EXPECT_FALSE(lok2(bialy, 0, 6, 0.0f, 0.0f));
}
