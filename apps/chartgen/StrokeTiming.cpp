#include "chartgen/StrokeTiming.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chartgen {

namespace {

// A stretch of the path (in cumulative radial distance) that must take at least minKat.
struct SlowRegion {
    double from = 0, to = 0, minKat = 0;
};

// A stroke is seen by the 3x3 test of a walk along a line from somewhat before to somewhat
// after it crosses the line: at least the half window and half the stroke, more when the
// stroke is slanted. The timing is checked at both ends of that range (pixels of arc).
constexpr double kReachMinPx = 1.5, kReachPx = 2.5;
// A slow stroke may be met only this far past its crossing (pixels of arc).
constexpr double kSeenLatePx = 0.5;
// Angle kept between a period's ends and the first and last line crossings of its strokes.
constexpr double kEndClearance = 0.5;

// The stylus path of one option: waypoints and their cumulative radial distance.
struct Path {
    const Strokes& o;
    std::vector<double> pos;

    explicit Path(const Strokes& opt) : o(opt), pos(opt.ys.size(), 0.0) {
        for (std::size_t k = 1; k < pos.size(); ++k)
            pos[k] = pos[k - 1] + std::fabs(o.ys[k] - o.ys[k - 1]);
    }
    double total() const { return pos.back(); }
    // Distance along the path where segment k (waypoint k to k + 1) passes level y, if it does.
    std::optional<double> at(std::size_t k, double y) const {
        if (k + 1 >= pos.size()) return std::nullopt;
        const double lo = std::min(o.ys[k], o.ys[k + 1]), hi = std::max(o.ys[k], o.ys[k + 1]);
        if (y < lo || y > hi) return std::nullopt;
        return pos[k] + std::fabs(o.ys[k] - y);
    }
    double yAt(double p) const {
        std::size_t k = 0;
        while (k + 2 < pos.size() && pos[k + 1] <= p)
            ++k;
        const double f = pos[k + 1] > pos[k] ? (p - pos[k]) / (pos[k + 1] - pos[k]) : 0;
        return o.ys[k] + f * (o.ys[k + 1] - o.ys[k]);
    }
};

// Piecewise uniform speed over the path: as fast as the span allows, slower in the regions.
struct Timing {
    std::vector<double> cuts, kat;

    double katAt(double p) const {
        const auto it = std::upper_bound(cuts.begin(), cuts.end(), p);
        std::size_t i = std::size_t(std::max<std::ptrdiff_t>(it - cuts.begin(), 1)) - 1;
        i = std::min(i, cuts.size() - 2);
        const double f = cuts[i + 1] > cuts[i] ? (p - cuts[i]) / (cuts[i + 1] - cuts[i]) : 0;
        return kat[i] + f * (kat[i + 1] - kat[i]);
    }
};

std::optional<Timing> solveTiming(const Path& path, const std::vector<SlowRegion>& regions,
                                  double th0, double th1) {
    Timing t;
    t.cuts = path.pos;
    for (const auto& r : regions) {
        t.cuts.push_back(r.from);
        t.cuts.push_back(r.to);
    }
    std::sort(t.cuts.begin(), t.cuts.end());
    t.cuts.erase(std::unique(t.cuts.begin(), t.cuts.end(),
                             [](double a, double b) { return std::fabs(a - b) < 1e-9; }),
                 t.cuts.end());
    std::vector<double> vmax(t.cuts.size(), std::numeric_limits<double>::infinity());
    for (std::size_t i = 0; i + 1 < t.cuts.size(); ++i) {
        const double mid = (t.cuts[i] + t.cuts[i + 1]) / 2;
        for (const auto& r : regions)
            if (r.from <= mid && mid <= r.to && r.to > r.from)
                vmax[i] = std::min(vmax[i], (r.to - r.from) / r.minKat);
    }
    const double span = th1 - th0;
    auto angleFor = [&](double v) {
        double a = 0;
        for (std::size_t i = 0; i + 1 < t.cuts.size(); ++i)
            a += (t.cuts[i + 1] - t.cuts[i]) / std::min(v, vmax[i]);
        return a;
    };
    if (t.cuts.size() < 2 || angleFor(1e12) >= span * 0.999) return std::nullopt;
    double lo = 1e-6, hi = 1e12;
    for (int it = 0; it < 200; ++it) {
        const double mid = std::sqrt(lo * hi);
        (angleFor(mid) > span ? lo : hi) = mid;
    }
    t.kat.assign(t.cuts.size(), th0);
    for (std::size_t i = 0; i + 1 < t.cuts.size(); ++i)
        t.kat[i + 1] = t.kat[i] + (t.cuts[i + 1] - t.cuts[i]) / std::min(hi, vmax[i]);
    t.kat.back() = th1;
    return t;
}

// Where the peaks are, and where the path crosses the intermediate lines, as angles.
struct TipCrossing {
    int type = 5;
    double in = 0, out = 0; // the stroke passes the turning line on the way in and out
};
struct LineCrossings {
    std::vector<double> kat[5];   // kat[n], n = 2..4: every crossing of line n
    std::vector<double> first[5]; // crossings before the first peak
    std::vector<double> last[5];  // crossings after the last peak
};

// The intermediate lines an end reading must see and may see, given the peak next to that
// end and the lines the end stroke crosses. Beside an outer peak the reading takes the lowest
// line seen, so only that one counts; beside an inner peak it needs every line up to the
// highest.
struct EndLines {
    bool must[5] = {}, may[5] = {};
};
EndLines endLines(int tipType, const std::vector<double> (&crossed)[5]) {
    EndLines e;
    for (int n = 2; n <= 4; ++n)
        e.may[n] = e.must[n] = !crossed[n].empty();
    if (tipType == 5) {
        bool lowest = true;
        for (int n = 2; n <= 4; ++n)
            if (e.must[n]) {
                e.must[n] = lowest;
                lowest = false;
            }
    }
    return e;
}

// Runs the two peak passes over the planned crossings, for a read range start..end and a
// given reach (pixels of arc) of the 3x3 test along a line, and checks that every peak is
// met once and that the end readings see the lines the ends cross and no other.
bool readsAsPlanned(const ChartGeometry& g, const std::vector<TipCrossing>& tips,
                    const LineCrossings& lines, double start, double end, double reachPx) {
    const double step = std::max(g.stepDeg, 360.0 / (2.0 * M_PI * g.line(5)));
    auto reach = [&](int line) { return reachPx / g.line(line) * 180.0 / M_PI; };
    struct Seen {
        double kat;
        int tip;
    };
    std::vector<Seen> seen;
    for (int type : {5, 1}) {
        const double w = reach(type);
        const int delta = type == 5 ? g.delta_rg_km : g.delta_rd_km;
        int c = delta;
        for (double a = start; a <= end; a += step) {
            ++c;
            for (std::size_t k = 0; k < tips.size(); ++k) {
                if (tips[k].type != type || a < tips[k].in - w || a > tips[k].out + w) continue;
                if (c > delta) {
                    seen.push_back({a, int(k)});
                    c = 0;
                }
                break;
            }
        }
    }
    std::sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) { return a.kat < b.kat; });
    // Neighbours in the same band: the one nearer the middle goes.
    const double middle = (start + end) / 2;
    for (std::size_t i = 0; i + 1 < seen.size();) {
        if (tips[std::size_t(seen[i].tip)].type != tips[std::size_t(seen[i + 1].tip)].type) {
            ++i;
            continue;
        }
        seen.erase(seen.begin() + std::ptrdiff_t(seen[i + 1].kat <= middle ? i + 1 : i));
    }
    if (seen.size() != tips.size()) return false;
    for (std::size_t k = 0; k < tips.size(); ++k)
        if (seen[k].tip != int(k)) return false;

    // The start reading walks from start - 0.3 to the first point - 0.2, the end reading from
    // the last point + 0.3 to end + 0.2; points lie two steps after the peak was met. A line
    // crossed by an end stroke must be seen inside its window, any other line not at all.
    constexpr double kMargin = 0.05;
    const double s0 = start - 0.3, s1 = seen.front().kat + 2 * step - 0.2;
    const double e0 = seen.back().kat + 2 * step + 0.3, e1 = end + 0.2;
    const EndLines startLines = endLines(tips.front().type, lines.first);
    const EndLines endLinesSeen = endLines(tips.back().type, lines.last);
    for (int n = 2; n <= 4; ++n) {
        const double w = reach(n), late = kSeenLatePx / g.line(n) * 180.0 / M_PI;
        // A line that must be seen: count on it only from just after the crossing. A line
        // that must not: it may be seen anywhere within the reach.
        auto seenIn = [&](double k, double lo, double hi) {
            return k + late >= lo + kMargin && k + late <= hi - kMargin;
        };
        auto clearOf = [&](double k, double lo, double hi) {
            return k + w < lo - kMargin || k - w > hi + kMargin;
        };
        // A crossing is recorded one step beyond where it is met; it must stay before the
        // first peak's point.
        if (startLines.must[n] && std::none_of(lines.first[n].begin(), lines.first[n].end(),
                                               [&](double k) { return seenIn(k, s0, s1 - step); }))
            return false;
        if (endLinesSeen.must[n] && std::none_of(lines.last[n].begin(), lines.last[n].end(),
                                                 [&](double k) { return seenIn(k, e0, e1); }))
            return false;
        for (double k : lines.kat[n]) {
            if (!startLines.may[n] && !clearOf(k, s0, s1)) return false;
            if (!endLinesSeen.may[n] && !clearOf(k, e0, e1)) return false;
        }
    }
    return true;
}

// Where the start stroke (or the end stroke) crosses the line its end reading must see that
// lies nearest the peak, as a distance along the path; none when it crosses no line.
std::optional<double> mustNearTip(const Path& path, const ChartGeometry& g, const Strokes& o,
                                  bool atStart) {
    if (o.tips == 0) return std::nullopt;
    const std::size_t seg = atStart ? 0 : o.ys.size() - 2;
    const std::size_t tip = atStart ? 1 : o.ys.size() - 2;
    const int type = o.ys[tip] == g.tipOuter() ? 5 : 1;
    // Beside an inner peak every line counts, the nearest is line 2; beside an outer peak
    // only the lowest line crossed counts.
    for (int n = 2; n <= 4; ++n)
        if (const auto p = path.at(seg, g.readLine(n))) {
            if (type == 1 && n != 2) continue;
            return p;
        }
    return std::nullopt;
}

// Lays the waypoints of one option out over th0..th1 at uniform speed, slowing down where the
// reading's timing needs it, and checks the result against the peak passes.
} // namespace

std::optional<std::vector<TracePoint>> layOutStrokes(const ChartGeometry& g, const Strokes& o,
                                                     double th0, double th1) {
    const Path path(o);
    const double step = std::max(g.stepDeg, 360.0 / (2.0 * M_PI * g.line(5)));
    const double reachDeg = kReachPx / g.line(1) * 180.0 / M_PI;

    // Crossings around every peak, as distances along the path.
    struct TipPos {
        int type;
        double in, out;
        std::optional<double> before, after; // the neighbouring line on the way in and out
    };
    std::vector<TipPos> tipPos;
    for (int k = 1; k <= o.tips; ++k) {
        const std::size_t w = std::size_t(k);
        const int type = o.ys[w] == g.tipOuter() ? 5 : 1;
        const double line = g.readLine(type), next = g.readLine(type == 5 ? 4 : 2);
        tipPos.push_back({type, *path.at(w - 1, line), *path.at(w, line), path.at(w - 1, next),
                          path.at(w, next)});
    }

    for (double f = 1.0; f < 8.0; f *= 1.5) {
        std::vector<SlowRegion> regions;
        // Line crossings stay half a degree inside the period: the readings of the drives
        // before and after look up to half a degree (plus the reach) beyond their own ends,
        // and a stop can be as short as three minutes.
        {
            std::optional<double> firstCross, lastCross;
            for (int n = 1; n <= 5; ++n)
                for (std::size_t k = 0; k + 1 < o.ys.size(); ++k)
                    if (const auto p = path.at(k, g.readLine(n))) {
                        firstCross = std::min(firstCross.value_or(*p), *p);
                        lastCross = std::max(lastCross.value_or(*p), *p);
                    }
            if (firstCross) {
                regions.push_back({0.0, *firstCross, kEndClearance});
                regions.push_back({*lastCross, path.total(), kEndClearance});
            }
        }
        if (o.tips > 0) {
            const TipPos &first = tipPos.front(), &last = tipPos.back();
            // A start stroke that crosses no line: the line beyond the first peak must stay
            // unseen until the start reading stops.
            if (o.startCrossesNone && first.after)
                regions.push_back({first.in, *first.after, f * (reachDeg + 2 * step)});
            // The line an end reading must see nearest the peak: crossed early enough before
            // the first peak's point, late enough after the last peak's point.
            if (const auto p = mustNearTip(path, g, o, true))
                regions.push_back({*p, first.in, f * (reachDeg - step + 0.3)});
            if (const auto p = mustNearTip(path, g, o, false))
                regions.push_back({last.out, *p, f * (2 * step + 0.45)});
            if (!o.endCrossesLine && last.before) {
                // An end stroke that crosses nothing: the stroke into the last peak must have
                // left the neighbouring line before the end reading starts.
                regions.push_back(
                    {*last.before, last.in, f * std::max(0.3, 2 * reachDeg - 2 * step - 0.1)});
            }
        }
        const auto timing = solveTiming(path, regions, th0, th1);
        if (!timing) return std::nullopt;

        std::vector<TipCrossing> tips;
        for (const TipPos& t : tipPos)
            tips.push_back({t.type, timing->katAt(t.in), timing->katAt(t.out)});
        LineCrossings lines;
        for (int n = 2; n <= 4; ++n)
            for (std::size_t k = 0; k + 1 < o.ys.size(); ++k)
                if (const auto p = path.at(k, g.readLine(n))) {
                    const double kat = timing->katAt(*p);
                    lines.kat[n].push_back(kat);
                    if (k == 0 && o.tips > 0) lines.first[n].push_back(kat);
                    if (k + 2 == o.ys.size() && o.tips > 0) lines.last[n].push_back(kat);
                }
        bool ok = true;
        for (double reachPx : {kReachMinPx, kReachPx})
            for (double slack : {-0.15, 0.15})
                ok = ok && (o.tips == 0 ||
                            readsAsPlanned(g, tips, lines, th0 + slack, th1 - slack, reachPx));
        if (!ok) continue;

        std::vector<TracePoint> pts;
        for (std::size_t i = 0; i < timing->cuts.size(); ++i)
            pts.push_back({timing->kat[i], path.yAt(timing->cuts[i])});
        return pts;
    }
    return std::nullopt;
}

} // namespace chartgen
