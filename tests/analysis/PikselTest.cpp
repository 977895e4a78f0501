#include "analysis/Piksel.h"
#include "analysis/Luk.h"

#include <gtest/gtest.h>

using namespace analysis;
using host::Bitmap32;
using host::clBlack32;
using host::clWhite32;

// Radius 1 around (10.2, 10.2), half width 60 around 0 degrees: three samples at the distinct
// pixels (11,9), (11,10), (11,11).
TEST(Piksel, ArcThresholdIsStrictAndUsesRealDivision) {
    Bitmap32 bmp(30, 30, clWhite32);
    const auto luk = [&](int procent) {
        return lok_prom(bmp, 10.2f, 10.2f, procent, 0.0f, 60.0f, 1.0f);
    };
    EXPECT_EQ(zlicz_luk(bmp, 10.2f, 10.2f, 0.0f, 60.0f, 1.0f).policzone, 3);
    EXPECT_FALSE(luk(0));
    bmp.SetPixelS(11, 10, clBlack32); // 1 of 3 = 33.3 %
    EXPECT_TRUE(luk(33));             // an integer division would give 33 and fail
    EXPECT_FALSE(luk(34));
    bmp.SetPixelS(11, 9, 0x00000000u); // transparent black is black too
    bmp.SetPixelS(11, 11, 0x40000000u);
    EXPECT_TRUE(luk(99));
    EXPECT_FALSE(luk(100));
}

TEST(Piksel, ArcSkipsOnlyConsecutiveRepeats) {
    Bitmap32 bmp(30, 30, clWhite32);
    // Radius 0.3: the step is 191 degrees and every sample lands on (10, 10).
    EXPECT_EQ(zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 200.0f, 0.3f).policzone, 1);
    // The previous pixel starts at (0, 0): an arc that stays there counts nothing.
    bmp.SetPixelS(0, 0, clBlack32);
    EXPECT_EQ(zlicz_luk(bmp, 0.0f, 0.0f, 0.0f, 200.0f, 0.3f).policzone, 0);
    EXPECT_FALSE(lok_prom(bmp, 0.0f, 0.0f, 0, 0.0f, 200.0f, 0.3f));
    // First and last of seven samples both on (9, 10), not neighbours: 2 dark of 7 = 28.6 %.
    EXPECT_EQ(zlicz_luk(bmp, 10.0f, 10.0f, 0.0f, 180.0f, 1.0f).policzone, 7);
    bmp.SetPixelS(9, 10, clBlack32);
    EXPECT_TRUE(lok_prom(bmp, 10.0f, 10.0f, 28, 0.0f, 180.0f, 1.0f));
    EXPECT_FALSE(lok_prom(bmp, 10.0f, 10.0f, 29, 0.0f, 180.0f, 1.0f));
}

// The whole-pixel form answers what the float form answers for the same point, at the edges
// and corners of the bitmap too (where off-bitmap pixels count as black).
TEST(Piksel, Lok2OnAWholePixelAgreesWithTheFloatForm) {
    Bitmap32 bmp(6, 5, clWhite32);
    bmp.SetPixelS(2, 2, clBlack32);
    bmp.SetPixelS(3, 2, clBlack32);
    bmp.SetPixelS(3, 3, 0x00000000u);
    bmp.SetPixelS(5, 0, clBlack32);
    const WidokBitmapy obraz(bmp);
    int prawda = 0;
    for (int y = -2; y <= 6; ++y) {
        for (int x = -2; x <= 7; ++x) {
            for (int kolor : {0, 0xFFFFFF}) {
                for (int min_ile = 1; min_ile <= 9; ++min_ile) {
                    const bool f = lok2(obraz, kolor, min_ile, float(x), float(y));
                    EXPECT_EQ(lok2(obraz, kolor, min_ile, Piksel{x, y}), f)
                        << x << "," << y << " kolor " << kolor << " min " << min_ile;
                    prawda += f ? 1 : 0;
                }
            }
        }
    }
    // Both answers occur, so the comparison is not between two constants.
    EXPECT_GT(prawda, 0);
    EXPECT_LT(prawda, 10 * 9 * 2 * 9);
}
