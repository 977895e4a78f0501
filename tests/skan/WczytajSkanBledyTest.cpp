// Files the import must refuse, each with a message that names the file and the reason.

#include "SkanFixtures.h"

#include "chartgen/SampleCharts.h"
#include "chartgen/ScanLikeRender.h"
#include "skan/WczytajSkan.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
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

// A square of one grey with grain of the given spread.
QImage flat(int side, int grey, int grain) {
    QImage img(side, side * 1414 / 1000, QImage::Format_Grayscale8);
    unsigned v = 777;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            v = v * 1103515245u + 12345u;
            const int n = grain ? int((v >> 16) % unsigned(2 * grain + 1)) - grain : 0;
            img.scanLine(y)[x] = uchar(std::clamp(grey + n, 0, 255));
        }
    return img;
}

// A scan-like disc whose right side lies beyond the page.
QImage scanLikeCut() {
    QString error;
    chartgen::ScanLikeOptions o;
    const auto d = chartgen::renderScanLike(chartgen::scanLikeCharts().front().spec,
                                            chartGeometry(), o, &error);
    EXPECT_TRUE(d) << error.toStdString();
    if (!d) return {};
    return d->image.copy(0, 0, int(d->centre.x() + 600), d->image.height());
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
        {"resolution given wrongly",
         [] { return scanned("given_wrongly.png", 150, 150); },
         {300, -1, 1000},
         "no chart disc found on the page; looked for a disc of radius about 729 px at 300 dpi; "
         "the disc found has a radius of 364 px (a standard disc at 150 dpi)"},
        {"too coarse",
         [] { return scanned("coarse.png", 80, 0); },
         {},
         "(a standard disc at 80 dpi; scans below 100 dpi are not"},
        {"solid black square",
         [] { return save(flat(900, 0, 0), "black.png"); },
         {},
         "no chart disc found"},
        {"solid grey square",
         [] { return save(flat(900, 128, 0), "grey.png"); },
         {},
         "no chart disc found"},
        {"blank A4 page at 150 dpi",
         [] { return save(flat(1240, 245, 3), "blank_a4.jpg", 150); },
         {},
         "no chart disc found"},
        {"scan-like disc cut by the page edge",
         [] { return save(scanLikeCut(), "cut_scan_like.jpg", 300); },
         {},
         "disc 1 of 1 is cut by the right edge of the page"},
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
