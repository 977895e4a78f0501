// Files the import must refuse, each with a message that names the file and the reason; and
// the choices of resolution and threshold.

#include "SkanFixtures.h"

#include "host/skan/WczytajSkan.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace skantest;

namespace {

QString writeBytes(const QString& name, const QByteArray& bytes) {
    const QString path = tempPath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

// Grain on paper: compresses badly, so a cut file loses picture data.
QImage noisyPaper(int w, int h) {
    QImage img(w, h, QImage::Format_Grayscale8);
    unsigned v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            v = v * 1103515245u + 12345u;
            img.scanLine(y)[x] = uchar(200 + (v >> 16) % 40);
        }
    return img;
}

QString truncated(const char* name, const char* format) {
    const QByteArray whole = encoded(noisyPaper(400, 300), format);
    return writeBytes(name, whole.left(whole.size() * 6 / 10));
}

// A sheet at 150 dpi: disc 1 inside, disc 2 hanging over the bottom edge.
QString sheetWithCutDisc() {
    const Page300 page = page300(1600, 2400, {0, 1}, {{780, 760}, {800, 2000}});
    return save(scanOf(page, 150, nullptr), "cut_bottom.png", 150);
}

QString discOffTheCorner() {
    // Square, and the 1500 class at the stated resolution: the disc found still counts.
    const Page300 page = page300(1500, 1500, {0}, {{700, 650}});
    return save(scanOf(page, 150, nullptr), "cut_corner.png", 150);
}

// Written at 100 dpi, too coarse for the edge line to show: only an inner ring is round.
QString tooCoarse() {
    const Page300 page = page300(1500, 1500, {0}, {{750, 750}});
    return save(scanOf(page, 100, nullptr), "coarse.png", 0);
}

// A 150 dpi scan whose file claims 300 dpi.
QString statedWrongly() {
    const Page300 page = page300(1500, 1500, {0}, {{750, 750}});
    return save(scanOf(page, 150, nullptr), "stated_wrongly.png", 300);
}

struct Bad {
    const char* name;
    std::function<QString()> make;
    host::OpcjeImportu options;
    const char* reason;
};

TEST(BadInput, EachFileIsRefusedWithItsReason) {
    const Bad cases[] = {
        {"missing file", [] { return tempPath("nowhere.png"); }, {}, "no such file"},
        {"empty file", [] { return writeBytes("empty.png", {}); }, {}, "empty file"},
        {"text", [] { return writeBytes("notes.png", "periods: none\n"); }, {}, "not an image"},
        {"short PNG", [] { return truncated("short.png", "PNG"); }, {}, "truncated or damaged PNG"},
        {"short JPEG", [] { return truncated("short.jpg", "JPEG"); }, {}, "truncated JPEG"},
        {"short BMP", [] { return truncated("short.bmp", "BMP"); }, {}, "truncated BMP"},
        {"short TIFF",
         [] { return truncated("short.tif", "TIFF"); },
         {},
         "truncated or damaged TIFF"},
        {"tiny",
         [] { return writeBytes("tiny.png", encoded(noisyPaper(40, 30), "PNG")); },
         {},
         "too small (40 x 30 pixels)"},
        {"blank page",
         [] { return writeBytes("blank.png", encoded(noisyPaper(600, 800), "PNG")); },
         {},
         "no chart disc found"},
        {"cut disc", sheetWithCutDisc, {}, "disc 2 of 2 is cut by the bottom edge of the page"},
        {"corner", discOffTheCorner, {}, "disc 1 of 1 is cut by the left and top edges"},
        {"wrong resolution given",
         sheetWithCutDisc,
         {600, -1, 1000},
         "looked for a disc of radius about 1456 px at 600 dpi; the largest circle found has a "
         "radius of 36"},
        {"wrong resolution stated",
         statedWrongly,
         {},
         "about 728 px at 300 dpi (the resolution the file states); the largest circle found "
         "has a radius of 363 px (a standard disc at 150 dpi)"},
        {"too coarse", tooCoarse, {}, "(a standard disc at 50 dpi; scans below 100 dpi are not"},
        {"threshold",
         [] { return tempPath("any.png"); },
         {0, 256, 1000},
         "threshold 256 is out of range"},
        {"resolution",
         [] { return tempPath("any.png"); },
         {20, -1, 1000},
         "resolution 20 dpi is out of range"},
        {"size class",
         [] { return tempPath("any.png"); },
         {0, -1, 900},
         "size class 900 is not one of"},
    };
    for (const Bad& c : cases) {
        const QString file = c.make();
        try {
            host::WczytajSkan(file, c.options);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const host::BladImportu& e) {
            EXPECT_EQ(e.plik(), file) << c.name;
            EXPECT_TRUE(e.komunikat().startsWith(QDir::toNativeSeparators(file) + ": ")) << c.name;
            EXPECT_TRUE(e.opis().contains(QString::fromUtf8(c.reason)))
                << c.name << ": " << e.what();
        }
    }
}

// The file's stated resolution is used when the disc agrees with it; otherwise the disc's
// size tells, rounded to a usual scanner resolution when one is close.
TEST(Resolution, FromTheFileFromTheOptionOrFromTheDisc) {
    const Page300 page = page300(1560, 1560, {0}, {{780, 780}});
    const QImage at150 = scanOf(page, 150, nullptr);
    const QImage at254 = scanOf(page, 254, nullptr);
    struct Case {
        const char* name;
        const QImage* image;
        int fileDpi;
        int optionDpi;
        double want;
        double tolerance;
    };
    const Case cases[] = {
        {"stated", &at150, 150, 0, 150, 0},
        {"Qt's default 96", &at150, 0, 0, 150, 0},
        {"given, file states wrongly", &at150, 300, 150, 150, 0},
        {"unusual, stated", &at254, 254, 0, 254, 0},
        {"unusual, inferred", &at254, 0, 0, 254, 1.5},
    };
    for (const Case& c : cases) {
        const QString file = save(*c.image, QStringLiteral("res_%1.png").arg(c.fileDpi), c.fileDpi);
        host::OpcjeImportu o;
        o.dpi = c.optionDpi;
        const auto discs = host::WczytajSkan(file, o);
        ASSERT_EQ(discs.size(), 1u) << c.name;
        EXPECT_NEAR(discs[0].dpi, c.want, c.tolerance) << c.name;
        EXPECT_NEAR(discs[0].promien, 727, 3) << c.name;
    }
}

TEST(Threshold, TheOverrideIsHonoured) {
    const Page300 page = page300(1560, 1560, {1}, {{780, 780}});
    const QString file = save(scanOf(page, 200, nullptr), "override.png", 200);
    const auto automatic = host::WczytajSkan(file);
    ASSERT_EQ(automatic.size(), 1u);
    // Between ink (28) and paper (232) and clear of their grain.
    EXPECT_GT(automatic[0].prog, 60);
    EXPECT_LT(automatic[0].prog, 200);

    int previous = 0;
    for (int prog : {100, automatic[0].prog, 180}) {
        host::OpcjeImportu o;
        o.prog = prog;
        const auto discs = host::WczytajSkan(file, o);
        ASSERT_EQ(discs.size(), 1u) << prog;
        EXPECT_EQ(discs[0].prog, prog);
        // A higher threshold takes more of the soft stroke edges for ink.
        const int dark = darkCount(discs[0].bitmapa);
        EXPECT_GT(dark, previous) << prog;
        previous = dark;
    }
}

} // namespace
