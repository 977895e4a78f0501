// Several discs scanned on one sheet come back in reading order. A4 pages: slow.

#include "SkanFixtures.h"

#include "chartgen/ScanLikeSheet.h"
#include "skan/WczytajSkan.h"

#include <gtest/gtest.h>

using namespace skantest;

namespace {

void expectSheet(const QString& file, const std::vector<QPointF>& truth,
                 const std::vector<int>& charts, double dpi) {
    const auto discs = host::WczytajSkan(file);
    ASSERT_EQ(discs.size(), truth.size());
    for (std::size_t i = 0; i < discs.size(); ++i) {
        EXPECT_EQ(discs[i].dpi, dpi) << i;
        EXPECT_LE(errorAt300(discs[i].srodek, truth[i], dpi), 0.5) << i;
        EXPECT_GE(darkAgreement(readerChart(charts[i]), discs[i].bitmapa), 0.95) << i;
    }
}

// Three 123 mm discs staggered on A4 overlap at the rims (the middle one on top); two side by
// side, the right one a little higher, are still one row read left to right.
TEST(SheetOfDiscs, DiscsComeBackInReadingOrder) {
    const Page300 a4 = page300(2480, 3508, {0, 2, 1}, {{735, 735}, {735, 2755}, {1745, 1745}});
    std::vector<QPointF> at;
    const QString a4File = save(scanOf(a4, 200, &at), "a4_three.png", 200);
    expectSheet(a4File, {at[0], at[2], at[1]}, {0, 1, 2}, 200);
    const Page300 row = page300(3508, 1700, {2, 0}, {{2700, 760}, {790, 900}});
    const QString rowFile = save(scanOf(row, 150, &at), "row.png", 150);
    expectSheet(rowFile, {at[1], at[0]}, {0, 2}, 150);
}

// A scan-like sheet: three discs turned by 0, 90 and 217 degrees, no contrast to the lid,
// overlapping at the rims, JPEG. Each is found at its printed centre, in reading order.
TEST(SheetOfDiscs, ScanLikeDiscsTurnedDifferently) {
    QString error;
    const auto page =
        chartgen::renderScanLikeSheet(chartgen::threeDiscSheet(), chartGeometry(), {}, &error);
    ASSERT_TRUE(page) << error.toStdString();
    const auto discs = host::WczytajSkan(save(page->image, "scan_like_a4.jpg", 300));
    ASSERT_EQ(discs.size(), 3u);
    for (std::size_t i = 0; i < discs.size(); ++i) {
        EXPECT_EQ(discs[i].dpi, 300) << i;
        EXPECT_LE(errorAt300(discs[i].srodek, page->centres[i], 300), 0.5) << i;
        EXPECT_NEAR(discs[i].promien, 730, 1.5) << i;
    }
}

} // namespace
