// Generated charts scanned grey come back in the reader's geometry.

#include "SkanFixtures.h"

#include "skan/WczytajSkan.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace skantest;

TEST(GreyScan, DiscComesBackInTheReadersGeometry) {
    struct Scan {
        const char* name;
        int dpi, fileDpi; // fileDpi 0: Qt's default 96 written into the file
        int chart;
    };
    for (const Scan s : {Scan{"grey200.png", 200, 200, 0}, Scan{"grey600.tif", 600, 0, 1}}) {
        SCOPED_TRACE(s.name);
        const Page300 page = page300(1560, 1600, {s.chart}, {{775, 790}}); // disc off the middle
        std::vector<QPointF> truth;
        const auto discs = host::WczytajSkan(save(scanOf(page, s.dpi, &truth), s.name, s.fileDpi));
        ASSERT_EQ(discs.size(), 1u);
        const host::TarczaZeSkanu& t = discs[0];
        EXPECT_EQ(t.dpi, s.dpi);
        EXPECT_EQ(t.bitmapa.width(), 1000);
        EXPECT_EQ(t.x0, 500.0);
        EXPECT_NEAR(t.promien, 727, 2);
        EXPECT_LE(errorAt300(t.srodek, truth[0], s.dpi), 0.5);

        // Distance ring and outer ring pair sit where the generator draws them.
        const host::Bitmap32& direct = readerChart(s.chart);
        for (double ring : {259.0, 328.0}) {
            const Ring want = ringAround(direct, 500, 500, ring - 3, ring + 4);
            const Ring got = ringAround(t.bitmapa, 500, 500, ring - 3, ring + 4);
            EXPECT_GE(got.rays, 355) << ring;
            EXPECT_NEAR(got.radius, want.radius, 1.0) << ring;
            EXPECT_LE(std::hypot(got.dx - want.dx, got.dy - want.dy), 0.5) << ring;
        }
        EXPECT_GE(darkAgreement(direct, t.bitmapa), 0.97);
        EXPECT_GE(darkAgreement(t.bitmapa, direct), 0.97);
    }
}
