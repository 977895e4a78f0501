#include "host/Rysuj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace host;

namespace {

constexpr TColor32 kTlo = clWhite32;
constexpr TColor32 kJazda = Color32(223, 36, 55);

// The pixel at angle a (degrees) and radius r around (100, 100), rounded as the chart code does.
TColor32 at(const Bitmap32& b, double a, double r) {
    const double rad = a * M_PI / 180.0;
    return b.GetPixelS(int(100 + r * std::cos(rad) + 0.5), int(100 + r * std::sin(rad) + 0.5));
}

int count(const Bitmap32& b, TColor32 c) {
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += b.GetPixelS(x, y) == c;
    return n;
}

std::set<TColor32> colours(const Bitmap32& b) {
    std::set<TColor32> s;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            s.insert(b.GetPixelS(x, y));
    return s;
}

} // namespace

TEST(Rysuj_cwiartka, FillsItsAngleRangeClockwiseAndNothingElse) {
    Bitmap32 b(201, 201, kTlo);
    Rysuj_cwiartka(b, 100, 100, 80, 0, 90, kJazda, 0, nullptr, 0, 30);
    // 0..90 degrees runs from the right-hand side down to the bottom (y grows downwards).
    for (auto [a, r] : {std::pair{45.0, 65.0}, {2, 65}, {88, 65}, {80, 79}, {80, 51}})
        EXPECT_EQ(at(b, a, r), kJazda) << a << "," << r;
    for (auto [a, r] : {std::pair{270.0, 65.0}, {135, 65}, {-5, 65}, {45, 45}, {45, 83}})
        EXPECT_EQ(at(b, a, r), kTlo) << a << "," << r;
    EXPECT_NEAR(count(b, kJazda), 3063, 60);                   // pi (80^2 - 50^2) / 4
    EXPECT_EQ(colours(b), (std::set<TColor32>{kTlo, kJazda})); // nothing blended at the edges
}

TEST(Rysuj_cwiartka, SectorPassing360) {
    for (double kat_do : {370.0, 10.0}) { // the end as the list passes it, and folded
        SCOPED_TRACE(kat_do);
        Bitmap32 b(201, 201, kTlo);
        Rysuj_cwiartka(b, 100, 100, 90, 350, kat_do, kJazda, 0, nullptr, 0, 40);
        for (double a : {352.0, 359.0, 0.0, 4.0, 8.0})
            EXPECT_EQ(at(b, a, 70), kJazda) << a;
        for (double a : {340.0, 20.0, 180.0})
            EXPECT_EQ(at(b, a, 70), kTlo) << a;
        EXPECT_NEAR(count(b, kJazda), M_PI * (90.0 * 90 - 50.0 * 50) / 18.0, 40);
    }
}

TEST(Rysuj_cwiartka, ShadingHatchesWithADerivedColour) {
    const TColor32 odp = Color32(123, 191, 242);
    Bitmap32 b(201, 201, kTlo);
    Rysuj_cwiartka(b, 100, 100, 80, 180, 270, odp, 0, nullptr, 1, 40);
    const TColor32 hatch = HatchColour(odp);
    EXPECT_EQ(hatch, Color32(92, 143, 181));
    EXPECT_EQ(colours(b), (std::set<TColor32>{kTlo, odp, hatch}));
    // One pixel in eight along a row, on the "/" diagonals.
    const int h = count(b, hatch), f = count(b, odp);
    EXPECT_NEAR(double(h) / (h + f), 1.0 / 8.0, 0.01);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.GetPixelS(x, y) == hatch) {
                ASSERT_EQ((x + y) % 8, 0) << x << "," << y;
            }
}
