#include "skan/DiscCut.h"

#include <cmath>
#include <vector>

namespace host::skan {

namespace {

// Page positions of the sub-samples of every bitmap column (or row) around `origin`.
std::vector<double> positions(double origin, const CutGeometry& g, int k) {
    std::vector<double> p(std::size_t(g.size) * std::size_t(k));
    for (int i = 0; i < g.size; ++i)
        for (int s = 0; s < k; ++s)
            p[std::size_t(i) * std::size_t(k) + std::size_t(s)] =
                origin + (i + (s + 0.5) / k - 0.5 - g.size / 2.0) / g.scale;
    return p;
}

} // namespace

// Bilinear sampling is separable here (the mapping only scales and shifts), so each sub-row
// is first interpolated between two page rows over the columns it needs, then along the row.
Bitmap32 cutDisc(const QImage& grey, const CutGeometry& g, int threshold) {
    Bitmap32 out(g.size, g.size, clWhite32);
    const int k = std::max(1, int(std::ceil(1.0 / g.scale - 1e-9)));
    const std::vector<double> xs = positions(g.centre.x(), g, k);
    const std::vector<double> ys = positions(g.centre.y(), g, k);

    // Columns as offsets into the interpolated line, which spans first..last page column.
    const int first = int(std::floor(xs.front())), last = int(std::floor(xs.back())) + 1;
    std::vector<int> col(xs.size());
    std::vector<float> colFrac(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const int ix = int(std::floor(xs[i]));
        col[i] = ix - first;
        colFrac[i] = float(xs[i] - ix);
    }
    // At the reader's own scale (a 300-dpi page) every column lies the same fraction past a
    // page column, one page column after the last.
    bool uniform = k == 1;
    for (std::size_t i = 1; uniform && i < xs.size(); ++i)
        uniform = col[i] == col[0] + int(i) && colFrac[i] == colFrac[0];
    std::vector<float> line(std::size_t(last - first + 1));
    std::vector<float> sum(std::size_t(g.size));

    const double half = g.size / 2.0, level = (threshold + 0.5) * k * k;
    const int width = grey.width();
    const double keep2 = g.keep > 0 ? g.keep * g.keep : -1;
    auto pageRow = [&](int y) -> const uchar* {
        return y >= 0 && y < grey.height() ? grey.constScanLine(y) : nullptr;
    };
    for (int y = 0; y < g.size; ++y) {
        const double dy = y - half;
        // Columns kept on this row: all, or those inside the keep circle.
        int x0 = 0, x1 = g.size - 1;
        if (keep2 > 0) {
            if (dy * dy > keep2) continue;
            const double w = std::sqrt(keep2 - dy * dy);
            x0 = std::max(0, int(std::ceil(half - w)));
            x1 = std::min(g.size - 1, int(std::floor(half + w)));
        }
        TColor32* row = out.scanLine(y);
        const float flevel = float(level);
        if (uniform) {
            // The reader's own scale, the row's page columns on the page: one pass from the two
            // page rows to the bitmap, with the arithmetic of the general path below.
            const double py = ys[std::size_t(y)];
            const int iy = int(std::floor(py));
            const float fy = float(py - iy);
            const uchar* a = pageRow(iy);
            const uchar* b = pageRow(iy + 1);
            const int off = first + col[0];
            if (a && b && off + x0 >= 0 && off + x1 + 1 <= width - 1) {
                const float f = colFrac[0];
                for (int x = x0; x <= x1; ++x) {
                    const int j = off + x;
                    const float l = float(a[j]) + float(b[j] - a[j]) * fy;
                    const float r = float(a[j + 1]) + float(b[j + 1] - a[j + 1]) * fy;
                    row[x] = l + (r - l) * f <= flevel ? clBlack32 : clWhite32;
                }
                continue;
            }
        }
        std::fill(sum.begin() + x0, sum.begin() + x1 + 1, 0.0f);
        for (int sy = 0; sy < k; ++sy) {
            const double py = ys[std::size_t(y) * std::size_t(k) + std::size_t(sy)];
            const int iy = int(std::floor(py));
            const float fy = float(py - iy);
            const uchar* a = pageRow(iy);
            const uchar* b = pageRow(iy + 1);
            float* lineAt = line.data() - first;
            // Only the page columns the kept bitmap columns reach.
            const int j0 = first + col[std::size_t(x0) * std::size_t(k)];
            const int j1 = first + col[std::size_t(x1) * std::size_t(k) + std::size_t(k) - 1] + 1;
            // Off the page both rows are white; a disc at the page's edge has long stretches
            // of that, each filled without a test per column.
            const float white = 255.0f + (255.0f - 255.0f) * fy;
            const int in0 = std::max(j0, 0), in1 = std::min(j1, width - 1);
            for (int j = j0; j < std::min(in0, j1 + 1); ++j)
                lineAt[j] = white;
            if (a && b) {
                for (int j = in0; j <= in1; ++j)
                    lineAt[j] = float(a[j]) + float(b[j] - a[j]) * fy;
            } else {
                for (int j = in0; j <= in1; ++j) {
                    const float va = a ? a[j] : 255.0f, vb = b ? b[j] : 255.0f;
                    lineAt[j] = va + (vb - va) * fy;
                }
            }
            for (int j = std::max(in1 + 1, j0); j <= j1; ++j)
                lineAt[j] = white;
            if (uniform) {
                // One sub-sample per column at the same fraction: a contiguous loop the
                // compiler vectorises, with the same arithmetic as the general one below.
                const float* l = line.data() + col[0];
                const float f = colFrac[0];
                for (int x = x0; x <= x1; ++x)
                    sum[std::size_t(x)] += l[x] + (l[x + 1] - l[x]) * f;
                continue;
            }
            for (int x = x0; x <= x1; ++x)
                for (int sx = 0; sx < k; ++sx) {
                    const std::size_t i = std::size_t(x) * std::size_t(k) + std::size_t(sx);
                    const float l = line[std::size_t(col[i])], r = line[std::size_t(col[i] + 1)];
                    sum[std::size_t(x)] += l + (r - l) * colFrac[i];
                }
        }
        // Every pixel is still white here: written whole, the loop needs no branch.
        for (int x = x0; x <= x1; ++x)
            row[x] = sum[std::size_t(x)] <= flevel ? clBlack32 : clWhite32;
    }
    return out;
}

} // namespace host::skan
