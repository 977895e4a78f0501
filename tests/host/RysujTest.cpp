#include "host/Rysuj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace host;

namespace {

constexpr TColor32 kTlo = clWhite32;
constexpr TColor32 kJazda = Color32(223, 36, 55);

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
                               {100, 100, 350, 370}, // the end as the list passes 360
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
        EXPECT_EQ(colours(b), (std::set<TColor32>{kTlo, kJazda})); // nothing blended
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
