// Otsu's threshold and the circle fit the disc finder rests on.

#include "host/skan/Threshold.h"
#include "host/skan/CircleFit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace host::skan;

namespace {

Histogram modes(std::initializer_list<std::tuple<double, double, double>> ms) {
    Histogram h{};
    for (const auto& [mean, sigma, count] : ms)
        for (int i = 0; i < 256; ++i) {
            const double z = sigma > 0 ? (i - mean) / sigma : (i == mean ? 0 : 1e9);
            h[std::size_t(i)] += std::uint64_t(std::llround(count * std::exp(-z * z / 2)));
        }
    return h;
}

TEST(Otsu, SplitsTheHistogramBetweenItsModes) {
    struct Case {
        const char* name;
        Histogram h;
        int low, high; // accepted thresholds
    };
    const Case cases[] = {
        // Thin ink on much paper: the split stays clear of both grains.
        {"ink and paper", modes({{40, 8, 500}, {210, 10, 9500}}), 64, 180},
        {"dark background", modes({{25, 6, 6000}, {225, 8, 4000}}), 43, 201},
        // Empty stretches tie; the middle of the tie is taken.
        {"black and white", modes({{0, 0, 10}, {255, 0, 90}}), 127, 127},
        {"two spikes", modes({{50, 0, 1}, {100, 0, 9}}), 74, 74},
        {"one level", modes({{200, 0, 50}}), 127, 127},
        {"empty", Histogram{}, 127, 127},
    };
    for (const Case& c : cases) {
        const int t = otsuThreshold(c.h);
        EXPECT_GE(t, c.low) << c.name;
        EXPECT_LE(t, c.high) << c.name;
    }
}

TEST(CircleFit, AnotherDiscOverTheRimDoesNotMoveTheCircle) {
    std::vector<QPointF> pts;
    for (int k = 0; k < 720; ++k) {
        const double a = k * M_PI / 360;
        double r = 300 + 0.3 * std::sin(k * 7.0); // pixel noise of an edge
        // A fifth of the rim hidden under a disc lying over it: its edge cuts up to 25 px in.
        if (k < 144) r -= 25 * std::sin(M_PI * k / 144);
        pts.emplace_back(100 + r * std::cos(a), 50 + r * std::sin(a));
    }
    const CircleFit plain = fitCircle(pts);
    ASSERT_TRUE(plain.ok);
    EXPECT_GT(std::hypot(plain.circle.cx - 100, plain.circle.cy - 50), 2.0);

    const CircleFit robust = fitCircleRobust(pts, 1.0);
    ASSERT_TRUE(robust.ok);
    EXPECT_NEAR(robust.circle.cx, 100, 0.05);
    EXPECT_NEAR(robust.circle.cy, 50, 0.05);
    EXPECT_NEAR(robust.circle.r, 300, 0.05);
    EXPECT_LE(robust.inliers, 600u);
}

} // namespace
