#include "skan/ScanFile.h"

#include "skan/WczytajSkan.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace host::skan {

namespace {

// What a scanner writes, and what Qt decodes without guessing: the TGA and similar handlers
// would take almost any bytes for a picture.
bool supportedFormat(const QByteArray& f) {
    static const char* const known[] = {"bmp", "png",  "jpeg", "jpg", "tiff", "tif",
                                        "gif", "webp", "pbm",  "pgm", "ppm"};
    for (const char* k : known)
        if (f == k) return true;
    return false;
}

std::uint32_t le32(const QByteArray& d, int at) {
    if (at + 4 > d.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const QByteArray& d, int at) {
    if (at + 2 > d.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return std::uint16_t(p[0] | p[1] << 8);
}

// Qt's BMP reader fills missing rows with zeros and reports success.
bool bmpTruncated(const QByteArray& d) {
    if (d.size() < 26 || !d.startsWith("BM")) return false;
    const qint64 offBits = le32(d, 10);
    const std::uint32_t headerSize = le32(d, 14);
    qint64 w = 0, h = 0, bpp = 0, compression = 0, sizeImage = 0;
    if (headerSize == 12) {
        w = le16(d, 18);
        h = le16(d, 20);
        bpp = le16(d, 24);
    } else if (headerSize >= 40) {
        w = std::int32_t(le32(d, 18));
        h = std::abs(std::int32_t(le32(d, 22)));
        bpp = le16(d, 28);
        compression = le32(d, 30);
        sizeImage = le32(d, 34);
    } else {
        return false;
    }
    if (compression == 0 || compression == 3 || compression == 6) {
        if (w <= 0 || h <= 0 || bpp <= 0) return false;
        const qint64 rowBytes = (w * bpp + 7) / 8;
        const qint64 stride = (w * bpp + 31) / 32 * 4;
        // The last row's padding is sometimes left out; the pixels themselves must be there.
        return d.size() < offBits + stride * (h - 1) + rowBytes;
    }
    return sizeImage > 0 && d.size() < offBits + sizeImage;
}

// libjpeg pads a short file with grey and only warns. Every complete file ends its last scan
// with the end-of-image marker; inside entropy-coded data 0xFF is never followed by 0xD9 or
// 0xDA, so the last start-of-scan must be followed by an end-of-image.
bool jpegTruncated(const QByteArray& d) {
    const qsizetype sos = d.lastIndexOf(QByteArrayLiteral("\xFF\xDA"));
    const qsizetype eoi = d.lastIndexOf(QByteArrayLiteral("\xFF\xD9"));
    return sos < 0 || eoi < sos;
}

} // namespace

bool looksTruncated(const QByteArray& data, const QByteArray& format) {
    if (format == "jpeg" || format == "jpg") return jpegTruncated(data);
    if (format == "bmp") return bmpTruncated(data);
    return false;
}

DecodedScan decodeScan(const QString& path) {
    auto fail = [&](const QString& why) { return BladImportu(path, why); };
    const QFileInfo info(path);
    if (!info.exists()) throw fail(QStringLiteral("no such file"));
    if (info.isDir()) throw fail(QStringLiteral("is a folder, not an image file"));
    if (!info.isFile())
        throw fail(QStringLiteral("is not a regular file (a pipe, socket or device); save the "
                                  "scan to a file and give its name"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw fail(QStringLiteral("cannot be opened (%1)").arg(file.errorString()));
    QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) throw fail(QStringLiteral("empty file (0 bytes)"));

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(2048); // MB: above what kMaxScanPixels decodes to
    const QByteArray format = reader.format().toLower();
    if (format.isEmpty() || !supportedFormat(format))
        throw fail(QStringLiteral("not an image (the content is not BMP, PNG, JPEG, TIFF, GIF, "
                                  "WebP or PNM)"));
    // The header tells the size; a decoder that cannot tell it before decoding is held to the
    // allocation limit instead.
    const QSize announced = reader.size();
    const qint64 pixels =
        announced.isValid() ? qint64(announced.width()) * announced.height() : kMaxScanPixels;
    if (pixels > kMaxScanPixels)
        throw fail(QStringLiteral("picture too large for a scan (%1 x %2 pixels, %3 million); "
                                  "at most %4 million pixels are read (an A3 page at 600 dpi "
                                  "has 70 million)")
                       .arg(announced.width())
                       .arg(announced.height())
                       .arg(pixels / 1'000'000)
                       .arg(kMaxScanPixels / 1'000'000));
    DecodedScan out;
    out.format = format;
    // Decoded picture (up to 4 bytes a pixel), its grey copy and the file's bytes.
    out.lease = DecodeBudget::forScans().acquire(pixels * 5 + bytes.size());
    if (!reader.read(&out.image) || out.image.isNull()) {
        throw fail(announced.isValid() && announced.isEmpty()
                       ? QStringLiteral("empty image (%1 x %2 pixels)")
                             .arg(announced.width())
                             .arg(announced.height())
                       : QStringLiteral("truncated or damaged %1 image (%2)")
                             .arg(QString::fromLatin1(format.toUpper()), reader.errorString()));
    }
    if (looksTruncated(bytes, format))
        throw fail(QStringLiteral("truncated %1 image: the file ends before its picture data")
                       .arg(QString::fromLatin1(format.toUpper())));
    // Files store whole dots per inch or whole dots per metre; the latter round back to the
    // resolution they were written from.
    if (out.image.dotsPerMeterX() > 0)
        out.metadataDpi = std::round(out.image.dotsPerMeterX() * 0.0254);
    return out;
}

} // namespace host::skan
