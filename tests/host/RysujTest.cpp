#include "host/Rysuj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace host;

namespace {

constexpr TColor32 kTlo = clWhite32;
constexpr TColor32 kJazda = Color32(223, 36, 55);

// The pixel at angle a (degrees) and radius r around (x0, y0), rounded as the chart code does.
TColor32 at(const Bitmap32& b, double x0, double y0, double a, double r) {
    const double rad = a * M_PI / 180.0;
    return b.GetPixelS(int(x0 + r * std::cos(rad) + 0.5), int(y0 + r * std::sin(rad) + 0.5));
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
    EXPECT_EQ(at(b, 100, 100, 45, 65), kJazda);
    EXPECT_EQ(at(b, 100, 100, 2, 65), kJazda);
    EXPECT_EQ(at(b, 100, 100, 88, 65), kJazda);
    EXPECT_EQ(at(b, 100, 100, 80, 79), kJazda); // just inside the outer radius
    EXPECT_EQ(at(b, 100, 100, 80, 51), kJazda); // just inside the inner radius
    EXPECT_EQ(at(b, 100, 100, 270, 65), kTlo);  // the top half stays untouched
    EXPECT_EQ(at(b, 100, 100, 135, 65), kTlo);
    EXPECT_EQ(at(b, 100, 100, -5, 65), kTlo);
    EXPECT_EQ(at(b, 100, 100, 45, 45), kTlo); // inside the ring's hole
    EXPECT_EQ(at(b, 100, 100, 45, 83), kTlo); // beyond the outer radius
    // A quarter of the ring: pi (80^2 - 50^2) / 4 = 3063 pixels.
    EXPECT_NEAR(count(b, kJazda), 3063, 60);
    // Exact colours only: nothing blended at the edges.
    EXPECT_EQ(colours(b), (std::set<TColor32>{kTlo, kJazda}));
}

TEST(Rysuj_cwiartka, SectorPassing360) {
    for (double kat_do : {370.0, 10.0}) { // the end as the list passes it, and folded
        SCOPED_TRACE(kat_do);
        Bitmap32 b(201, 201, kTlo);
        Rysuj_cwiartka(b, 100, 100, 90, 350, kat_do, kJazda, 0, nullptr, 0, 40);
        for (double a : {352.0, 359.0, 0.0, 4.0, 8.0})
            EXPECT_EQ(at(b, 100, 100, a, 70), kJazda) << a;
        for (double a : {340.0, 20.0, 180.0})
            EXPECT_EQ(at(b, 100, 100, a, 70), kTlo) << a;
        EXPECT_NEAR(count(b, kJazda), M_PI * (90.0 * 90 - 50.0 * 50) / 18.0, 40);
    }
}

TEST(Rysuj_cwiartka, WholeRingAndEmptyWidth) {
    Bitmap32 b(101, 101, kTlo);
    Rysuj_cwiartka(b, 50, 50, 40, 100, 460, kJazda, 0, nullptr, 0, 10);
    for (double a = 0; a < 360; a += 15)
        EXPECT_EQ(at(b, 50, 50, a, 35), kJazda) << a;
    EXPECT_EQ(b.GetPixelS(50, 50), kTlo);
    // The width reaching the centre fills the whole disc.
    Rysuj_cwiartka(b, 50, 50, 40, 0, 360, kJazda, 0, nullptr, 0, 200);
    EXPECT_EQ(b.GetPixelS(50, 50), kJazda);
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

TEST(Rysuj_cwiartka, HandEnteredWithoutPictureTracesTheArcs) {
    Bitmap32 b(201, 201, kTlo);
    Rysuj_cwiartka(b, 100, 100, 80, 0, 90, kJazda, 1, nullptr, 0, 30);
    const TColor32 edge = HandEnteredEdgeColour(kJazda);
    // Along 45 degrees: (156,156) lies 79.2 from the centre, (136,136) 50.9, (146,146) 65.1.
    EXPECT_EQ(b.GetPixelS(156, 156), edge);
    EXPECT_EQ(b.GetPixelS(136, 136), edge);
    EXPECT_EQ(b.GetPixelS(146, 146), kJazda);
    EXPECT_EQ(b.GetPixelS(155, 155), kJazda);
    EXPECT_EQ(b.GetPixelS(157, 157), kTlo);
    EXPECT_EQ(b.GetPixelS(180, 100), edge); // the arc ends are part of the sector
}

TEST(Rysuj_cwiartka, HandEnteredMarkerStaysInsideTheSector) {
    const TColor32 magenta = Color32(255, 0, 255);
    Bitmap32 marker(5, 5, magenta);
    marker.SetPixelS(0, 0, 0); // a transparent corner keeps the fill
    Bitmap32 b(201, 201, kTlo);
    Rysuj_cwiartka(b, 100, 100, 80, 0, 90, kJazda, 1, &marker, 0, 30);
    const int stamped = count(b, magenta);
    // As many 5-pixel markers as fit along the middle arc (about 102 pixels long).
    EXPECT_GE(stamped, 10 * 24);
    EXPECT_LE(stamped, 15 * 24);
    Bitmap32 plain(201, 201, kTlo);
    Rysuj_cwiartka(plain, 100, 100, 80, 0, 90, kJazda, 0, nullptr, 0, 30);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.GetPixelS(x, y) == magenta) {
                ASSERT_EQ(plain.GetPixelS(x, y), kJazda);
            }
    EXPECT_EQ(count(b, kJazda) + stamped, count(plain, kJazda));
}

TEST(Rysuj, CircleDotAndLineGeometry) {
    Bitmap32 b(40, 40, kTlo);
    Rysuj_okrag(b, 20, 20, 6, kJazda);
    for (auto [x, y] : {std::pair{26, 20}, {14, 20}, {20, 26}, {20, 14}})
        EXPECT_EQ(b.GetPixelS(x, y), kJazda) << x << "," << y;
    EXPECT_EQ(b.GetPixelS(20, 20), kTlo);
    EXPECT_EQ(b.GetPixelS(27, 20), kTlo);
    EXPECT_EQ(b.GetPixelS(25, 20), kTlo);

    b.Clear(kTlo);
    Rysuj_kolo(b, 20, 20, 3, kJazda);
    for (auto [x, y] : {std::pair{20, 20}, {23, 20}, {17, 20}, {20, 23}, {20, 17}, {22, 22}})
        EXPECT_EQ(b.GetPixelS(x, y), kJazda) << x << "," << y;
    for (auto [x, y] : {std::pair{24, 20}, {16, 20}, {20, 24}, {20, 16}, {23, 23}})
        EXPECT_EQ(b.GetPixelS(x, y), kTlo) << x << "," << y;

    b.Clear(kTlo);
    Rysuj_linie(b, 5, 10, 30, 10, 1, kJazda);
    EXPECT_EQ(b.GetPixelS(5, 10), kJazda);
    EXPECT_EQ(b.GetPixelS(30, 10), kJazda);
    EXPECT_EQ(b.GetPixelS(4, 10), kTlo);
    EXPECT_EQ(b.GetPixelS(31, 10), kTlo);
    EXPECT_EQ(count(b, kJazda), 26);
    Rysuj_linie(b, 5, 30, 30, 30, 3, kJazda);
    EXPECT_EQ(b.GetPixelS(15, 29), kJazda);
    EXPECT_EQ(b.GetPixelS(15, 31), kJazda);
    EXPECT_EQ(b.GetPixelS(15, 28), kTlo);
    EXPECT_EQ(b.GetPixelS(15, 32), kTlo);
}

TEST(Rysuj, PrimitivesClipAtTheEdges) {
    Bitmap32 b(30, 20, kTlo);
    Rysuj_okrag(b, -5, -5, 12, kJazda);
    Rysuj_okrag(b, 1000000, -7, 2000000, kJazda);
    Rysuj_kolo(b, 0, 0, 3, kJazda);
    Rysuj_kolo(b, 29, 19, 50, kJazda);
    Rysuj_linie(b, -1000, -1000, 1000, 1000, 1, kJazda);
    Rysuj_kwadrat(b, -10, -10, 100, 100, 2, kJazda, 255);
    Rysuj_cwiartka(b, -50, -50, 100, 0, 90, kJazda, 1, nullptr, 1, 30);
    Rysuj_cwiartka(b, std::nan(""), 5, 10, 0, 90, kJazda, 0, nullptr, 0, 5);
    Bitmap32 empty;
    Rysuj_kolo(empty, 0, 0, 3, kJazda);
    Rysuj_cwiartka(empty, 0, 0, 10, 0, 90, kJazda, 0, nullptr, 0, 5);
    EXPECT_NE(b.GetPixelS(0, 0), kTlo);
    EXPECT_EQ(b.GetPixelS(29, 19), kJazda);

    Bitmap32 c(30, 20, kTlo);
    Rysuj_linie(c, -1000, -1000, 1000, 1000, 1, kJazda);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(c.GetPixelS(i, i), kJazda) << i;
    EXPECT_EQ(count(c, kJazda), 20);
}

TEST(Rysuj_kwadrat, TranslucentFrameIsBlendedOnce) {
    Bitmap32 b(20, 20, kTlo);
    Rysuj_kwadrat(b, 2, 3, 15, 12, 2, 0xFF0000FFu, 100);
    // Blue at alpha 100 over white: red and green keep 155/255 of white.
    const TColor32 framed = b.GetPixelS(2, 3);
    EXPECT_EQ(framed & 0xFF, 0xFFu);
    EXPECT_NEAR(int((framed >> 16) & 0xFF), 155, 1);
    EXPECT_EQ(framed >> 24, 0xFFu);
    // Corners, edges and the inner ring of the frame all carry the same single blend.
    for (auto [x, y] : {std::pair{15, 12}, {3, 4}, {8, 3}, {8, 11}, {14, 8}, {2, 8}})
        EXPECT_EQ(b.GetPixelS(x, y), framed) << x << "," << y;
    for (auto [x, y] : {std::pair{4, 5}, {13, 10}, {1, 3}, {16, 12}, {8, 13}})
        EXPECT_EQ(b.GetPixelS(x, y), kTlo) << x << "," << y;
    EXPECT_EQ(count(b, framed), 14 * 10 - 10 * 6);
}

TEST(Kolo, CollectedDotsMergeWithoutHoles) {
    QPainterPath path;
    Kolo(path, 10, 10, 4);
    Kolo(path, 13, 10, 4); // overlapping: an even-odd fill would leave the overlap empty
    Kolo(path, 30, 10, 3);
    Bitmap32 b(40, 20, kTlo);
    Rysuj_wielokat(b, path, kJazda);
    for (int x = 6; x <= 17; ++x)
        EXPECT_EQ(b.GetPixelS(x, 10), kJazda) << x;
    EXPECT_EQ(b.GetPixelS(30, 10), kJazda);
    EXPECT_EQ(b.GetPixelS(22, 10), kTlo);

    // A collected dot covers what Rysuj_kolo covers, so a hit-test redraw hides it fully.
    Bitmap32 one(40, 20, kTlo), dot(40, 20, kTlo);
    QPainterPath single;
    Kolo(single, 30, 10, 3);
    Rysuj_wielokat(one, single, kJazda);
    Rysuj_kolo(dot, 30, 10, 3, kJazda);
    EXPECT_EQ(one.image(), dot.image());
}
