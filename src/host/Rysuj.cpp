#include "host/Rysuj.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace host {

namespace {

// Far-off coordinates only waste the rasteriser's time; anything beyond this margin around
// the bitmap is clipped away anyway.
constexpr double kMaxCoord = 1.0e6;

bool usable(double v) {
    return std::isfinite(v) && std::abs(v) < kMaxCoord;
}

QColor toQColor(TColor32 c) {
    return QColor::fromRgba(c);
}

// A painter that writes colours as given: no antialiasing, source replaces destination.
struct ExactPainter {
    explicit ExactPainter(Bitmap32& bmp) : p(&bmp.image()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::CompositionMode_Source);
    }
    QPainter p;
};

TColor32 scaled(TColor32 c, int num, int den) {
    const int r = int((c >> 16) & 0xFF) * num / den;
    const int g = int((c >> 8) & 0xFF) * num / den;
    const int b = int(c & 0xFF) * num / den;
    return Color32(r, g, b, 255);
}

TColor32 blend(TColor32 under, TColor32 over) {
    const unsigned a = over >> 24;
    if (a == 255) return over;
    if (a == 0) return under;
    auto mix = [a](unsigned u, unsigned o) { return (o * a + u * (255 - a) + 127) / 255; };
    const unsigned r = mix((under >> 16) & 0xFF, (over >> 16) & 0xFF);
    const unsigned g = mix((under >> 8) & 0xFF, (over >> 8) & 0xFF);
    const unsigned b = mix(under & 0xFF, over & 0xFF);
    const unsigned ua = under >> 24;
    const unsigned oa = a + (ua * (255 - a) + 127) / 255;
    return (oa << 24) | (r << 16) | (g << 8) | b;
}

double fold360(double a) {
    a = std::fmod(a, 360.0);
    if (a < 0.0) a += 360.0;
    return a;
}

// The geometry of one ring sector and its pixel membership test.
// A run of pixels of one row, both ends included; empty when do_ < od.
struct Przedzial {
    int od = 0, do_ = -1;
};

struct Sector {
    double x0, y0;
    double rOut, rIn;
    double od, span; // start angle 0..360 and length in degrees
    bool full;

    // Directions of the start and the end of the sector, for the half-plane test below.
    double ux = 0, uy = 0, vx = 0, vy = 0;

    void prepare() {
        ux = std::cos(od * M_PI / 180.0);
        uy = std::sin(od * M_PI / 180.0);
        vx = std::cos((od + span) * M_PI / 180.0);
        vy = std::sin((od + span) * M_PI / 180.0);
    }
    // The angle of (dx, dy) lies from od to od + span. Two cross products instead of an atan2
    // per pixel: inside a wedge narrower than a half turn, or outside the (narrower) rest.
    bool containsAngle(double dx, double dy) const {
        if (full) return true;
        const double odStartu = ux * dy - uy * dx; // > 0: turned from the start towards the end
        const double doKonca = dx * vy - dy * vx;  // > 0: not yet past the end
        if (span < 180.0) return odStartu >= 0.0 && doKonca >= 0.0;
        return !(odStartu < 0.0 && doKonca < 0.0);
    }
    // The pixels of the row at dy (centre at cx) that the angle test can pass when the sector
    // is narrower than a half turn, or those it surely fails when it is wider: the exact
    // crossings of the two edges, widened (narrowed) by two pixels against rounding.
    Przedzial wierszKata(double dy, double cx) const {
        constexpr double kDaleko = 1e9;
        double lo = -kDaleko, hi = kDaleko;
        // Each edge: c0 + c1 * dx >= 0; for the excluded part of a wide sector, < 0.
        const bool waski = span < 180.0;
        const auto tnij = [&](double c0, double c1) {
            if (!waski) {
                c0 = -c0;
                c1 = -c1;
            }
            if (c1 > 0.0)
                lo = std::max(lo, -c0 / c1);
            else if (c1 < 0.0)
                hi = std::min(hi, -c0 / c1);
            else if (waski ? c0 < 0.0 : c0 <= 0.0)
                hi = -kDaleko; // on no pixel of the row
        };
        tnij(ux * dy, -uy); // turned from the start
        tnij(-dy * vx, vy); // not past the end
        if (lo > hi) return {};
        const double margines = waski ? 2.0 : -2.0;
        const double a = std::clamp(cx + lo - margines, -kDaleko, kDaleko);
        const double z = std::clamp(cx + hi + margines, -kDaleko, kDaleko);
        if (a > z) return {};
        return {int(std::max(a, -1e8)), int(std::min(z, 1e8))};
    }
    bool contains(int i, int j) const {
        const double dx = i - x0, dy = j - y0;
        const double d2 = dx * dx + dy * dy;
        return d2 <= rOut * rOut && d2 >= rIn * rIn && containsAngle(dx, dy);
    }
};

// Box around a sector: its four corners and the outer edge at every axis direction it spans,
// one pixel wider each side. Pixels outside it cannot lie in the sector, so a short period
// costs its own area instead of the whole disc's.
struct Ramka {
    double xmin, xmax, ymin, ymax;
};

Ramka sectorBounds(const Sector& s) {
    if (s.full) return {s.x0 - s.rOut, s.x0 + s.rOut, s.y0 - s.rOut, s.y0 + s.rOut};
    Ramka b{s.x0, s.x0, s.y0, s.y0};
    const auto add = [&](double katDeg, double r) {
        const double a = katDeg * M_PI / 180.0;
        const double x = s.x0 + r * std::cos(a), y = s.y0 + r * std::sin(a);
        b = {std::min(b.xmin, x), std::max(b.xmax, x), std::min(b.ymin, y), std::max(b.ymax, y)};
    };
    for (const double r : {s.rIn, s.rOut}) {
        add(s.od, r);
        add(s.od + s.span, r);
    }
    for (const double os : {0.0, 90.0, 180.0, 270.0})
        if (fold360(os - s.od) <= s.span) add(os, s.rOut);
    return {b.xmin - 1.0, b.xmax + 1.0, b.ymin - 1.0, b.ymax + 1.0};
}

void stampMarkers(Bitmap32& bmp, const Sector& s, const Bitmap32& styl) {
    if (styl.empty()) return;
    const double rMid = (s.rOut + s.rIn) / 2.0;
    const double span = s.full ? 360.0 : s.span;
    const double arcLength = rMid * span * M_PI / 180.0;
    const int n = std::max(1, int(arcLength / (styl.width() + 2)));
    const int hw = styl.width() / 2, hh = styl.height() / 2;
    for (int k = 0; k < n; ++k) {
        const double a = (s.od + span * (k + 0.5) / n) * M_PI / 180.0;
        const int cx = int(s.x0 + rMid * std::cos(a) + 0.5);
        const int cy = int(s.y0 + rMid * std::sin(a) + 0.5);
        for (int v = 0; v < styl.height(); ++v) {
            const int j = cy - hh + v;
            if (j < 0 || j >= bmp.height()) continue;
            const TColor32* src = styl.scanLine(v);
            TColor32* dst = bmp.scanLine(j);
            for (int u = 0; u < styl.width(); ++u) {
                const int i = cx - hw + u;
                if (i < 0 || i >= bmp.width() || (src[u] >> 24) == 0) continue;
                if (s.contains(i, j)) dst[i] = blend(dst[i], src[u]);
            }
        }
    }
}

} // namespace

TColor32 HatchColour(TColor32 kolor) {
    return scaled(kolor, 3, 4);
}

TColor32 HandEnteredEdgeColour(TColor32 kolor) {
    return scaled(kolor, 1, 2);
}

void Rysuj_okrag(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor) {
    if (bmp.empty() || promien < 0) return;
    if (promien == 0) {
        bmp.SetPixelS(x, y, kolor);
        return;
    }
    ExactPainter ep(bmp);
    ep.p.setPen(QPen(toQColor(kolor), 1));
    ep.p.setBrush(Qt::NoBrush);
    ep.p.drawEllipse(QPointF(x, y), promien, promien);
}

void Rysuj_kolo(Bitmap32& bmp, int x, int y, int promien, TColor32 kolor) {
    if (promien < 0) return;
    QPainterPath path;
    Kolo(path, x, y, promien);
    Rysuj_wielokat(bmp, path, kolor);
}

void Rysuj_linie(Bitmap32& bmp, int x1, int y1, int x2, int y2, int szerokosc, TColor32 kolor) {
    if (bmp.empty() || szerokosc <= 0) return;
    if (x1 == x2 && y1 == y2 && szerokosc == 1) {
        bmp.SetPixelS(x1, y1, kolor);
        return;
    }
    ExactPainter ep(bmp);
    QPen pen(toQColor(kolor), szerokosc, Qt::SolidLine,
             szerokosc == 1 ? Qt::SquareCap : Qt::FlatCap);
    ep.p.setPen(pen);
    ep.p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Rysuj_kwadrat(Bitmap32& bmp, int left, int top, int right, int bottom, int szerokosc,
                   TColor32 kolor, int wartosc) {
    if (bmp.empty() || szerokosc <= 0) return;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const TColor32 c = (kolor & 0x00FFFFFFu) | (TColor32(std::clamp(wartosc, 0, 255)) << 24);
    const int w = std::min(szerokosc, std::min(right - left + 1, bottom - top + 1));
    QPainter p(&bmp.image());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor qc = toQColor(c);
    // Four bands that do not overlap, so a translucent frame is blended once everywhere.
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top + w - 1)), qc);
    if (bottom - w + 1 > top + w - 1)
        p.fillRect(QRect(QPoint(left, bottom - w + 1), QPoint(right, bottom)), qc);
    if (bottom - w >= top + w) {
        p.fillRect(QRect(QPoint(left, top + w), QPoint(left + w - 1, bottom - w)), qc);
        if (right - w + 1 > left + w - 1)
            p.fillRect(QRect(QPoint(right - w + 1, top + w), QPoint(right, bottom - w)), qc);
    }
}

void Rysuj_cwiartka(Bitmap32& bmp, double x0, double y0, int promien, double kat_od, double kat_do,
                    TColor32 kolor, int reczny, const Bitmap32* styl, int cieniowanie,
                    int szerokosc) {
    if (bmp.empty() || promien < 0 || !usable(x0) || !usable(y0) || !std::isfinite(kat_od) ||
        !std::isfinite(kat_do))
        return;
    double span = kat_do - kat_od;
    if (span < 0.0) span += 360.0;
    Sector s{x0,
             y0,
             double(promien),
             double(std::max(0, promien - std::max(0, szerokosc))),
             fold360(kat_od),
             span,
             span >= 360.0};
    s.prepare();

    const TColor32 hatch = HatchColour(kolor);
    const TColor32 edge = HandEnteredEdgeColour(kolor);
    const bool edges = reczny && (styl == nullptr || styl->empty());
    const double rOut2 = s.rOut * s.rOut, rIn2 = s.rIn * s.rIn;
    const double edgeOut2 = (s.rOut - 1.0) * (s.rOut - 1.0);
    const double edgeIn2 = (s.rIn + 1.0) * (s.rIn + 1.0);

    // A wide sector's complement, a narrow wedge: its pixels along a row are found as the
    // narrow sector's are.
    std::optional<Sector> reszta;
    if (!s.full && s.span >= 180.0 && 360.0 - s.span < 180.0) {
        reszta = s;
        reszta->od = fold360(s.od + s.span);
        reszta->span = 360.0 - s.span;
        reszta->prepare();
    }

    const Ramka b = sectorBounds(s);
    const int jFrom = std::max({0, int(std::ceil(y0 - s.rOut)), int(std::floor(b.ymin))});
    const int jTo =
        std::min({bmp.height() - 1, int(std::floor(y0 + s.rOut)), int(std::ceil(b.ymax))});
    for (int j = jFrom; j <= jTo; ++j) {
        const double dy = j - y0;
        const double half = std::sqrt(std::max(0.0, rOut2 - dy * dy));
        int iFrom = std::max({0, int(std::ceil(x0 - half)), int(std::floor(b.xmin))});
        int iTo = std::min({bmp.width() - 1, int(std::floor(x0 + half)), int(std::ceil(b.xmax))});
        // Inside the inner circle nothing is drawn: the row is skipped from the first pixel
        // within it to the last one (the exact test below still decides at the edges).
        const double halfIn = rIn2 > dy * dy ? std::sqrt(rIn2 - dy * dy) : -1.0;
        Przedzial pomin[2] = {halfIn > 1.0 ? Przedzial{int(std::ceil(x0 - halfIn + 1.0)),
                                                       int(std::floor(x0 + halfIn - 1.0))}
                                           : Przedzial{},
                              {}};
        // Along a row each edge of the wedge is crossed once: the pixels clearly outside it
        // are not tested one by one.
        if (!s.full) {
            const Przedzial kat = s.wierszKata(dy, x0);
            if (s.span < 180.0) {
                iFrom = std::max(iFrom, kat.od);
                iTo = std::min(iTo, kat.do_);
            } else {
                pomin[1] = kat;
            }
        }
        TColor32* row = bmp.scanLine(j);
        const auto sprawdzaj = [&](int od, int do_) {
            for (int i = od; i <= do_; ++i) {
                const double dx = i - x0;
                const double d2 = dx * dx + dy * dy;
                if (d2 > rOut2 || d2 < rIn2 || !s.containsAngle(dx, dy)) continue;
                TColor32 c = kolor;
                if (cieniowanie && (i + j) % 8 == 0) c = hatch;
                if (edges && (d2 > edgeOut2 || d2 < edgeIn2)) c = edge;
                row[i] = c;
            }
        };
        // Pixels a few away from every edge of the sector pass every test: they are filled
        // without one. Only the pixels near an edge are tested.
        Przedzial pewne{int(std::ceil(x0 - half + 2.0)), int(std::floor(x0 + half - 2.0))};
        if (!s.full && s.span < 180.0) {
            const Przedzial kat = s.wierszKata(dy, x0);
            pewne.od = std::max(pewne.od, kat.od + 4);
            pewne.do_ = std::min(pewne.do_, kat.do_ - 4);
        }
        // Left out of the certain part: the inner circle (and the centre, where the wedge's
        // edges meet) and the wedge a wide sector leaves out, each with a margin.
        Przedzial dziury[2] = {
            halfIn >= 0.0
                ? Przedzial{int(std::floor(x0 - halfIn - 2.0)), int(std::ceil(x0 + halfIn + 2.0))}
            : std::abs(dy) < 4.0 ? Przedzial{int(std::floor(x0 - 4.0)), int(std::ceil(x0 + 4.0))}
                                 : Przedzial{},
            {}};
        if (!s.full && s.span >= 180.0) {
            if (!reszta) {
                pewne = {}; // a half turn each way: everything is tested
            } else if (const Przedzial k = reszta->wierszKata(dy, x0); k.do_ >= k.od) {
                dziury[1] = {k.od - 2, k.do_ + 2};
            }
        }
        if (dziury[1].od < dziury[0].od) std::swap(dziury[0], dziury[1]);
        const auto wypelnij = [&](int od, int do_) {
            if (cieniowanie)
                for (int i = od; i <= do_; ++i)
                    row[i] = (i + j) % 8 == 0 ? hatch : kolor;
            else
                std::fill(row + od, row + do_ + 1, kolor);
        };
        const auto rysuj = [&](int od, int do_) {
            if (edges) return sprawdzaj(od, do_);
            int i = od;
            int c = std::max(od, pewne.od);
            const int koniec = std::min(do_, pewne.do_);
            for (const Przedzial& d : dziury) {
                if (c > koniec) break;
                if (d.do_ < d.od || d.do_ < c) continue;
                const int k = std::min(koniec, d.od - 1);
                if (k >= c) {
                    sprawdzaj(i, c - 1);
                    wypelnij(c, k);
                    i = k + 1;
                }
                c = std::max(c, d.do_ + 1);
            }
            if (c <= koniec) {
                sprawdzaj(i, c - 1);
                wypelnij(c, koniec);
                i = koniec + 1;
            }
            sprawdzaj(i, do_);
        };
        if (pomin[1].od < pomin[0].od) std::swap(pomin[0], pomin[1]);
        int i = iFrom;
        for (const Przedzial& p : pomin) {
            if (p.do_ < p.od || p.do_ < i) continue;
            rysuj(i, std::min(iTo, p.od - 1));
            i = p.do_ + 1;
        }
        rysuj(i, iTo);
    }
    if (reczny && styl != nullptr) stampMarkers(bmp, s, *styl);
}

void Kolo(QPainterPath& wielokat, double x, double y, double promien) {
    if (!usable(x) || !usable(y) || !(promien >= 0.0)) return;
    // Painter fills sample pixel centres at +0.5; the extra half pixel of radius makes a dot
    // of radius r reach the pixels r away along the axes.
    wielokat.addEllipse(QPointF(x + 0.5, y + 0.5), promien + 0.5, promien + 0.5);
}

void Rysuj_wielokat(Bitmap32& bmp, const QPainterPath& wielokat, TColor32 kolor) {
    if (bmp.empty() || wielokat.isEmpty()) return;
    QPainterPath path = wielokat;
    path.setFillRule(Qt::WindingFill);
    ExactPainter ep(bmp);
    ep.p.setPen(Qt::NoPen);
    ep.p.setBrush(toQColor(kolor));
    ep.p.drawPath(path);
}

} // namespace host
