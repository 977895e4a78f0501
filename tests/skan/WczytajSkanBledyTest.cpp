// Files the import must refuse, each with a message that names the file and the reason.

#include "SkanFixtures.h"

#include "skan/WczytajSkan.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace skantest;

namespace {

QString writeBytes(const QString& name, const QByteArray& bytes) {
    const QString path = tempPath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

// Grain on paper, PNG-encoded: compresses badly, so a cut file loses picture data.
QByteArray noisyPng(int w, int h) {
    QImage img(w, h, QImage::Format_Grayscale8);
    unsigned v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            v = v * 1103515245u + 12345u;
            img.scanLine(y)[x] = uchar(200 + (v >> 16) % 40);
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(img.save(&buffer, "PNG"));
    return bytes;
}

QString scanned(const char* name, int dpi, int fileDpi, QPointF centre = {750, 750}) {
    return save(scanOf(page300(1500, 1500, {0}, {centre}), dpi, nullptr), name, fileDpi);
}

} // namespace

TEST(BadInput, EachFileIsRefusedWithItsReason) {
    const struct {
        const char* name;
        std::function<QString()> make;
        host::OpcjeImportu options;
        const char* reason;
    } cases[] = {
        {"missing file", [] { return tempPath("nowhere.png"); }, {}, "no such file"},
        {"empty file", [] { return writeBytes("empty.png", {}); }, {}, "empty file"},
        {"text", [] { return writeBytes("notes.png", "periods: none\n"); }, {}, "not an image"},
        {"short PNG",
         [] {
             const QByteArray whole = noisyPng(400, 300);
             return writeBytes("short.png", whole.left(whole.size() * 6 / 10));
         },
         {},
         "truncated or damaged PNG"},
        {"tiny",
         [] { return writeBytes("tiny.png", noisyPng(40, 30)); },
         {},
         "too small (40 x 30 pixels)"},
        {"blank page",
         [] { return writeBytes("blank.png", noisyPng(600, 800)); },
         {},
         "no chart disc found"},
        {"corner",
         [] {
             return scanned("cut_corner.png", 150, 150, {700, 650});
         },
         {},
         "disc 1 of 1 is cut by the left and top edges"},
        {"wrong resolution stated",
         [] { return scanned("stated_wrongly.png", 150, 300); },
         {},
         "about 728 px at 300 dpi (the resolution the file states); the largest circle found "
         "has a radius of 363 px (a standard disc at 150 dpi)"},
        {"too coarse",
         [] { return scanned("coarse.png", 100, 0); },
         {},
         "(a standard disc at 50 dpi; scans below 100 dpi are not"},
        {"threshold", [] { return tempPath("any.png"); }, {0, 256, 1000}, "threshold 256 is out"},
        // Refused from the header, before a decoder allocates the picture.
        {"huge picture",
         [] { return writeBytes("huge.pbm", "P4\n20000 20000\n"); },
         {},
         "picture too large for a scan (20000 x 20000 pixels, 400 million); at most 100 "
         "million pixels are read (an A3 page at 600 dpi has 70 million)"},
        {"just above the limit",
         [] { return writeBytes("above.pgm", "P5\n10000 10001\n255\n"); },
         {},
         "(10000 x 10001 pixels, 100 million)"},
        // An A3 page at 600 dpi passes the size check and is decoded (and found short).
        {"A3 at 600 dpi",
         [] { return writeBytes("a3.pgm", "P5\n7016 9921\n255\n"); },
         {},
         "truncated or damaged PGM"},
        {"pipe",
         [] {
             const QString path = tempPath("scan.fifo");
             QFile::remove(path);
             EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
             return path;
         },
         {},
         "is not a regular file (a pipe, socket or device); save the scan to a file and give "
         "its name"},
    };
    for (const auto& c : cases) {
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
