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

TEST(Rysuj_cwiartka, EveryPixelOfTheSectorAndNoOther) {
    // Against the plain definition: radius between the ring's edges, angle (atan2, clockwise
    // on screen) from the start within the span. Pixels within a hair of an edge may go either
    // way and are not compared.
    struct Przypadek {
        double x0, y0, od, do_;
    };
    for (const Przypadek& p : {Przypadek{100, 100, 10, 50},
                               {100.4, 99.6, 80, 100},
                               {100, 100, 170, 190},
                               {100, 100, 300, 120},
                               {100, 100, 0, 179.9},
                               {100, 100, 45, 225},
                               {90.2, 110.7, 359, 1},
                               {100, 100, 200, 199},
                               {-20, 100, 270, 90},
                               {100, 100, 95, 95.5},
                               // wide sectors whose edges lie along a row or a column
                               {100, 100, 180, 90},
                               {100, 100, 0, 270},
                               {100.5, 100, 90, 0}}) {
        SCOPED_TRACE(testing::Message() << p.x0 << "," << p.y0 << " " << p.od << ".." << p.do_);
        Bitmap32 b(201, 201, kTlo);
        Rysuj_cwiartka(b, p.x0, p.y0, 90, p.od, p.do_, kJazda, 0, nullptr, 0, 40);
        const double span = std::fmod(p.do_ - p.od + 360.0, 360.0);
        int rozne = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) {
                const double dx = x - p.x0, dy = y - p.y0, r = std::hypot(dx, dy);
                const double a = std::fmod(std::atan2(dy, dx) * 180.0 / M_PI - p.od + 720.0, 360.0);
                if (std::abs(r - 90) < 1e-9 || std::abs(r - 50) < 1e-9 || std::abs(a) < 1e-6 ||
                    std::abs(a - span) < 1e-6 || std::abs(a - 360.0) < 1e-6)
                    continue;
                const bool w = r <= 90 && r >= 50 && a <= span;
                rozne += (b.GetPixelS(x, y) == kJazda) != w;
            }
        EXPECT_EQ(rozne, 0);
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
