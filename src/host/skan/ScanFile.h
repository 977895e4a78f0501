#pragma once
// Reading a scan file into an image: the checks that turn the decoders' silent partial
// results into errors, and the resolution the file states.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace host::skan {

struct DecodedScan {
    QImage image;
    QByteArray format;      // "png", "jpeg", ...
    double metadataDpi = 0; // horizontal resolution the file states; 0 when none
};

// Throws host::BladImportu naming the file: missing or unreadable, empty, not an image of a
// supported kind, truncated or damaged.
DecodedScan decodeScan(const QString& path);

// True when the file's bytes end before the picture data it announces. Only formats whose
// decoders accept a short file without an error are checked (JPEG, BMP); others answer false.
bool looksTruncated(const QByteArray& data, const QByteArray& format);

} // namespace host::skan
