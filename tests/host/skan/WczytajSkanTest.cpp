// Generated charts scanned grey at other resolutions come back in the reader's geometry.

#include "SkanFixtures.h"

#include "chartgen/GreyRender.h"

#include "host/skan/WczytajSkan.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace skantest;

namespace {

// Distance ring and outer ring pair of the calibration, looked for from just inside them.
constexpr double kRings[] = {259, 328};

void expectPureBlackAndWhite(const host::Bitmap32& bmp) {
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) {
            const host::TColor32 c = bmp.scanLine(y)[x];
            ASSERT_TRUE(c == host::clBlack32 || c == host::clWhite32) << x << ", " << y;
        }
}

bool samePixels(const host::Bitmap32& a, const host::Bitmap32& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.scanLine(y), a.scanLine(y) + a.width(), b.scanLine(y))) return false;
    return true;
}

struct Scan {
    const char* name;
    int dpi;
    int fileDpi; // resolution written into the file; 0: Qt's default 96
    bool dark;   // dark scanner background
    int chart;
    const char* suffix;
    int size; // size class asked for
};

void PrintTo(const Scan& s, std::ostream* os) {
    *os << s.name;
}

class GreyScan : public ::testing::TestWithParam<Scan> {};

TEST_P(GreyScan, DiscComesBackInTheReadersGeometry) {
    const Scan s = GetParam();
    // A small page with the disc off its middle.
    const Page300 page = page300(1560, 1600, {s.chart}, {{775, 790}}, s.dark);
    std::vector<QPointF> truth;
    const QString file = save(scanOf(page, s.dpi, &truth), QString(s.name) + s.suffix, s.fileDpi);

    host::OpcjeImportu o;
    o.rozmiar = s.size;
    const auto discs = host::WczytajSkan(file, o);
    ASSERT_EQ(discs.size(), 1u);
    const host::TarczaZeSkanu& t = discs[0];
    const double mid = s.size / 2.0;
    EXPECT_EQ(t.dpi, s.dpi);
    EXPECT_EQ(t.bitmapa.width(), s.size);
    EXPECT_EQ(t.bitmapa.height(), s.size);
    EXPECT_EQ(t.x0, mid);
    EXPECT_EQ(t.y0, mid);
    EXPECT_NEAR(t.promien, 727, 2);
    EXPECT_LE(errorAt300(t.srodek, truth[0], s.dpi), 0.5);
    EXPECT_TRUE(t.ramka.contains(truth[0].toPoint()));
    EXPECT_NEAR(t.ramka.width(), 2 * 727 * s.dpi / 300.0, 4);

    // The printed rings sit where they sit on the chart the generator draws in that class
    // (the whole disc in 1500, with nothing beyond its edge).
    const host::Bitmap32& direct = s.size == 1500 ? wholeDisc(s.chart) : readerChart(s.chart);
    for (double ring : kRings) {
        const Ring want = ringAround(direct, mid, mid, ring - 3, ring + 4);
        const Ring got = ringAround(t.bitmapa, mid, mid, ring - 3, ring + 4);
        EXPECT_GE(got.rays, 355) << ring;
        EXPECT_NEAR(got.radius, want.radius, 1.0) << ring;
        EXPECT_LE(std::hypot(got.dx - want.dx, got.dy - want.dy), 0.5)
            << ring << ": centre off by (" << got.dx - want.dx << ", " << got.dy - want.dy << ")";
    }
    // Traces and rings keep their strokes: nearly every dark pixel has its partner.
    EXPECT_GE(darkAgreement(direct, t.bitmapa), 0.97);
    EXPECT_GE(darkAgreement(t.bitmapa, direct), 0.97);
    expectPureBlackAndWhite(t.bitmapa);

    // Saved and imported again, the chart passes unchanged.
    const QString again = tempPath(QString(s.name) + "_again.bmp");
    ASSERT_TRUE(t.bitmapa.SaveToFile(again));
    const auto back = host::WczytajSkan(again);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(samePixels(back[0].bitmapa, t.bitmapa));
}

INSTANTIATE_TEST_SUITE_P(Scans, GreyScan,
                         ::testing::Values(Scan{"grey200", 200, 200, false, 0, ".png", 1000},
                                           Scan{"grey600", 600, 0, false, 1, ".tif", 1000},
                                           Scan{"dark200", 200, 0, true, 2, ".jpg", 1500},
                                           Scan{"grey300", 300, 300, false, 0, ".bmp", 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CutAlready, ChartsInTheReadersGeometryAreOnlyBinarised) {
    chartgen::GreyOptions at600;
    at600.dpi = 600;
    struct Case {
        const char* name;
        const host::Bitmap32* chart;
        QImage file;
        int fileDpi;
        double agreement; // 1: the very pixels
    };
    const Case cases[] = {
        // The generator's own output: 1 bit.
        {"generator_1000.bmp", &readerChart(0),
         readerChart(0).image().convertToFormat(QImage::Format_Mono), 0, 1},
        {"whole_1500.png", &wholeDisc(1), wholeDisc(1).image(), 0, 1},
        {"saved_grey.jpg", &readerChart(2),
         readerChart(2).image().convertToFormat(QImage::Format_Grayscale8), 0, 0.97},
        // The 1000 class scanned grey at 600 dpi: 2000 px square.
        {"class_at_600.png", &readerChart(1), chartgen::renderGrey(readerChart(1), at600), 600,
         0.97},
    };
    for (const Case& c : cases) {
        const QString file = save(c.file, c.name, c.fileDpi);
        const auto discs = host::WczytajSkan(file);
        ASSERT_EQ(discs.size(), 1u) << c.name;
        const int side = c.chart->width();
        if (c.agreement == 1) {
            EXPECT_TRUE(samePixels(discs[0].bitmapa, *c.chart)) << c.name;
        } else {
            EXPECT_GE(darkAgreement(*c.chart, discs[0].bitmapa), c.agreement) << c.name;
            EXPECT_GE(darkAgreement(discs[0].bitmapa, *c.chart), c.agreement) << c.name;
            expectPureBlackAndWhite(discs[0].bitmapa);
            const Ring want = ringAround(*c.chart, side / 2.0, side / 2.0, 256, 263);
            const Ring got = ringAround(discs[0].bitmapa, side / 2.0, side / 2.0, 256, 263);
            EXPECT_LE(std::hypot(got.dx - want.dx, got.dy - want.dy), 0.5) << c.name;
        }
        EXPECT_EQ(discs[0].x0, side / 2.0) << c.name;
        EXPECT_EQ(discs[0].y0, side / 2.0) << c.name;
        EXPECT_EQ(discs[0].dpi, c.fileDpi ? c.fileDpi : 300) << c.name;
    }
}

} // namespace
