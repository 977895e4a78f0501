#include "skan/RingFinder.h"

#include "skan/GreyView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace host::skan {

namespace {

// The vote runs on a copy whose long side has at most this many pixels: a disc is 150 to 400
// of them across, its rings a few apart.
constexpr int kReducedSide = 800;
// Gradient (grey levels a pixel) below which an edge does not vote: paper grain averaged over
// a reduced pixel stays under it, a printed ring's edge lies far above.
constexpr float kMinGradient = 4.0f;
// At most this share of the reduced pixels votes (a page of noise would vote everywhere).
constexpr double kMaxVoters = 0.12;
constexpr int kMaxCandidates = 8;
constexpr double kMinPeakShare = 0.3; // of the best vote
constexpr int kAngles = 180;
// A ring in a radial profile is a dip this many grey levels below the paper on both sides.
constexpr float kEdgeDip = 10.0f, kRingDip = 8.0f;
// The printed rings of the distance band lie at 0.33-0.46 of the outer line's radius (240-332
// of 729 px at 300 dpi, whatever the disc's make); the trace lies there only part of the day.
constexpr double kRingsFrom = 0.30, kRingsTo = 0.47;
constexpr int kMinRings = 2;
constexpr double kMinEdgeRadius = 40; // reduced pixels
// The vote's peak may lie a few reduced pixels off the rings' centre (the trace, a legend and
// labels vote too); the coarse profile and the first fit allow for that.
constexpr int kCoarseSpread = 5;
// Radial step of the profile that finds the printed rings inside (page pixels).
constexpr double kFineStep = 0.5;

struct Reduced {
    int w = 0, h = 0, k = 1;
    std::vector<float> v;
    float at(int x, int y) const { return v[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
    // Bilinear, NaN off the page.
    float sample(double x, double y) const {
        if (x < 0 || y < 0 || x > w - 1 || y > h - 1)
            return std::numeric_limits<float>::quiet_NaN();
        const int ix = std::min(w - 2, int(x)), iy = std::min(h - 2, int(y));
        const float fx = float(x - ix), fy = float(y - iy);
        const float* p = v.data() + std::size_t(iy) * std::size_t(w) + std::size_t(ix);
        const float top = p[0] + (p[1] - p[0]) * fx, bottom = p[w] + (p[w + 1] - p[w]) * fx;
        return top + (bottom - top) * fy;
    }
};

Reduced reduce(const QImage& grey) {
    Reduced r;
    r.k = std::max(1, (std::max(grey.width(), grey.height()) + kReducedSide - 1) / kReducedSide);
    r.w = (grey.width() + r.k - 1) / r.k;
    r.h = (grey.height() + r.k - 1) / r.k;
    r.v.assign(std::size_t(r.w) * std::size_t(r.h), 255.0f);
    const int width = grey.width(), height = grey.height();
    // Whole rows are summed first (a loop the compiler vectorises), then each band of k rows
    // is cut into cells. 16-bit sums hold 257 rows of 255 and take twice the lanes of 32-bit
    // ones; only a page thousands of times longer than wide needs the wider ones.
    auto bands = [&](auto zero) {
        using Sum = decltype(zero);
        std::vector<Sum> rows(static_cast<std::size_t>(width));
        for (int cy = 0; cy < r.h; ++cy) {
            const int y0 = cy * r.k, y1 = std::min(height, y0 + r.k);
            std::fill(rows.begin(), rows.end(), zero);
            for (int y = y0; y < y1; ++y) {
                const uchar* row = grey.constScanLine(y);
                for (int x = 0; x < width; ++x)
                    rows[std::size_t(x)] = Sum(rows[std::size_t(x)] + row[x]);
            }
            float* out = r.v.data() + std::size_t(cy) * std::size_t(r.w);
            for (int cx = 0; cx < r.w; ++cx) {
                const int x0 = cx * r.k, x1 = std::min(width, x0 + r.k);
                std::uint32_t sum = 0;
                for (int x = x0; x < x1; ++x)
                    sum += rows[std::size_t(x)];
                out[cx] = float(sum) / float((x1 - x0) * (y1 - y0));
            }
        }
    };
    if (r.k <= 257)
        bands(std::uint16_t(0));
    else
        bands(std::uint32_t(0));
    return r;
}

// Every edge votes along its gradient towards the lighter side: on the inner edge of a dark
// printed ring that is towards the disc's centre, so the rings of a disc pile their votes on
// one point whatever their contrast with the background, breaks and labels.
// std::lround of a component of a unit vector, without the library call.
int nearestUnit(double u) {
    return u >= 0.5 ? 1 : u <= -0.5 ? -1 : 0;
}

std::vector<float> voteForCentres(const Reduced& reduced) {
    // A binomial blur first: thin printed lines then give gradients that point at the centre
    // within a degree or two, not the JPEG's and the grain's directions.
    Reduced r = reduced;
    const int w = r.w, h = r.h;
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<float> t(r.v.size());
        // The edge columns repeat their own pixel; the interior is one contiguous loop.
        for (int y = 0; y < h; ++y) {
            const float* in = r.v.data() + std::size_t(y) * std::size_t(w);
            float* out = t.data() + std::size_t(y) * std::size_t(w);
            out[0] = (in[0] + 2 * in[0] + in[std::min(w - 1, 1)]) / 4;
            for (int x = 1; x < w - 1; ++x)
                out[x] = (in[x - 1] + 2 * in[x] + in[x + 1]) / 4;
            if (w > 1) out[w - 1] = (in[w - 2] + 2 * in[w - 1] + in[w - 1]) / 4;
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int yu = std::max(0, y - 1), yd = std::min(h - 1, y + 1);
                r.v[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                    (t[std::size_t(yu) * std::size_t(w) + std::size_t(x)] +
                     2 * t[std::size_t(y) * std::size_t(w) + std::size_t(x)] +
                     t[std::size_t(yd) * std::size_t(w) + std::size_t(x)]) /
                    4;
            }
    }
    std::vector<float> gx(std::size_t(w) * std::size_t(h), 0), gy(gx.size(), 0), mag(gx.size(), 0);
    for (int y = 1; y < h - 1; ++y) {
        const float* up = r.v.data() + std::size_t(y - 1) * std::size_t(w);
        const float* mid = up + w;
        const float* down = mid + w;
        const std::size_t row = std::size_t(y) * std::size_t(w);
        float* ox = gx.data() + row;
        float* oy = gy.data() + row;
        float* om = mag.data() + row;
        for (int x = 1; x < w - 1; ++x) {
            const float a = up[x - 1], b = up[x], c = up[x + 1];
            const float d = mid[x - 1], f = mid[x + 1];
            const float g = down[x - 1], hh = down[x], i = down[x + 1];
            const float vx = ((c + 2 * f + i) - (a + 2 * d + g)) / 8;
            const float vy = ((g + 2 * hh + i) - (a + 2 * b + c)) / 8;
            ox[x] = vx;
            oy[x] = vy;
            om[x] = std::sqrt(vx * vx + vy * vy);
        }
    }
    // The strongest edges only, when too many pass the gradient floor.
    float floor = kMinGradient;
    {
        std::vector<float> m;
        m.reserve(mag.size());
        for (float v : mag)
            if (v >= kMinGradient) m.push_back(v);
        const std::size_t keep = std::size_t(kMaxVoters * double(mag.size()));
        if (m.size() > keep && keep > 0) {
            std::nth_element(m.begin(), m.end() - std::ptrdiff_t(keep), m.end());
            floor = std::max(floor, *(m.end() - std::ptrdiff_t(keep)));
        }
    }
    std::vector<float> acc(mag.size(), 0);
    // A disc filling the page's short side has its printed rings and activity band within 0.28
    // of that side from its centre; farther votes would only spread.
    const double dmax = 0.28 * std::min(w, h), dmin = 6;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(w) + std::size_t(x);
            const float m = mag[at];
            // Every other pixel along an edge is enough to find the point the edges share.
            if (m < floor || (x + y) % 2) continue;
            const double ux = gx[at] / m, uy = gy[at] / m;
            // Thin edges: only the strongest pixel across the edge votes.
            const int sx = nearestUnit(ux), sy = nearestUnit(uy);
            if (mag[at + std::size_t(sy * w + sx)] > m || mag[at - std::size_t(sy * w + sx)] > m)
                continue;
            for (double dist = dmin; dist <= dmax; dist += 1.0) {
                const int px = int(x + ux * dist + 0.5), py = int(y + uy * dist + 0.5);
                if (px < 0 || py < 0 || px >= w || py >= h) break;
                acc[std::size_t(py) * std::size_t(w) + std::size_t(px)] += 1;
            }
        }
    return acc;
}

struct Peak {
    int x = 0, y = 0;
    float votes = 0;
};

std::vector<Peak> peaksOf(const std::vector<float>& acc, int w, int h) {
    // 5x5 sums (separable): the votes of a disc spread over a pixel or two (its trace is
    // off-centre).
    std::vector<float> t(acc.size(), 0), s(acc.size(), 0);
    for (int y = 0; y < h; ++y) {
        const float* a = acc.data() + std::size_t(y) * std::size_t(w);
        float* o = t.data() + std::size_t(y) * std::size_t(w);
        for (int x = 2; x < w - 2; ++x)
            o[x] = a[x - 2] + a[x - 1] + a[x] + a[x + 1] + a[x + 2];
    }
    float best = 0;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            float v = 0;
            for (int dy = -2; dy <= 2; ++dy)
                v += t[std::size_t(y + dy) * std::size_t(w) + std::size_t(x)];
            s[std::size_t(y) * std::size_t(w) + std::size_t(x)] = v;
            best = std::max(best, v);
        }
    std::vector<Peak> peaks;
    if (best <= 0) return peaks;
    constexpr int kNms = 8;
    const float floor = float(kMinPeakShare) * best;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const float v = s[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            if (v < floor) continue;
            bool top = true;
            for (int dy = -kNms; dy <= kNms && top; ++dy)
                for (int dx = -kNms; dx <= kNms; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    if ((dx == 0 && dy == 0) || xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
                    const float o = s[std::size_t(yy) * std::size_t(w) + std::size_t(xx)];
                    if (o > v || (o == v && (dy < 0 || (dy == 0 && dx < 0)))) {
                        top = false;
                        break;
                    }
                }
            if (top) peaks.push_back({x, y, v});
        }
    std::sort(peaks.begin(), peaks.end(),
              [](const Peak& a, const Peak& b) { return a.votes > b.votes; });
    if (peaks.size() > std::size_t(kMaxCandidates)) peaks.resize(kMaxCandidates);
    return peaks;
}

// Angle-median of the radial profile around a centre, each ray first taking the darkest value
// within `spread` of every radius: a ring present on most of the circle shows as a dip even when
// the centre is a little off. NaN where less than a quarter of the circle lies on the page.
template <typename Sample>
std::vector<float> ringProfile(Sample sample, double cx, double cy, double from, double to,
                               double step, int spread) {
    const int n = std::max(1, int((to - from) / step) + 1);
    // By radius, then angle: each radius's values are read together for their median.
    std::vector<float> rays(std::size_t(kAngles) * std::size_t(n));
    std::vector<float> ray(static_cast<std::size_t>(n));
    for (int a = 0; a < kAngles; ++a) {
        const double t = 2 * M_PI * a / kAngles, ca = std::cos(t), sa = std::sin(t);
        for (int i = 0; i < n; ++i) {
            const double r = from + i * step;
            ray[std::size_t(i)] = sample(cx + r * ca, cy + r * sa);
        }
        // The darkest value on the page within the spread: off-page samples (NaN) count as
        // infinitely light, and a window with nothing on the page stays NaN.
        constexpr float light = std::numeric_limits<float>::infinity();
        for (float& v : ray)
            if (std::isnan(v)) v = light;
        for (int i = 0; i < n; ++i) {
            float m = light;
            for (int j = std::max(0, i - spread); j <= std::min(n - 1, i + spread); ++j)
                m = std::min(m, ray[std::size_t(j)]);
            rays[std::size_t(i) * std::size_t(kAngles) + std::size_t(a)] =
                m == light ? std::numeric_limits<float>::quiet_NaN() : m;
        }
    }
    std::vector<float> profile(static_cast<std::size_t>(n));
    std::vector<float> col;
    col.reserve(kAngles);
    for (int i = 0; i < n; ++i) {
        col.clear();
        for (int a = 0; a < kAngles; ++a) {
            const float v = rays[std::size_t(i) * std::size_t(kAngles) + std::size_t(a)];
            if (!std::isnan(v)) col.push_back(v);
        }
        if (col.size() < kAngles / 4) {
            profile[std::size_t(i)] = std::numeric_limits<float>::quiet_NaN();
            continue;
        }
        std::nth_element(col.begin(), col.begin() + std::ptrdiff_t(col.size() / 2), col.end());
        profile[std::size_t(i)] = col[col.size() / 2];
    }
    return profile;
}

// How far the profile at i lies below the brightest values on either side within `reach`.
float dipDepth(const std::vector<float>& p, int i, int gap, int reach) {
    float in = -1, out = -1;
    for (int j = i - reach; j <= i - gap; ++j)
        if (j >= 0 && !std::isnan(p[std::size_t(j)])) in = std::max(in, p[std::size_t(j)]);
    for (int j = i + gap; j <= i + reach; ++j)
        if (j < int(p.size()) && !std::isnan(p[std::size_t(j)]))
            out = std::max(out, p[std::size_t(j)]);
    if (in < 0 || out < 0 || std::isnan(p[std::size_t(i)])) return 0;
    return std::min(in, out) - p[std::size_t(i)];
}

// Local minima deep enough, as indices, from the first to the last index given.
std::vector<int> dips(const std::vector<float>& p, int from, int to, int gap, int reach,
                      float depth) {
    std::vector<int> out;
    for (int i = std::max(1, from); i <= std::min(int(p.size()) - 2, to); ++i) {
        const float v = p[std::size_t(i)];
        if (std::isnan(v) || !(v <= p[std::size_t(i - 1)]) || !(v < p[std::size_t(i + 1)]))
            continue;
        if (dipDepth(p, i, gap, reach) < depth) continue;
        if (!out.empty() && i - out.back() <= gap) {
            if (v < p[std::size_t(out.back())]) out.back() = i;
            continue;
        }
        out.push_back(i);
    }
    return out;
}

struct RingPoints {
    std::vector<QPointF> pts;
    std::vector<int> ring;
};

// On rays from the centre, the darkest point of each ring's window, to a fraction of a pixel,
// where it lies clearly below the paper beside it.
void collectRing(const GreyView& g, double cx, double cy, double radius, double halfWindow,
                 int ringIndex, RingPoints& out) {
    const int rays = std::clamp(int(2 * M_PI * radius / 2), 180, 720);
    // Half-pixel steps in the narrow windows; the wide first window needs whole ones only (the
    // parabola through the darkest three still places the line to a fraction of a pixel).
    const double step = halfWindow > 6 ? 1.0 : 0.5;
    const int n = int(2 * halfWindow / step) + 1;
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int k = 0; k < rays; ++k) {
        const double t = 2 * M_PI * k / rays, ca = std::cos(t), sa = std::sin(t);
        int best = -1;
        double hi = -1;
        bool off = false;
        for (int i = 0; i < n; ++i) {
            const double r = radius - halfWindow + i * step;
            const double x = cx + r * ca, y = cy + r * sa;
            if (x < 0 || y < 0 || x > g.width() - 1 || y > g.height() - 1) {
                off = true;
                break;
            }
            v[std::size_t(i)] = g.at(x, y);
            hi = std::max(hi, v[std::size_t(i)]);
            if (best < 0 || v[std::size_t(i)] < v[std::size_t(best)]) best = i;
        }
        if (off || best <= 0 || best >= n - 1 || hi - v[std::size_t(best)] < kRingDip) continue;
        const double a = v[std::size_t(best - 1)], b = v[std::size_t(best)],
                     c = v[std::size_t(best + 1)];
        const double den = a - 2 * b + c;
        const double frac = den > 0 ? 0.5 * (a - c) / den : 0;
        const double r = radius - halfWindow + (best + frac) * step;
        out.pts.emplace_back(cx + r * ca, cy + r * sa);
        out.ring.push_back(ringIndex);
    }
}

double distance(const QPointF& p, double cx, double cy) {
    return length(p.x() - cx, p.y() - cy);
}

struct Concentric {
    bool ok = false;
    double cx = 0, cy = 0, rms = 0;
    std::vector<double> radii;
};

// One centre and a radius per ring, by least squares on x² + y² = 2ax + 2by + c_k, repeated
// on the points within max(0.8 px, 3 robust sigmas) of their circle.
Concentric fitConcentric(const RingPoints& rp, int rings) {
    std::vector<bool> use(rp.pts.size(), true);
    Concentric best;
    for (int iter = 0; iter < 6; ++iter) {
        // Normal equations over (a, b, c_0..c_{K-1}); the c_k decouple, so eliminate them.
        std::vector<double> n(std::size_t(rings), 0), sx(n), sy(n), sz(n);
        for (std::size_t i = 0; i < rp.pts.size(); ++i) {
            if (!use[i]) continue;
            const auto k = std::size_t(rp.ring[i]);
            const double x = rp.pts[i].x(), y = rp.pts[i].y();
            n[k] += 1;
            sx[k] += x;
            sy[k] += y;
            sz[k] += x * x + y * y;
        }
        double sxx = 0, sxy = 0, syy = 0, sxz = 0, syz = 0;
        for (std::size_t i = 0; i < rp.pts.size(); ++i) {
            if (!use[i]) continue;
            const auto k = std::size_t(rp.ring[i]);
            if (n[k] < 3) continue;
            const double x = rp.pts[i].x() - sx[k] / n[k], y = rp.pts[i].y() - sy[k] / n[k];
            const double z =
                rp.pts[i].x() * rp.pts[i].x() + rp.pts[i].y() * rp.pts[i].y() - sz[k] / n[k];
            sxx += x * x;
            sxy += x * y;
            syy += y * y;
            sxz += x * z;
            syz += y * z;
        }
        const double det = sxx * syy - sxy * sxy;
        if (!(std::fabs(det) > 1e-9)) return best;
        const double a = (sxz * syy - syz * sxy) / det / 2, b = (syz * sxx - sxz * sxy) / det / 2;
        Concentric c;
        c.ok = true;
        c.cx = a;
        c.cy = b;
        c.radii.assign(std::size_t(rings), 0);
        for (int k = 0; k < rings; ++k)
            if (n[std::size_t(k)] >= 3)
                c.radii[std::size_t(k)] =
                    std::sqrt(std::max(0.0, (sz[std::size_t(k)] - 2 * a * sx[std::size_t(k)] -
                                             2 * b * sy[std::size_t(k)]) /
                                                    n[std::size_t(k)] +
                                                a * a + b * b));
        std::vector<double> res;
        for (std::size_t i = 0; i < rp.pts.size(); ++i)
            if (use[i])
                res.push_back(
                    std::fabs(distance(rp.pts[i], a, b) - c.radii[std::size_t(rp.ring[i])]));
        double ss = 0;
        for (double r : res)
            ss += r * r;
        c.rms = res.empty() ? 0 : std::sqrt(ss / double(res.size()));
        std::nth_element(res.begin(), res.begin() + std::ptrdiff_t(res.size() / 2), res.end());
        const double tol = std::max(0.8, 3 * 1.4826 * res[res.size() / 2]);
        bool changed = false;
        for (std::size_t i = 0; i < rp.pts.size(); ++i) {
            const bool in =
                std::fabs(distance(rp.pts[i], a, b) - c.radii[std::size_t(rp.ring[i])]) <= tol;
            changed |= in != use[i];
            use[i] = in;
        }
        best = c;
        if (!changed) break;
    }
    return best;
}

// A vote peak checked and measured: the outer line from the coarse profile, the centre from the
// outer line alone, then from the outer line and the printed rings inside together.
std::optional<RingDisc> measure(const Reduced& red, const GreyView& g, const Peak& peak) {
    // A disc lies on the page, cut by its edge at most: its radius stays below this.
    const double maxR = 0.6 * std::max(red.w, red.h);
    auto redSample = [&](double x, double y) { return red.sample(x, y); };
    const std::vector<float> coarse =
        ringProfile(redSample, peak.x, peak.y, 0, maxR, 1.0, kCoarseSpread);
    // The outer line: the outermost dip, with paper (or background) beyond it.
    int edge = -1;
    for (int i = int(coarse.size()) - 8; i >= int(kMinEdgeRadius); --i)
        if (!std::isnan(coarse[std::size_t(i)]) &&
            dipDepth(coarse, i, kCoarseSpread + 1, 2 * kCoarseSpread + 4) >= kEdgeDip &&
            coarse[std::size_t(i)] <= coarse[std::size_t(i - 1)] &&
            coarse[std::size_t(i)] <= coarse[std::size_t(i + 1)]) {
            edge = i;
            break;
        }
    if (edge < 0) return std::nullopt;

    const double k = red.k;
    double cx = peak.x * k + (k - 1) / 2, cy = peak.y * k + (k - 1) / 2,
           re = edge * k + (k - 1) / 2;
    // The outer line alone: nothing else lies near it.
    RingPoints outer;
    collectRing(g, cx, cy, re, (kCoarseSpread + 1) * k + 4, 0, outer);
    const CircleFit first = fitCircleRobust(outer.pts, 1.0);
    if (!first.ok || first.inliers < outer.pts.size() / 3 || first.inliers < 60)
        return std::nullopt;
    cx = first.circle.cx;
    cy = first.circle.cy;
    re = first.circle.r;

    // The printed rings inside, from a sharp profile around the better centre.
    const double from = kRingsFrom * re, to = kRingsTo * re;
    auto fullSample = [&](double x, double y) {
        if (x < 0 || y < 0 || x > g.width() - 1 || y > g.height() - 1)
            return std::numeric_limits<float>::quiet_NaN();
        return float(g.at(x, y));
    };
    const std::vector<float> fine = ringProfile(fullSample, cx, cy, from, to, kFineStep, 1);
    const double s300 = re / 729.0; // scale of a 300-dpi scan
    const int gap = std::max(2, int(2.5 * s300 / kFineStep));
    const int reach = std::max(4, int(6 * s300 / kFineStep));
    RingPoints rp;
    RingDisc d;
    collectRing(g, cx, cy, re, 2.5 + s300, 0, rp);
    int rings = 1;
    const std::vector<int> inner = dips(fine, 0, int(fine.size()) - 1, gap, reach, kRingDip);
    if (int(inner.size()) < kMinRings) return std::nullopt;
    for (int i : inner) {
        const double r = from + i * kFineStep;
        collectRing(g, cx, cy, r, std::max(1.5, 1.5 * s300), rings++, rp);
        d.rings.push_back(r);
    }
    const Concentric c = fitConcentric(rp, rings);
    if (c.ok && std::hypot(c.cx - cx, c.cy - cy) < 3 + s300 && c.radii[0] > 0) {
        d.edge = {c.cx, c.cy, c.radii[0]};
        d.centreRms = c.rms;
    } else {
        d.edge = first.circle;
        d.centreRms = first.rms;
    }
    return d;
}

} // namespace

std::vector<RingDisc> findRingDiscs(const QImage& grey) {
    const Reduced red = reduce(grey);
    if (red.w < 8 || red.h < 8) return {};
    const std::vector<float> acc = voteForCentres(red);
    const GreyView view(grey);
    std::vector<RingDisc> out;
    for (const Peak& p : peaksOf(acc, red.w, red.h)) {
        const double px = p.x * red.k, py = p.y * red.k;
        const bool known = std::any_of(out.begin(), out.end(), [&](const RingDisc& d) {
            return std::hypot(px - d.edge.cx, py - d.edge.cy) < 0.3 * d.edge.r;
        });
        if (known) continue;
        auto d = measure(red, view, p);
        if (!d) continue;
        const bool same = std::any_of(out.begin(), out.end(), [&](const RingDisc& o) {
            return std::hypot(d->edge.cx - o.edge.cx, d->edge.cy - o.edge.cy) < 0.3 * o.edge.r;
        });
        if (!same) out.push_back(std::move(*d));
    }
    // A disc's centre hole or a small printed circle may pass for a disc of its own: one whose
    // centre lies inside a larger disc is that disc's.
    std::sort(out.begin(), out.end(),
              [](const RingDisc& a, const RingDisc& b) { return a.edge.r > b.edge.r; });
    std::vector<RingDisc> discs;
    for (RingDisc& d : out) {
        const bool nested = std::any_of(discs.begin(), discs.end(), [&](const RingDisc& o) {
            return std::hypot(d.edge.cx - o.edge.cx, d.edge.cy - o.edge.cy) < o.edge.r;
        });
        if (!nested) discs.push_back(std::move(d));
    }
    return discs;
}

} // namespace host::skan
