#include "skan/DiscFinder.h"

#include "skan/GreyView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace host::skan {

namespace {

// The coarse grid keeps the long side of the page under this many cells: about 0.4 mm cells
// on an A4 page at any resolution, fine enough to keep the band between a disc's edge and its
// printing open, coarse enough to close a thin edge line.
constexpr int kMaxCells = 800;
constexpr int kSectors = 36;

struct Grid {
    int w = 0, h = 0, cell = 1;
    std::vector<std::uint8_t> dark; // a cell is dark when any of its pixels is
    bool at(int x, int y) const { return dark[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
    // Centre of a cell in page pixel coordinates.
    double px(int x) const { return x * cell + (cell - 1) / 2.0; }
};

Grid darkCells(const QImage& grey, int threshold) {
    Grid g;
    g.cell = std::max(1, (std::max(grey.width(), grey.height()) + kMaxCells - 1) / kMaxCells);
    g.w = (grey.width() + g.cell - 1) / g.cell;
    g.h = (grey.height() + g.cell - 1) / g.cell;
    g.dark.assign(std::size_t(g.w) * std::size_t(g.h), 0);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        std::uint8_t* cells = g.dark.data() + std::size_t(y / g.cell) * std::size_t(g.w);
        for (int cx = 0, x = 0; cx < g.w; ++cx) {
            const int end = std::min(grey.width(), x + g.cell);
            if (cells[cx]) x = end;
            for (; x < end; ++x)
                if (row[x] <= threshold) {
                    cells[cx] = 1;
                    x = end;
                    break;
                }
        }
    }
    return g;
}

struct Component {
    int area = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // bounding box in cells, inclusive
};

// 4-connected light components: a dark line closed only diagonally still separates them.
std::vector<Component> lightComponents(const Grid& g, std::vector<int>& label) {
    label.assign(g.dark.size(), 0);
    std::vector<Component> comps(1); // label 0: dark
    std::vector<int> stack;
    for (int sy = 0; sy < g.h; ++sy)
        for (int sx = 0; sx < g.w; ++sx) {
            const std::size_t s = std::size_t(sy) * std::size_t(g.w) + std::size_t(sx);
            if (g.dark[s] || label[s]) continue;
            const int id = int(comps.size());
            Component c{0, sx, sy, sx, sy};
            label[s] = id;
            stack.assign(1, int(s));
            while (!stack.empty()) {
                const int i = stack.back();
                stack.pop_back();
                const int x = i % g.w, y = i / g.w;
                ++c.area;
                c.x0 = std::min(c.x0, x);
                c.x1 = std::max(c.x1, x);
                c.y0 = std::min(c.y0, y);
                c.y1 = std::max(c.y1, y);
                const int nx[4] = {x - 1, x + 1, x, x};
                const int ny[4] = {y, y, y - 1, y + 1};
                for (int k = 0; k < 4; ++k) {
                    if (nx[k] < 0 || ny[k] < 0 || nx[k] >= g.w || ny[k] >= g.h) continue;
                    const int j = ny[k] * g.w + nx[k];
                    if (g.dark[std::size_t(j)] || label[std::size_t(j)]) continue;
                    label[std::size_t(j)] = id;
                    stack.push_back(j);
                }
            }
            comps.push_back(c);
        }
    return comps;
}

// The component with its holes filled: what is not reachable from around its bounding box
// without crossing it. Its outline is the component's cells next to the outside; cells on the
// page border are left out, since there the page edge, not the disc, bounds the component.
struct Shape {
    int filled = 0;
    std::vector<QPointF> outline;
};

Shape shapeOf(const Grid& g, const std::vector<int>& label, int id, const Component& c) {
    const int bx = c.x0 - 1, by = c.y0 - 1;
    const int bw = c.x1 - c.x0 + 3, bh = c.y1 - c.y0 + 3;
    auto mine = [&](int lx, int ly) {
        const int x = bx + lx, y = by + ly;
        if (x < 0 || y < 0 || x >= g.w || y >= g.h) return false;
        return label[std::size_t(y) * std::size_t(g.w) + std::size_t(x)] == id;
    };
    std::vector<std::uint8_t> outside(std::size_t(bw) * std::size_t(bh), 0);
    std::vector<int> stack;
    auto push = [&](int lx, int ly) {
        const std::size_t i = std::size_t(ly) * std::size_t(bw) + std::size_t(lx);
        if (outside[i] || mine(lx, ly)) return;
        outside[i] = 1;
        stack.push_back(int(i));
    };
    for (int lx = 0; lx < bw; ++lx) {
        push(lx, 0);
        push(lx, bh - 1);
    }
    for (int ly = 0; ly < bh; ++ly) {
        push(0, ly);
        push(bw - 1, ly);
    }
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int lx = i % bw, ly = i / bw;
        if (lx > 0) push(lx - 1, ly);
        if (lx + 1 < bw) push(lx + 1, ly);
        if (ly > 0) push(lx, ly - 1);
        if (ly + 1 < bh) push(lx, ly + 1);
    }
    Shape s;
    for (int ly = 1; ly < bh - 1; ++ly)
        for (int lx = 1; lx < bw - 1; ++lx) {
            const std::size_t i = std::size_t(ly) * std::size_t(bw) + std::size_t(lx);
            if (outside[i]) continue;
            ++s.filled;
            if (!mine(lx, ly)) continue;
            const int x = bx + lx, y = by + ly;
            if (x == 0 || y == 0 || x == g.w - 1 || y == g.h - 1) continue;
            if (outside[i - 1] || outside[i + 1] || outside[i - std::size_t(bw)] ||
                outside[i + std::size_t(bw)])
                s.outline.emplace_back(g.px(x), g.px(y));
        }
    return s;
}

// Cells of the page grid whose centres lie inside the circle.
int cellsInside(const Grid& g, const Circle& c) {
    const double r = c.r;
    const int y0 = std::max(0, int(std::floor((c.cy - r) / g.cell)));
    const int y1 = std::min(g.h - 1, int(std::ceil((c.cy + r) / g.cell)));
    int n = 0;
    for (int y = y0; y <= y1; ++y) {
        const double dy = g.px(y) - c.cy;
        if (std::fabs(dy) > r) continue;
        const double half = std::sqrt(r * r - dy * dy);
        const int x0 = std::max(0, int(std::ceil((c.cx - half - (g.cell - 1) / 2.0) / g.cell)));
        const int x1 =
            std::min(g.w - 1, int(std::floor((c.cx + half - (g.cell - 1) / 2.0) / g.cell)));
        if (x1 >= x0) n += x1 - x0 + 1;
    }
    return n;
}

double sectorCoverage(const std::vector<QPointF>& pts, const Circle& c, double tol) {
    bool seen[kSectors] = {};
    for (const QPointF& p : pts) {
        const double dx = p.x() - c.cx, dy = p.y() - c.cy;
        if (std::fabs(std::hypot(dx, dy) - c.r) > tol) continue;
        const double a = std::atan2(dy, dx) + M_PI;
        seen[std::min(kSectors - 1, int(a / (2 * M_PI) * kSectors))] = true;
    }
    return double(std::count(seen, seen + kSectors, true)) / kSectors;
}

// The coarse circle moved onto the grey picture: along rays, the first place where light
// paper turns dark, to a fraction of a pixel.
Circle refine(const GreyView& grey, int threshold, const Circle& coarse, int cell) {
    const double level = threshold + 0.5, step = 0.25;
    const int rays = std::clamp(int(2 * M_PI * coarse.r / 2), 180, 1440);
    const double from = coarse.r - cell, to = coarse.r + 2.5 * cell + 2;
    std::vector<QPointF> pts;
    for (int k = 0; k < rays; ++k) {
        const double a = 2 * M_PI * k / rays, ca = std::cos(a), sa = std::sin(a);
        bool light = false;
        double lastR = 0, lastV = 0;
        for (double r = from; r <= to; r += step) {
            const double x = coarse.cx + r * ca, y = coarse.cy + r * sa;
            if (x < 0 || y < 0 || x > grey.width() - 1 || y > grey.height() - 1) break;
            const double v = grey.at(x, y);
            if (v > level) {
                light = true;
                lastR = r;
                lastV = v;
            } else if (light) {
                const double e = lastR + (lastV - level) / (lastV - v) * step;
                pts.emplace_back(coarse.cx + e * ca, coarse.cy + e * sa);
                break;
            }
        }
    }
    const CircleFit fit = fitCircleRobust(pts, 1.0);
    if (!fit.ok || fit.inliers < std::size_t(std::max(30, rays * 3 / 10))) return coarse;
    if (std::hypot(fit.circle.cx - coarse.cx, fit.circle.cy - coarse.cy) > 2.0 * cell ||
        std::fabs(fit.circle.r - coarse.r) > 3.0 * cell)
        return coarse;
    return fit.circle;
}

} // namespace

std::vector<FoundDisc> findDiscs(const QImage& grey, int threshold, double minRadius) {
    const Grid g = darkCells(grey, threshold);
    std::vector<int> label;
    const std::vector<Component> comps = lightComponents(g, label);
    const int minCells = std::max(8, int(minRadius / g.cell));

    std::vector<FoundDisc> found;
    for (int id = 1; id < int(comps.size()); ++id) {
        const Component& c = comps[std::size_t(id)];
        if (c.x1 - c.x0 + 1 < minCells || c.y1 - c.y0 + 1 < minCells) continue;
        const Shape s = shapeOf(g, label, id, c);
        if (s.outline.size() < 24) continue;
        const CircleFit fit = fitCircleRobust(s.outline, 1.5 * g.cell);
        if (!fit.ok || fit.circle.r < minRadius) continue;
        if (fit.inliers < s.outline.size() * 6 / 10) continue;
        if (fit.rms > std::max(double(g.cell), 0.02 * fit.circle.r)) continue;
        const double coverage = sectorCoverage(s.outline, fit.circle, 1.5 * g.cell);
        if (coverage < 0.5) continue;
        // The component and its holes must fill the circle, as a paper disc does; an arc of
        // some other outline does not.
        const int inside = cellsInside(g, fit.circle);
        if (inside <= 0 || s.filled < 0.85 * inside || s.filled > 1.15 * inside) continue;
        found.push_back({fit.circle, coverage});
    }
    std::sort(found.begin(), found.end(),
              [](const FoundDisc& a, const FoundDisc& b) { return a.circle.r > b.circle.r; });
    std::vector<FoundDisc> discs;
    for (const FoundDisc& f : found) {
        const bool nested = std::any_of(discs.begin(), discs.end(), [&](const FoundDisc& d) {
            return std::hypot(f.circle.cx - d.circle.cx, f.circle.cy - d.circle.cy) < d.circle.r;
        });
        if (!nested) discs.push_back(f);
    }
    const GreyView view(grey);
    for (FoundDisc& d : discs)
        d.circle = refine(view, threshold, d.circle, g.cell);
    return discs;
}

} // namespace host::skan
