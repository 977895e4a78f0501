#include "skan/CircleFit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace host::skan {

namespace {

using Mat3 = std::array<std::array<double, 3>, 3>;
using Vec3 = std::array<double, 3>;

// Gaussian elimination with partial pivoting; false when singular.
bool solve3(Mat3 a, Vec3 b, Vec3& x) {
    for (int c = 0; c < 3; ++c) {
        int p = c;
        for (int r = c + 1; r < 3; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        if (std::fabs(a[p][c]) < 1e-12) return false;
        std::swap(a[p], a[c]);
        std::swap(b[p], b[c]);
        for (int r = c + 1; r < 3; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < 3; ++k)
                a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int r = 2; r >= 0; --r) {
        double s = b[r];
        for (int k = r + 1; k < 3; ++k)
            s -= a[r][k] * x[k];
        x[r] = s / a[r][r];
    }
    return true;
}

// Algebraic fit x^2 + y^2 + D x + E y + F = 0, in coordinates centred on the points' mean.
bool algebraic(const std::vector<QPointF>& pts, double mx, double my, Circle& c) {
    Mat3 a{};
    Vec3 b{};
    for (const QPointF& p : pts) {
        const double x = p.x() - mx, y = p.y() - my, z = x * x + y * y;
        const double row[3] = {x, y, 1.0};
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k)
                a[i][k] += row[i] * row[k];
            b[i] -= row[i] * z;
        }
    }
    Vec3 s{};
    if (!solve3(a, b, s)) return false;
    c.cx = -s[0] / 2;
    c.cy = -s[1] / 2;
    const double r2 = c.cx * c.cx + c.cy * c.cy - s[2];
    if (r2 <= 0) return false;
    c.r = std::sqrt(r2);
    return true;
}

} // namespace

CircleFit fitCircle(const std::vector<QPointF>& pts) {
    CircleFit out;
    if (pts.size() < 3) return out;
    double mx = 0, my = 0;
    for (const QPointF& p : pts) {
        mx += p.x();
        my += p.y();
    }
    mx /= double(pts.size());
    my /= double(pts.size());
    Circle c;
    if (!algebraic(pts, mx, my, c)) return out;
    // Gauss-Newton on the geometric distances: the algebraic fit leans toward smaller circles
    // on short arcs.
    for (int it = 0; it < 20; ++it) {
        Mat3 a{};
        Vec3 b{};
        for (const QPointF& p : pts) {
            const double dx = p.x() - mx - c.cx, dy = p.y() - my - c.cy;
            const double d = length(dx, dy);
            if (d < 1e-9) continue;
            const double j[3] = {-dx / d, -dy / d, -1.0};
            const double res = d - c.r;
            for (int i = 0; i < 3; ++i) {
                for (int k = 0; k < 3; ++k)
                    a[i][k] += j[i] * j[k];
                b[i] -= j[i] * res;
            }
        }
        Vec3 step{};
        if (!solve3(a, b, step)) break;
        c.cx += step[0];
        c.cy += step[1];
        c.r += step[2];
        if (std::fabs(step[0]) + std::fabs(step[1]) + std::fabs(step[2]) < 1e-7) break;
    }
    if (!(c.r > 0) || !std::isfinite(c.cx) || !std::isfinite(c.cy)) return out;
    double ss = 0;
    for (const QPointF& p : pts) {
        const double res = length(p.x() - mx - c.cx, p.y() - my - c.cy) - c.r;
        ss += res * res;
    }
    out.ok = true;
    out.circle = {c.cx + mx, c.cy + my, c.r};
    out.rms = std::sqrt(ss / double(pts.size()));
    out.inliers = pts.size();
    return out;
}

CircleFit fitCircleRobust(const std::vector<QPointF>& pts, double minTolerance) {
    CircleFit fit = fitCircle(pts);
    if (!fit.ok) return fit;
    std::vector<QPointF> kept;
    std::vector<double> res(pts.size());
    std::size_t previous = pts.size();
    for (int round = 0; round < 10; ++round) {
        for (std::size_t i = 0; i < pts.size(); ++i)
            res[i] = std::fabs(length(pts[i].x() - fit.circle.cx, pts[i].y() - fit.circle.cy) -
                               fit.circle.r);
        std::vector<double> sorted = res;
        std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2),
                         sorted.end());
        const double sigma = 1.4826 * sorted[sorted.size() / 2];
        const double tol = std::max(minTolerance, 3 * sigma);
        kept.clear();
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (res[i] <= tol) kept.push_back(pts[i]);
        const CircleFit next = fitCircle(kept);
        if (!next.ok) break;
        fit = next;
        if (kept.size() == previous) break;
        previous = kept.size();
    }
    return fit;
}

} // namespace host::skan
