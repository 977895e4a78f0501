#pragma once
// Import of scanned charts: turns a scanned page (BMP, PNG, JPEG, TIFF; grey, colour or
// black-and-white; any resolution; one or several discs) into the pictures the chart reader
// expects: one black-and-white bitmap per disc, the disc scaled to the 300 dpi geometry and
// its centre in the middle of an image of a reader's size class. docs/import.md describes the
// method and every choice.

#include "host/Bitmap32.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <stdexcept>
#include <vector>

namespace host {

struct OpcjeImportu {
    // Resolution of the scan in dots per inch, 50..4800, taken as it stands (for files that
    // state none or a wrong one). 0: the resolution the file states when it is 100..2400 dpi
    // (72 and 96 are what files without one read as), else inferred from each disc's radius.
    int dpi = 0;
    // Global threshold on the grey levels 0..255: a pixel at or below it is ink. -1: Otsu's
    // threshold of the page's histogram.
    int prog = -1;
    // Size class of the bitmaps produced: 800, 1000 or 1500 pixels square, the disc centre at
    // the half size. 1000 keeps every band the reader looks at; 1500 keeps the whole disc.
    int rozmiar = 1000;
};

struct TarczaZeSkanu {
    Bitmap32 bitmapa; // rozmiar x rozmiar, pixels 0xFF000000 (ink) and 0xFFFFFFFF only
    double x0 = 0;    // disc centre in bitmapa: the half size
    double y0 = 0;
    double promien = 0; // radius of the disc's edge in bitmapa's pixels; 0: a chart cut already
    QRect ramka;        // the disc's bounding square on the page (page pixels)
    double dpi = 0;     // resolution the disc was scaled from
    // For the caller's own records and checks:
    QPointF srodek; // disc centre on the page (page pixels, pixel centres at whole numbers)
    int prog = 0;   // the threshold used
};

// A file that cannot be turned into chart pictures. what() is "file: reason".
class BladImportu : public std::runtime_error {
public:
    BladImportu(const QString& plik, const QString& opis);

    const QString& plik() const { return plik_; }
    const QString& opis() const { return opis_; }
    QString komunikat() const { return QString::fromUtf8(what()); }

private:
    QString plik_;
    QString opis_;
};

// The discs of one scanned file, in reading order (rows top to bottom, each row left to
// right). A square image of a reader's size class (800, 1000 or 1500) is one chart cut
// already: it is only binarised, so a black-and-white one passes unchanged. So is a square
// that holds no disc and is such a class at the resolution given or stated (then scaled). Throws
// BladImportu for a file that cannot be read, is not an image, is truncated, empty or tiny, holds
// no disc, or holds a disc cut by the page edge; and for options out of range. Safe to call from
// several threads at once.
std::vector<TarczaZeSkanu> WczytajSkan(const QString& plik, const OpcjeImportu& opcje = {});

// The same for a page decoded already (grey, colour or black-and-white): dpiPliku is the
// resolution it states (0: none), plik only names it in messages.
std::vector<TarczaZeSkanu> WczytajObraz(const QImage& obraz, double dpiPliku, const QString& plik,
                                        const OpcjeImportu& opcje = {});

} // namespace host
