#include "host/Bitmap32.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host;

TEST(Bitmap32, OffBitmapReadsAnswerZeroAndWritesAreIgnored) {
    Bitmap32 b(4, 3, clWhite32);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {-100000, 100000}})
        EXPECT_EQ(b.GetPixelS(x, y), 0u) << x << "," << y;
    b.SetPixelS(4, 0, clBlack32);
    b.SetPixelS(-1, 2, clBlack32);
    b.SetPixelS(3, 2, clBlack32);
    EXPECT_EQ(b.GetPixelS(3, 2), clBlack32);
    EXPECT_EQ(b.GetPixelS(0, 0), clWhite32);
    EXPECT_EQ(Bitmap32().GetPixelS(0, 0), 0u);
}

TEST(Bitmap32, OneBitScanLoadsBlackAsOpaqueBlack) {
    QTemporaryDir dir;
    // Both palette orders: the colour must come from the palette, not from the bit value.
    for (bool whiteFirst : {false, true}) {
        SCOPED_TRACE(whiteFirst);
        QImage mono(9, 5, QImage::Format_Mono);
        const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
        mono.setColorTable(whiteFirst ? QList<QRgb>{white, black} : QList<QRgb>{black, white});
        const int ink = whiteFirst ? 1 : 0;
        mono.fill(1 - ink);
        mono.setPixel(0, 0, ink);
        mono.setPixel(8, 4, ink);
        const QString path = dir.filePath(QStringLiteral("skan.bmp"));
        ASSERT_TRUE(mono.save(path));

        Bitmap32 b;
        QString error;
        ASSERT_TRUE(b.LoadFromFile(path, &error)) << qPrintable(error);
        EXPECT_EQ(b.width(), 9);
        EXPECT_EQ(b.GetPixelS(0, 0), clBlack32);
        EXPECT_EQ(b.GetPixelS(8, 4), clBlack32);
        EXPECT_EQ(b.GetPixelS(1, 0), clWhite32);
    }
}
