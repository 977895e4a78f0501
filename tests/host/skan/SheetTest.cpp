// Several discs scanned on one sheet come back in reading order, each the chart that lies
// there. A4 pages: the slow part of the import's tests.

#include "SkanFixtures.h"

#include "chartgen/GreyRender.h"

#include "host/skan/WczytajSkan.h"

#include <gtest/gtest.h>

using namespace skantest;

namespace {

// Every disc of a sheet, in reading order, each the chart that lies there.
void expectSheet(const QString& file, const std::vector<QPointF>& truth,
                 const std::vector<int>& charts, double dpi) {
    const auto discs = host::WczytajSkan(file);
    ASSERT_EQ(discs.size(), truth.size());
    for (std::size_t i = 0; i < discs.size(); ++i) {
        EXPECT_EQ(discs[i].dpi, dpi) << i;
        EXPECT_LE(errorAt300(discs[i].srodek, truth[i], dpi), 0.5)
            << "disc " << i << " at (" << discs[i].srodek.x() << ", " << discs[i].srodek.y()
            << "), drawn at (" << truth[i].x() << ", " << truth[i].y() << ")";
        EXPECT_GE(darkAgreement(readerChart(charts[i]), discs[i].bitmapa), 0.95) << i;
    }
}

TEST(SheetOfDiscs, TwoOnTheGeneratorsA4PageTopToBottom) {
    chartgen::GreyOptions o;
    o.dpi = 200;
    QString error;
    const auto page =
        chartgen::renderA4Page({wholeDisc(1), wholeDisc(0)}, {{750, 750}, {750, 750}}, o, &error);
    ASSERT_TRUE(page) << error.toStdString();
    const QString file = save(page->image, "a4_two.png", 200);
    expectSheet(file, {page->discs[0].centre, page->discs[1].centre}, {1, 0}, 200);
}

// Three 123 mm discs need 296.9 mm of an A4 page's 297 when staggered edge to edge, so on a
// real sheet they overlap at the rims; the middle one lies on top of the other two.
TEST(SheetOfDiscs, ThreeStaggeredOnA4OverlappingAtTheRims) {
    const Page300 page = page300(2480, 3508, {0, 2, 1}, {{735, 735}, {735, 2755}, {1745, 1745}});
    std::vector<QPointF> at;
    const QString file = save(scanOf(page, 200, &at), "a4_three.png", 200);
    expectSheet(file, {at[0], at[2], at[1]}, {0, 1, 2}, 200);
}

// Side by side, the right disc a little higher: still one row, read left to right.
TEST(SheetOfDiscs, ARowIsReadLeftToRightEvenWhenNotLevel) {
    const Page300 page = page300(3508, 1700, {2, 0}, {{2700, 760}, {790, 900}});
    std::vector<QPointF> at;
    const QString file = save(scanOf(page, 150, &at), "row.png", 150);
    expectSheet(file, {at[1], at[0]}, {0, 2}, 150);
}

} // namespace
