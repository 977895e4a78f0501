#include "skan/WczytajSkan.h"

#include "skan/DiscCut.h"
#include "skan/RingFinder.h"
#include "skan/ScanFile.h"
#include "skan/Threshold.h"

#include <QDir>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace host {

BladImportu::BladImportu(const QString& plik, const QString& opis)
    : std::runtime_error(
          QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(plik), opis).toStdString()),
      plik_(plik), opis_(opis) {}

namespace {

// Radius of the printed outer line of a standard 123 mm disc at 300 dpi, to the middle of the
// line (real scans measure 729 to 731 px, the generator draws it at 727.5).
constexpr double kDiscRadius300 = 729.0;
// The reader's bands (distance and activity) at 300 dpi: the threshold is chosen from them.
constexpr double kBandsFrom300 = 230.0, kBandsTo300 = 460.0;
// Smaller than this cannot hold a disc at any resolution worth reading.
constexpr int kMinSide = 128;
// Below this no printed ring survives the scan; above the upper bound a stated resolution is
// more likely a mistake than a scanner's. Files without a real value state 72 or 96 dpi.
constexpr double kMinDpi = 100, kMaxStatedDpi = 2400;
// A radius-based estimate this close to a usual scanner resolution is that resolution.
constexpr double kUsualDpi[] = {100, 150, 200, 240, 300, 400, 600, 1200};
constexpr double kSnapShare = 0.04;
// A stated resolution this close to the disc's own size is taken as it stands; further off,
// the disc's size wins.
constexpr double kAgreeShare = 0.08;
// An explicit resolution looks for discs this close to the size it gives.
constexpr double kExplicitShare = 0.10;
// A disc may reach this far (share of its radius, at least 2 px) beyond the page edge.
constexpr double kCutShare = 0.01;

void checkOptions(const QString& plik, const OpcjeImportu& o) {
    if (o.dpi != 0 && (o.dpi < 50 || o.dpi > 4800))
        throw BladImportu(plik, QStringLiteral("resolution %1 dpi is out of range (0 for "
                                               "automatic, or 50..4800)")
                                    .arg(o.dpi));
    if (o.prog < -1 || o.prog > 255)
        throw BladImportu(plik, QStringLiteral("threshold %1 is out of range (-1 for "
                                               "automatic, or 0..255)")
                                    .arg(o.prog));
    if (o.rozmiar != 800 && o.rozmiar != 1000 && o.rozmiar != 1500)
        throw BladImportu(
            plik, QStringLiteral("size class %1 is not one of 800, 1000, 1500").arg(o.rozmiar));
}

// The size class of a square image that is a chart cut already: its side, taken at dpi, is
// one of the reader's classes (no scanned page has exactly those sizes). 0: none.
int cutClass(const QImage& image, double dpi) {
    if (image.width() != image.height()) return 0;
    const double side = image.width() * 300.0 / dpi;
    for (int c : {800, 1000, 1500})
        if (std::fabs(side - c) < 0.5) return c;
    return 0;
}

// A chart cut already is binarised where it lies (so a black-and-white one at 300 dpi keeps
// every pixel), or scaled around its middle from another resolution.
TarczaZeSkanu asCut(const QImage& grey, int size, double dpi, int given) {
    const double f = dpi / 300.0;
    const QPointF centre((size / 2.0 + 0.5) * f - 0.5, (size / 2.0 + 0.5) * f - 0.5);
    const int prog =
        given >= 0 ? given : skan::bandThreshold(grey, centre, kBandsFrom300 * f, kBandsTo300 * f);
    TarczaZeSkanu t;
    t.x0 = t.y0 = size / 2.0;
    t.ramka = QRect(0, 0, grey.width(), grey.height());
    t.dpi = dpi;
    t.prog = prog;
    // The class's centre pixel, carried to this resolution.
    t.srodek = centre;
    if (grey.width() != size) {
        t.bitmapa = skan::cutDisc(grey, {t.srodek, 1.0 / f, size, 0}, prog);
        return t;
    }
    t.bitmapa = Bitmap32(size, size, clWhite32);
    for (int y = 0; y < size; ++y) {
        const uchar* row = grey.constScanLine(y);
        TColor32* out = t.bitmapa.scanLine(y);
        for (int x = 0; x < size; ++x)
            if (row[x] <= prog) out[x] = clBlack32;
    }
    return t;
}

double expectedRadius(double dpi) {
    return kDiscRadius300 * dpi / 300.0;
}

double inferredDpi(double radius) {
    const double est = 300.0 * radius / kDiscRadius300;
    for (double usual : kUsualDpi)
        if (std::fabs(est - usual) <= kSnapShare * usual) return usual;
    return est;
}

struct Disc {
    skan::Circle circle; // the printed outer line, page pixels
    double dpi = 0;
};

// Rows top to bottom, each left to right. A disc whose centre lies less than one radius below
// the centre of the first disc of the current row belongs to that row.
void readingOrder(std::vector<Disc>& discs) {
    auto byY = [](const Disc& a, const Disc& b) { return a.circle.cy < b.circle.cy; };
    auto byX = [](const Disc& a, const Disc& b) { return a.circle.cx < b.circle.cx; };
    std::sort(discs.begin(), discs.end(), byY);
    auto rowStart = discs.begin();
    for (auto it = discs.begin(); it != discs.end(); ++it) {
        if (it->circle.cy - rowStart->circle.cy < rowStart->circle.r) continue;
        std::sort(rowStart, it, byX);
        rowStart = it;
    }
    std::sort(rowStart, discs.end(), byX);
}

QStringList cutEdges(const skan::Circle& c, int width, int height) {
    const double tol = std::max(2.0, kCutShare * c.r);
    QStringList edges;
    if (c.cx - c.r < -0.5 - tol) edges << QStringLiteral("left");
    if (c.cy - c.r < -0.5 - tol) edges << QStringLiteral("top");
    if (c.cx + c.r > width - 0.5 + tol) edges << QStringLiteral("right");
    if (c.cy + c.r > height - 0.5 + tol) edges << QStringLiteral("bottom");
    return edges;
}

QString joinEdges(const QStringList& edges) {
    if (edges.size() == 1) return QStringLiteral("the %1 edge").arg(edges[0]);
    QStringList head = edges;
    const QString last = head.takeLast();
    return QStringLiteral("the %1 and %2 edges").arg(head.join(QStringLiteral(", ")), last);
}

} // namespace

std::vector<TarczaZeSkanu> WczytajSkan(const QString& plik, const OpcjeImportu& opcje) {
    checkOptions(plik, opcje);
    const skan::DecodedScan scan = skan::decodeScan(plik);
    return WczytajObraz(scan.image, scan.metadataDpi, plik, opcje);
}

std::vector<TarczaZeSkanu> WczytajObraz(const QImage& obraz, double dpiPliku, const QString& plik,
                                        const OpcjeImportu& opcje) {
    checkOptions(plik, opcje);
    const int width = obraz.width(), height = obraz.height();
    if (width < kMinSide || height < kMinSide)
        throw BladImportu(plik, QStringLiteral("image too small (%1 x %2 pixels) to hold a chart "
                                               "disc; at least %3 x %3 are needed")
                                    .arg(width)
                                    .arg(height)
                                    .arg(kMinSide));
    const QImage grey = skan::toGrey(obraz);
    const int given = opcje.prog;

    // The resolution: given, else stated by the file, else told by each disc's size.
    const bool stated = dpiPliku >= kMinDpi && dpiPliku <= kMaxStatedDpi;
    const double knownDpi = opcje.dpi > 0 ? opcje.dpi : stated ? dpiPliku : 0;

    // A reader's class as it stands is a chart cut already: its inner rings must not be
    // taken for a smaller disc.
    if (const int size = cutClass(grey, 300)) return {asCut(grey, size, 300, given)};

    // The scale comes from the disc's printed outer line. A resolution given in the options is
    // the user's word: a disc of another size is not read. One the file states is taken when
    // the disc agrees with it, and otherwise the disc wins: files often carry a default or a
    // value lost in a conversion, while every chart disc has the same printed size.
    const std::vector<skan::RingDisc> found = skan::findRingDiscs(grey);
    std::vector<Disc> discs;
    const skan::RingDisc* refused = nullptr;
    for (const skan::RingDisc& d : found) {
        const double r = d.edge.r;
        if (opcje.dpi > 0) {
            const double want = expectedRadius(opcje.dpi);
            if (std::fabs(r - want) <= kExplicitShare * want)
                discs.push_back({d.edge, double(opcje.dpi)});
            else if (!refused)
                refused = &d;
        } else if (stated && std::fabs(r - expectedRadius(dpiPliku)) <=
                                 kAgreeShare * expectedRadius(dpiPliku)) {
            discs.push_back({d.edge, dpiPliku});
        } else if (const double dpi = inferredDpi(r); dpi >= kMinDpi) {
            discs.push_back({d.edge, dpi});
        } else if (!refused) {
            refused = &d;
        }
    }
    if (discs.empty()) {
        // A reader's class scanned at the known resolution holds no whole disc either.
        if (knownDpi > 0)
            if (const int size = cutClass(grey, knownDpi))
                return {asCut(grey, size, knownDpi, given)};
        QString why = QStringLiteral("no chart disc found on the page");
        if (!refused)
            why += QStringLiteral(" (no printed outer line with rings inside around one centre)");
        if (opcje.dpi > 0)
            why += QStringLiteral("; looked for a disc of radius about %1 px at %2 dpi")
                       .arg(qRound(expectedRadius(opcje.dpi)))
                       .arg(opcje.dpi);
        if (refused) {
            const double r = refused->edge.r;
            why += QStringLiteral("; the disc found has a radius of %1 px (a standard disc at "
                                  "%2 dpi")
                       .arg(qRound(r))
                       .arg(qRound(300.0 * r / kDiscRadius300));
            if (opcje.dpi <= 0)
                why += QStringLiteral("; scans below %1 dpi are not read").arg(kMinDpi);
            why += QLatin1Char(')');
        }
        throw BladImportu(plik, why);
    }
    readingOrder(discs);

    QStringList cut;
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const QStringList edges = cutEdges(discs[i].circle, width, height);
        if (!edges.isEmpty())
            cut << QStringLiteral("disc %1 of %2 is cut by %3 of the page")
                       .arg(i + 1)
                       .arg(discs.size())
                       .arg(joinEdges(edges));
    }
    if (!cut.isEmpty()) throw BladImportu(plik, cut.join(QStringLiteral("; ")));

    std::vector<TarczaZeSkanu> out;
    for (const Disc& d : discs) {
        const skan::Circle& c = d.circle;
        const double dpi = d.dpi, scale = 300.0 / dpi;
        TarczaZeSkanu t;
        t.dpi = dpi;
        const int prog = given >= 0
                             ? given
                             : skan::bandThreshold(grey, QPointF(c.cx, c.cy), kBandsFrom300 / scale,
                                                   kBandsTo300 / scale);
        t.prog = prog;
        t.srodek = QPointF(c.cx, c.cy);
        t.promien = c.r * scale;
        t.x0 = t.y0 = opcje.rozmiar / 2.0;
        t.ramka = QRect(QPoint(int(std::floor(c.cx - c.r)), int(std::floor(c.cy - c.r))),
                        QPoint(int(std::ceil(c.cx + c.r)), int(std::ceil(c.cy + c.r))));
        // The outer line itself stays; whatever lies beyond it is not the disc.
        t.bitmapa = skan::cutDisc(grey, {t.srodek, scale, opcje.rozmiar, t.promien + 3}, prog);
        out.push_back(std::move(t));
    }
    return out;
}

} // namespace host
