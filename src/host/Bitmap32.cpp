#include "host/Bitmap32.h"

#include <QImageReader>
#include <QPainter>

namespace host {

Bitmap32::Bitmap32(int width, int height, TColor32 fill) {
    SetSize(width, height, fill);
}

Bitmap32::Bitmap32(QImage image) : img_(image.convertToFormat(QImage::Format_ARGB32)) {}

void Bitmap32::SetSize(int width, int height, TColor32 fill) {
    img_ = QImage(width, height, QImage::Format_ARGB32);
    img_.fill(fill);
}

void Bitmap32::Clear(TColor32 colour) {
    img_.fill(colour);
}

void Bitmap32::Draw(int x, int y, const Bitmap32& src) {
    if (empty() || src.empty()) return;
    QPainter p(&img_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x, y, src.img_);
}

bool Bitmap32::LoadFromFile(const QString& path, QString* error) {
    QImageReader reader(path);
    QImage loaded;
    if (!reader.read(&loaded)) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, reader.errorString());
        return false;
    }
    // Indexed (1-bit) images convert with their palette, so pure black becomes 0xFF000000.
    img_ = loaded.convertToFormat(QImage::Format_ARGB32);
    return true;
}

bool Bitmap32::SaveToFile(const QString& path, QString* error) const {
    if (!img_.save(path)) {
        if (error) *error = QStringLiteral("%1: cannot write the image").arg(path);
        return false;
    }
    return true;
}

} // namespace host
