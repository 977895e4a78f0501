#include "chartgen/SampleCharts.h"

namespace chartgen {

namespace {

double hm(int h, int m) {
    return h * 60.0 + m;
}

Period p(int code, double od, double do_, int km = 0) {
    return {code, od, do_, km};
}

// A working day: two driving stints split by a 45-minute break, work at both ends.
std::vector<Period> day() {
    return {p(0, hm(0, 0), hm(5, 40)),       p(1, hm(5, 40), hm(6, 0)),
            p(2, hm(6, 0), hm(8, 15), 176),  p(0, hm(8, 15), hm(9, 0)),
            p(2, hm(9, 0), hm(11, 20), 171), p(3, hm(11, 20), hm(12, 0)),
            p(0, hm(12, 0), hm(12, 45)),     p(2, hm(12, 45), hm(14, 30), 124),
            p(1, hm(14, 30), hm(15, 30)),    p(0, hm(15, 30), hm(24, 0))};
}

ChartSpec base(int typ, double kat24, std::vector<Period> periods) {
    ChartSpec s;
    s.typ = typ;
    s.kat24 = kat24;
    s.periods = std::move(periods);
    return s;
}

} // namespace

std::vector<NamedChart> sampleCharts() {
    std::vector<NamedChart> out;
    out.push_back({QStringLiteral("standardowa"), base(0, 0.0, day())});

    ChartSpec thin = base(1, 137.5,
                          {p(1, hm(6, 0), hm(6, 30)), p(2, hm(6, 30), hm(9, 0), 187),
                           p(0, hm(9, 0), hm(9, 45)), p(2, hm(9, 45), hm(12, 0), 158),
                           p(3, hm(12, 0), hm(13, 0)), p(2, hm(13, 0), hm(15, 50), 203),
                           p(1, hm(15, 50), hm(16, 40)), p(0, hm(16, 40), hm(6, 0))});
    out.push_back({QStringLiteral("cienki_obrocony"), thin});

    out.push_back({QStringLiteral("schodkowy"), base(2, 90.0, day())});
    out.push_back({QStringLiteral("pseudoschodkowy"), base(3, 300.0, day())});

    ChartSpec large = base(4, 45.0, day());
    large.rozmiar = 1500;
    out.push_back({QStringLiteral("do125kmh_duzy"), large});

    ChartSpec noisy = base(0, 250.0, day());
    noisy.noise.specks = 400;
    noisy.noise.scratch = true;
    noisy.noise.gaps = 6;
    noisy.noise.shift_x = 2;
    noisy.noise.shift_y = -1;
    noisy.seed = 7;
    out.push_back({QStringLiteral("zaklocenia"), noisy});

    ChartSpec small = base(0, 200.0, day());
    small.rozmiar = 800;
    small.x0 = 401;
    small.y0 = 399;
    out.push_back({QStringLiteral("maly_800"), small});

    // Night shift from 18:00, a drive across midnight and two hours without a disc.
    ChartSpec night =
        base(0, 10.0,
             {p(1, hm(18, 0), hm(18, 30)), p(2, hm(18, 30), hm(21, 0), 192),
              p(0, hm(21, 0), hm(21, 45)), p(2, hm(21, 45), hm(23, 30), 131),
              p(3, hm(23, 30), hm(0, 10)), p(2, hm(0, 10), hm(1, 40), 104),
              p(0, hm(1, 40), hm(2, 0)), p(-1, hm(2, 0), hm(4, 0)), p(0, hm(4, 0), hm(17, 50))});
    night.start = hm(18, 0);
    out.push_back({QStringLiteral("nocna_zmiana"), night});
    return out;
}

namespace {

NamedChart wholeDisc(const QString& name) {
    for (NamedChart n : sampleCharts())
        if (n.name == name) {
            n.spec.rozmiar = 1500;
            n.spec.x0.reset();
            n.spec.y0.reset();
            return n;
        }
    return {};
}

} // namespace

std::vector<NamedChart> a4SheetCharts() {
    NamedChart day = wholeDisc(QStringLiteral("standardowa"));
    NamedChart night = wholeDisc(QStringLiteral("nocna_zmiana"));
    night.spec.kat24 = day.spec.kat24;
    return {day, night};
}

NamedChart fineScanChart() {
    return wholeDisc(QStringLiteral("standardowa"));
}

std::vector<NamedChart> scanLikeCharts() {
    NamedChart day = wholeDisc(QStringLiteral("standardowa"));
    NamedChart gap = day;
    gap.name = QStringLiteral("bez_zapisu");
    gap.spec.periods = {p(0, hm(0, 0), hm(5, 30)),        p(2, hm(5, 30), hm(6, 43), 88),
                        p(-1, hm(6, 43), hm(18, 52)),     p(1, hm(18, 52), hm(19, 20)),
                        p(2, hm(19, 20), hm(21, 0), 131), p(0, hm(21, 0), hm(24, 0))};
    NamedChart night = wholeDisc(QStringLiteral("nocna_zmiana"));
    std::vector<NamedChart> out{day, gap, night};
    for (NamedChart& n : out) {
        n.spec.noise.shift_x = 3;
        n.spec.noise.shift_y = -2;
    }
    return out;
}

} // namespace chartgen
