#pragma once
// 32-bit ARGB bitmap on a QImage (Format_ARGB32), the picture type of the analysis and the
// views. Pixels are TColor32 values 0xAARRGGBB; off-bitmap reads answer the outer colour 0.

#include <QImage>
#include <QString>

#include <cstdint>

namespace host {

using TColor32 = std::uint32_t;
using TColor = std::int32_t; // Windows colour value 0x00BBGGRR

constexpr TColor32 Color32(int r, int g, int b, int a = 255) {
    return (TColor32(a & 0xFF) << 24) | (TColor32(r & 0xFF) << 16) | (TColor32(g & 0xFF) << 8) |
           TColor32(b & 0xFF);
}

// Graphics32 WinColor: drops alpha and swaps to the Windows 0x00BBGGRR order.
constexpr TColor WinColor(TColor32 c) {
    return TColor(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

constexpr TColor32 clBlack32 = 0xFF000000u;
constexpr TColor32 clWhite32 = 0xFFFFFFFFu;

class Bitmap32 {
public:
    Bitmap32() = default;
    Bitmap32(int width, int height, TColor32 fill = clWhite32);
    explicit Bitmap32(QImage image); // converted to ARGB32

    int width() const { return img_.width(); }
    int height() const { return img_.height(); }
    bool empty() const { return img_.isNull(); }

    void SetSize(int width, int height, TColor32 fill = clWhite32);
    void Clear(TColor32 colour);

    // Bounds-checked access: off the bitmap GetPixelS answers 0 and SetPixelS does nothing.
    TColor32 GetPixelS(int x, int y) const {
        if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height()) return 0;
        return scanLine(y)[x];
    }
    void SetPixelS(int x, int y, TColor32 c) {
        if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height()) return;
        scanLine(y)[x] = c;
    }

    // Raw rows for the readers; no bounds checks.
    const TColor32* scanLine(int y) const {
        return reinterpret_cast<const TColor32*>(img_.constScanLine(y));
    }
    TColor32* scanLine(int y) { return reinterpret_cast<TColor32*>(img_.scanLine(y)); }

    // Copies src onto this bitmap with its top-left corner at (x, y), clipped.
    void Draw(int x, int y, const Bitmap32& src);

    // Load a BMP/PNG (or any format Qt reads); a 1-bit scan loads with black as 0xFF000000.
    // Returns false and fills error when the file cannot be read as an image.
    bool LoadFromFile(const QString& path, QString* error = nullptr);
    bool SaveToFile(const QString& path, QString* error = nullptr) const; // by extension

    QImage& image() { return img_; }
    const QImage& image() const { return img_; }

private:
    QImage img_;
};

} // namespace host
