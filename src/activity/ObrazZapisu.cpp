#include "activity/ObrazZapisu.h"

#include <algorithm>
#include <array>
#include <exception>
#include <system_error>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QRgb kCzarny = 0xff000000u, kBialy = 0xffffffffu;

// Bit order of a byte reversed: the vector compare gives the first pixel in the low bit.
constexpr std::array<uchar, 256> odwrocone = [] {
    std::array<uchar, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int r = 0;
        for (int k = 0; k < 8; ++k)
            r |= ((b >> k) & 1) << (7 - k);
        t[static_cast<std::size_t>(b)] = static_cast<uchar>(r);
    }
    return t;
}();

// Pixels p[0..n) (n at most 8) to one byte, the first in the high bit, 1 for black; inny is
// set when one of them is neither black nor white.
uchar bajt(const QRgb* p, int n, bool& inny) {
    unsigned b = 0;
    for (int k = 0; k < n; ++k) {
        b |= unsigned(p[k] == kCzarny) << (7 - k);
        inny |= (p[k] != kCzarny) & (p[k] != kBialy);
    }
    return static_cast<uchar>(b);
}

// One row; false when a pixel is neither black nor white.
bool spakuj_wiersz(const QRgb* p, int szer, uchar* bity) {
    int x = 0;
    bool inny = false;
#if defined(__SSE2__)
    // Sixteen pixels a step: compared with black and with white, the black marks packed to
    // one bit each.
    const __m128i czarny = _mm_set1_epi32(static_cast<int>(kCzarny));
    const __m128i bialy = _mm_set1_epi32(static_cast<int>(kBialy));
    __m128i dobre = _mm_set1_epi32(-1);
    for (; x + 16 <= szer; x += 16) {
        __m128i c[4];
        for (int i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x + 4 * i));
            c[i] = _mm_cmpeq_epi32(v, czarny);
            dobre = _mm_and_si128(dobre, _mm_or_si128(c[i], _mm_cmpeq_epi32(v, bialy)));
        }
        const __m128i znaki =
            _mm_packs_epi16(_mm_packs_epi32(c[0], c[1]), _mm_packs_epi32(c[2], c[3]));
        const unsigned m = static_cast<unsigned>(_mm_movemask_epi8(znaki));
        bity[x / 8] = odwrocone[m & 0xffu];
        bity[x / 8 + 1] = odwrocone[m >> 8];
    }
    inny = _mm_movemask_epi8(dobre) != 0xffff;
#endif
    for (; x < szer; x += 8)
        bity[x / 8] = bajt(p + x, std::min(8, szer - x), inny);
    return !inny;
}

// Written data on the disk before the rows that name the picture are committed.
bool na_dysk(QSaveFile& plik) {
    if (!plik.flush()) return false;
#if defined(Q_OS_LINUX)
    return ::fdatasync(plik.handle()) == 0;
#elif defined(Q_OS_UNIX)
    return ::fsync(plik.handle()) == 0;
#else
    return true; // commit() syncs it
#endif
}

} // namespace

QImage obraz_do_zapisu(const QImage& obraz) {
    if (obraz.format() != QImage::Format_ARGB32) return obraz;
    const int szer = obraz.width(), wys = obraz.height();
    QImage mono(szer, wys, QImage::Format_Mono);
    if (mono.isNull()) return obraz;
    mono.setColorTable({kBialy, kCzarny});
    for (int y = 0; y < wys; ++y) {
        uchar* bity = mono.scanLine(y);
        // The padding to 32 bits stays 0, as the last byte's spare bits do.
        std::fill(bity + (szer + 7) / 8, bity + mono.bytesPerLine(), uchar(0));
        if (!spakuj_wiersz(reinterpret_cast<const QRgb*>(obraz.constScanLine(y)), szer, bity))
            return obraz;
    }
    return mono;
}

ObrazZapisu::~ObrazZapisu() {
    porzuc();
}

void ObrazZapisu::zacznij(const host::Bitmap32& obraz, const QString& sciezka) {
    porzuc();
    plik_ = std::make_unique<QSaveFile>(sciezka);
    zapisany_ = false;
    auto pisz = [this, &obraz] {
        try {
            zapisany_ = plik_->open(QIODevice::WriteOnly) &&
                        obraz_do_zapisu(obraz.image()).save(plik_.get(), "BMP") && na_dysk(*plik_);
        } catch (const std::exception&) {
            zapisany_ = false; // out of memory: reported as a picture not written
        }
    };
    // The thread has the file and the picture to itself until the join. Without a thread
    // to be had the picture is written here.
    try {
        watek_ = std::thread(pisz);
    } catch (const std::system_error&) {
        pisz();
    }
}

bool ObrazZapisu::zaczekaj() {
    if (watek_.joinable()) watek_.join();
    if (!zapisany_) plik_.reset(); // the temporary file goes with it
    return plik_ != nullptr;
}

bool ObrazZapisu::przenies() {
    const bool ok = zaczekaj() && plik_->commit();
    plik_.reset();
    return ok;
}

void ObrazZapisu::porzuc() {
    if (watek_.joinable()) watek_.join();
    plik_.reset();
}
