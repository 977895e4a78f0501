#pragma once
// Reading a scan file into an image: the checks that turn the decoders' silent partial
// results into errors, and the resolution the file states.

#include "skan/DecodeBudget.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace host::skan {

// The largest picture read: an A3 page scanned at 600 dpi is 7016 x 9921 pixels (70 million).
// Larger ones cannot be a scan of charts and would take gigabytes to decode.
constexpr qint64 kMaxScanPixels = 100'000'000;

struct DecodedScan {
    QImage image;
    QByteArray format;      // "png", "jpeg", ...
    double metadataDpi = 0; // horizontal resolution the file states; 0 when none
    // The page's share of DecodeBudget::forScans(); keep the scan while its picture and
    // what is made from it are alive.
    DecodeBudget::Lease lease;
};

// Throws host::BladImportu naming the file: missing or unreadable, not a regular file (a pipe
// would block the reading), empty, not an image of a supported kind, larger than
// kMaxScanPixels (checked from the header, before decoding), truncated or damaged. Waits for
// its share of the decoding budget before decoding.
DecodedScan decodeScan(const QString& path);

// True when the file's bytes end before the picture data it announces. Only formats whose
// decoders accept a short file without an error are checked (JPEG, BMP); others answer false.
bool looksTruncated(const QByteArray& data, const QByteArray& format);

} // namespace host::skan
