#include "chartgen/DistancePlan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace chartgen {

namespace {

constexpr int kStates = 8;
constexpr long kJumpCost = 100;
constexpr long kInf = std::numeric_limits<long>::max() / 4;
// A visible jump of the stylus needs a pause this long (degrees): shorter pauses may be merged
// into the neighbouring drives by the reading.
constexpr double kMinJumpPause = 3.0;

// Where the stylus rests: in gap g (1..4) between lines g and g + 1, moving up (+1) or down.
struct State {
    int g = 1;
    int dir = 1;
};
State stateOf(int i) {
    return {i / 2 + 1, i % 2 ? -1 : 1};
}
int indexOf(State s) {
    return (s.g - 1) * 2 + (s.dir < 0 ? 1 : 0);
}

struct Option : Strokes {
    bool flat = false;
    State end;
    std::vector<int> punkty;
    long cost = 0;
};

// The lines 2..4 a monotone move between two gaps crosses, as the reading records them when
// the move has no peak: types 2 and 4 when both are crossed, else 2 and 3, else 3 and 4.
std::vector<int> partialWithoutPeak(int from, int to) {
    auto crossed = [&](int line) {
        return std::min(from, to) < line && line <= std::max(from, to);
    };
    std::vector<int> p;
    if (crossed(2) && crossed(4))
        p = {2, 4};
    else if (crossed(2) && crossed(3))
        p = {2, 3};
    else if (crossed(3) && crossed(4))
        p = {3, 4};
    if (to < from) std::reverse(p.begin(), p.end());
    return p;
}

std::vector<Option> optionsFor(const ChartGeometry& g, State s, int km) {
    std::vector<Option> out;
    if (km == 0) {
        Option o;
        o.flat = true;
        o.end = s;
        o.ys = {g.gapMiddle(s.g)};
        out.push_back(o);
        return out;
    }
    // No peak: one monotone move across two or three lines.
    for (int e = s.g + s.dir; e >= 1 && e <= 4; e += s.dir) {
        Option o;
        o.punkty = partialWithoutPeak(s.g, e);
        if (o.punkty.empty() || kmOfPoints(o.punkty) != km) continue;
        o.end = {e, s.dir};
        o.ys = {g.gapMiddle(s.g), g.gapMiddle(e)};
        out.push_back(o);
    }
    // Peaks: the start stroke counts by the line next to the start gap, the end stroke by the
    // line next to the end gap, full strokes 5 km each.
    for (int tips = 1; tips <= km / 5 + 2; ++tips) {
        const int first = s.dir > 0 ? 5 : 1;
        const int last = tips % 2 ? first : 6 - first;
        for (int e = 1; e <= 4; ++e) {
            Option o;
            o.tips = tips;
            std::optional<int> startPoint, endPoint;
            if (s.dir > 0 && s.g <= 3) startPoint = s.g + 1;
            if (s.dir < 0 && s.g >= 2) startPoint = s.g;
            if (last == 5 && e <= 3) endPoint = e + 1;
            if (last == 1 && e >= 2) endPoint = e;
            if (startPoint) o.punkty.push_back(*startPoint);
            o.ys.push_back(g.gapMiddle(s.g));
            for (int k = 0, t = first; k < tips; ++k, t = 6 - t) {
                o.punkty.push_back(t);
                o.ys.push_back(t == 5 ? g.tipOuter() : g.tipInner());
            }
            if (endPoint) o.punkty.push_back(*endPoint);
            o.ys.push_back(g.gapMiddle(e));
            if (kmOfPoints(o.punkty) != km) continue;
            o.end = {e, last == 5 ? -1 : 1};
            o.startCrossesNone = !startPoint;
            o.endCrossesLine = endPoint.has_value();
            // Partial strokes that cross no line rest on timing; a crossing at the end needs
            // a slower stroke; both are fine but the plain forms are preferred.
            o.cost = (o.startCrossesNone ? 2 : 0) + (o.endCrossesLine ? 1 : 0);
            out.push_back(o);
        }
    }
    return out;
}

struct Step {
    long cost = kInf;
    int prevEnd = -1; // end state of the previous drive
    int start = -1;   // start state of this drive
    int option = -1;
};

} // namespace

int kmOfPoints(const std::vector<int>& punkty) {
    int km = 0;
    for (std::size_t i = 1; i < punkty.size(); ++i)
        km += std::abs(punkty[i - 1] - punkty[i]) + 1;
    return km;
}

std::optional<DistancePlan> planDistance(const ChartGeometry& g,
                                         const std::vector<Stretch>& stretches, double startKat,
                                         QString* error) {
    auto kat = [&](double minutes) { return startKat + minutes / 4.0; };
    std::vector<std::size_t> drives;
    for (std::size_t i = 0; i < stretches.size(); ++i)
        if (stretches[i].czy_praca == 2) drives.push_back(i);

    // How the stylus may change level before each drive: freely across an untraced stretch,
    // by a visible jump in a long pause, or not at all.
    enum class Bridge { Free, Jump, None };
    std::vector<Bridge> bridge(drives.size(), Bridge::None);
    std::vector<std::size_t> bridgeAt(drives.size(), 0);
    for (std::size_t d = 0; d < drives.size(); ++d) {
        const std::size_t from = d == 0 ? 0 : drives[d - 1] + 1;
        if (d == 0) bridge[d] = Bridge::Free;
        double longest = 0;
        for (std::size_t j = from; j < drives[d]; ++j) {
            const Stretch& s = stretches[j];
            if (s.czy_praca == -1) {
                bridge[d] = Bridge::Free;
                bridgeAt[d] = j;
            } else if (bridge[d] != Bridge::Free && (s.do_ - s.od) / 4.0 >= kMinJumpPause &&
                       s.do_ - s.od > longest) {
                longest = s.do_ - s.od;
                bridge[d] = Bridge::Jump;
                bridgeAt[d] = j;
            }
        }
    }

    std::vector<std::vector<std::vector<Option>>> options(drives.size());
    std::vector<std::vector<std::vector<std::optional<std::vector<TracePoint>>>>> layouts(
        drives.size());
    std::vector<std::array<Step, kStates>> dp(drives.size());
    std::array<long, kStates> prev;
    prev.fill(0);
    for (std::size_t d = 0; d < drives.size(); ++d) {
        const Stretch& s = stretches[drives[d]];
        options[d].resize(kStates);
        layouts[d].resize(kStates);
        for (int st = 0; st < kStates; ++st) {
            options[d][st] = optionsFor(g, stateOf(st), s.km);
            for (const Option& o : options[d][st])
                layouts[d][st].push_back(
                    o.flat ? std::vector<TracePoint>{{kat(s.od), o.ys[0]}, {kat(s.do_), o.ys[0]}}
                           : layOutStrokes(g, o, kat(s.od), kat(s.do_)));
        }
        for (int pe = 0; pe < kStates; ++pe) {
            if (prev[pe] >= kInf) continue;
            for (int st = 0; st < kStates; ++st) {
                long c = prev[pe];
                if (st != pe) {
                    if (bridge[d] == Bridge::None) continue;
                    if (bridge[d] == Bridge::Jump) c += kJumpCost;
                }
                for (std::size_t k = 0; k < options[d][st].size(); ++k) {
                    if (!layouts[d][st][k]) continue;
                    const Option& o = options[d][st][k];
                    const int end = indexOf(o.end);
                    if (c + o.cost < dp[d][end].cost) dp[d][end] = {c + o.cost, pe, st, int(k)};
                }
            }
        }
        for (int st = 0; st < kStates; ++st)
            prev[st] = dp[d][st].cost;
        if (*std::min_element(prev.begin(), prev.end()) >= kInf) {
            if (error) {
                bool drawable = false;
                for (const auto& perState : layouts[d])
                    for (const auto& l : perState)
                        drawable = drawable || l.has_value();
                const QString head = QStringLiteral("driving period %1: %2 km in %3 min")
                                         .arg(s.period + 1)
                                         .arg(s.km)
                                         .arg(s.do_ - s.od, 0, 'f', 1);
                *error = drawable
                             ? head + QStringLiteral(" cannot continue the zig-zag where the "
                                                     "previous drive left the stylus (the stops "
                                                     "between are under %1 min); change the km "
                                                     "by one or two or lengthen a stop")
                                          .arg(kMinJumpPause * 4)
                             : head + QStringLiteral(" cannot be drawn so that it reads back "
                                                     "exactly: too many km for its length");
            }
            return std::nullopt;
        }
    }

    // Walk back through the cheapest plan.
    std::vector<int> startOf(drives.size()), optionOf(drives.size());
    if (!drives.empty()) {
        int end = int(std::min_element(prev.begin(), prev.end()) - prev.begin());
        for (std::size_t d = drives.size(); d-- > 0;) {
            startOf[d] = dp[d][end].start;
            optionOf[d] = dp[d][end].option;
            end = dp[d][end].prevEnd;
        }
    }

    DistancePlan plan;
    std::vector<TracePoint> run;
    auto closeRun = [&] {
        if (run.size() >= 2) plan.runs.push_back(run);
        run.clear();
    };
    auto addPoint = [&](double k, double y) {
        if (!run.empty() && run.back().kat == k && run.back().y == y) return;
        run.push_back({k, y});
    };
    double y = drives.empty() ? g.gapMiddle(2) : g.gapMiddle(stateOf(startOf[0]).g);
    std::size_t nextDrive = 0;
    for (std::size_t j = 0; j < stretches.size(); ++j) {
        const Stretch& s = stretches[j];
        const bool levelChangeHere = nextDrive < drives.size() && nextDrive > 0 &&
                                     bridge[nextDrive] != Bridge::None && bridgeAt[nextDrive] == j;
        const double target =
            nextDrive < drives.size() ? g.gapMiddle(stateOf(startOf[nextDrive]).g) : y;
        if (s.czy_praca == -1) {
            closeRun();
            if (levelChangeHere) y = target;
            continue;
        }
        if (s.czy_praca != 2) {
            addPoint(kat(s.od), y);
            if (levelChangeHere && target != y) {
                const double mid = kat((s.od + s.do_) / 2);
                addPoint(mid, y);
                addPoint(mid, target);
                y = target;
            }
            addPoint(kat(s.do_), y);
            continue;
        }
        const std::size_t d = nextDrive++;
        const Option& o = options[d][startOf[d]][optionOf[d]];
        for (const TracePoint& p : *layouts[d][startOf[d]][optionOf[d]])
            addPoint(p.kat, p.y);
        y = o.ys.back();
        DrivingReading r;
        r.period = s.period;
        r.km = kmOfPoints(o.punkty);
        r.punkty = o.punkty;
        r.tips = o.tips;
        r.jumpBefore = d > 0 && bridge[d] == Bridge::Jump &&
                       startOf[d] != indexOf(options[d - 1][startOf[d - 1]][optionOf[d - 1]].end);
        plan.driving.push_back(r);
    }
    closeRun();
    return plan;
}

} // namespace chartgen
