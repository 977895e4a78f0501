#include "host/KatyCzas.h"

#include <gtest/gtest.h>

using namespace host;

TEST(KatyCzas, FoldingAndDifference) {
    EXPECT_DOUBLE_EQ(Katdo360(360.0), 0.0);
    EXPECT_DOUBLE_EQ(Katdo360(-0.25), 359.75);
    EXPECT_DOUBLE_EQ(Katdo360(725.5), 5.5);
    EXPECT_DOUBLE_EQ(Roznica_katow(350.0, 10.0), 20.0);
    EXPECT_DOUBLE_EQ(Roznica_katow(10.0, 350.0), 340.0);
    EXPECT_DOUBLE_EQ(Roznica_katow(42.0, 42.0), 0.0);
}

TEST(KatyCzas, RangeAcross360) {
    EXPECT_TRUE(Czy_w_zakr(350.0, 5.0, 10.0));
    EXPECT_TRUE(Czy_w_zakr(350.0, 350.0, 10.0));
    EXPECT_TRUE(Czy_w_zakr(350.0, 10.0, 10.0));
    EXPECT_FALSE(Czy_w_zakr(350.0, 180.0, 10.0));
    EXPECT_TRUE(Czy_w_zakr(10.0, 180.0, 350.0));
    EXPECT_FALSE(Czy_w_zakr(10.0, 5.0, 350.0));
    // An end written past 360 is the same range as its folded form.
    EXPECT_TRUE(Czy_w_zakr(350.0, 5.0, 370.0));
}

TEST(KatyCzas, ClockOfAnAngle) {
    // kat24 = 90: 90 degrees is midnight, 180 is 06:00, 45 is 21:00.
    EXPECT_NEAR(KatNaGodz(180.0, 90.0), 0.25, 1e-12);
    EXPECT_NEAR(KatNaGodz(45.0, 90.0), 21.0 / 24.0, 1e-12);
    EXPECT_NEAR(KatNaGodz(90.0, 90.0), 0.0, 1e-12);
    EXPECT_NEAR(KatNaGodz(90.0), 0.25, 1e-12);
    EXPECT_NEAR(CzasNaKat(TDateTime(45000.75), 90.0), 0.0, 1e-9); // 18:00 -> 270+90 -> 0
    EXPECT_NEAR(GodzNaKat(QStringLiteral("23:59"), 0.0), 359.75, 1e-9);
    EXPECT_NEAR(XYNaKat(10, 0, 0, 0), 0.0, 1e-12);
    EXPECT_NEAR(XYNaKat(0, 10, 0, 0), 90.0, 1e-12); // y grows down: clockwise
    EXPECT_NEAR(XYNaKat(0, -10, 0, 0), 270.0, 1e-12);
}

TEST(KatyCzas, RoundingToWholeChartMinutes) {
    // Angles are rounded on the 0.25-degree grid anchored at kat24, not at 0.
    EXPECT_DOUBLE_EQ(Zaokragl_Xm(100.2, 360, 0, 0.1), 100.1);
    EXPECT_DOUBLE_EQ(Zaokragl_Xm(100.23, 360, 0, 0.1), 100.35);
    EXPECT_DOUBLE_EQ(Zaokragl_Xm(359.9, 360, 0, 0.0), 360.0); // not folded
    // Times: half a minute rounds up; a hair under 23:59:30 stays at 23:59.
    EXPECT_NEAR(Zaokragl_Xm(30.0 / 86400.0, 1, 0, 0.0), 1.0 / 1440.0, 1e-15);
    EXPECT_NEAR(Zaokragl_Xm((1439 * 60 + 29) / 86400.0, 1, 0, 0.0), 1439.0 / 1440.0, 1e-15);
    EXPECT_NEAR(Zaokragl_Xm((1439 * 60 + 31) / 86400.0, 1, 0, 0.0), 1.0, 1e-15);
    EXPECT_EQ(FormatDateTime("hh:nn", Zaokragl_Xm(0.99930555, 1, 0, 0.0)), "23:59");
    // The shortcut writes what the pattern does, on days before and after 1899 too.
    for (double t = -2.5; t < 3.0; t += 0.0137)
        EXPECT_EQ(CzasHHNN(t), FormatDateTime("hh:nn", t)) << t;
}

TEST(KatyCzas, TextForms) {
    EXPECT_EQ(FloatNaGodzStr_sum(27.0 + 5.0 / 60.0, 1), "27:05");
    EXPECT_EQ(FloatNaGodzStr_sum(0.25, 0), "00:15");
    const TDateTime t = TDateTime::encode(2007, 4, 11, 13, 5, 9);
    EXPECT_EQ(FormatDateTime("yyyy-MM-dd hh:nn:ss", t), "2007-04-11 13:05:09");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "13:05"); // mm after hh means minutes
}
