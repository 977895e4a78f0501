// Generated charts must read back as drawn: checked against the calibration and a model of
// the reading's measuring steps.

#include "chartgen/ChartGenerator.h"
#include "chartgen/Prng.h"
#include "chartgen/ReadingModel.h"
#include "chartgen/SampleCharts.h"

#include "analysis/Piksel.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

using namespace chartgen;

namespace {

analysis::Kalibracja installed() {
    QString error;
    auto k = loadCalibration(defaultCalibrationPath(), &error);
    EXPECT_TRUE(k) << error.toStdString();
    return k.value_or(analysis::Kalibracja{});
}

ChartGeometry geometry() {
    QString error;
    auto g = ChartGeometry::from(installed(), &error);
    EXPECT_TRUE(g) << error.toStdString();
    return g.value_or(ChartGeometry{});
}

} // namespace

TEST(ChartGenReading, SampleDrivesReadBackTheirKilometres) {
    const ChartGeometry g = geometry();
    for (const NamedChart& s : sampleCharts()) {
        if (s.spec.noise.specks || s.spec.noise.shift_x) continue;
        QString error;
        auto c = drawChart(s.spec, g, &error);
        ASSERT_TRUE(c) << s.name.toStdString() << ": " << error.toStdString();
        test::ReadingModel m(c->image, installed(), float(s.spec.kat24), s.spec.typ);
        for (const DrivingReading& r : c->distance.driving) {
            const Period& p = s.spec.periods[std::size_t(r.period)];
            const auto pts = m.distancePoints(float(s.spec.angleOf(p.czas_od)),
                                              float(s.spec.angleOf(p.czas_do)));
            std::vector<int> bands;
            for (const auto& q : pts)
                bands.push_back(q.typ);
            EXPECT_EQ(bands, r.punkty) << s.name.toStdString() << " period " << r.period;
            EXPECT_EQ(kmOfPoints(bands), p.km) << s.name.toStdString() << " period " << r.period;
        }
    }
}

namespace {

// Reads every drive of a drawn chart through the model, over the true range and over ranges
// off by half an activity sample either way, and compares with the plan.
void expectDrivesReadBack(const ChartSpec& spec, const std::string& what) {
    const ChartGeometry g = geometry();
    QString error;
    auto c = drawChart(spec, g, &error);
    ASSERT_TRUE(c) << what << ": " << error.toStdString();
    test::ReadingModel m(c->image, installed(), float(spec.kat24), spec.typ);
    for (const DrivingReading& r : c->distance.driving) {
        const Period& p = spec.periods[std::size_t(r.period)];
        for (float slack : {0.0f, 0.15f, -0.15f}) {
            const auto pts = m.distancePoints(float(spec.angleOf(p.czas_od)) + slack,
                                              float(spec.angleOf(p.czas_do)) - slack);
            std::vector<int> bands;
            for (const auto& q : pts)
                bands.push_back(q.typ);
            EXPECT_EQ(bands, r.punkty) << what << " period " << r.period << " slack " << slack;
            EXPECT_EQ(kmOfPoints(bands), p.km) << what << " period " << r.period;
        }
    }
}

ChartSpec oneDrive(int km, double minutes, double kat24 = 0) {
    ChartSpec s;
    s.kat24 = kat24;
    s.periods = {{0, 0, 600}, {2, 600, 600 + minutes, km}, {0, 600 + minutes, 1440}};
    return s;
}

} // namespace

TEST(ChartGenReading, SingleDrivesOfManyLengthsReadBack) {
    // Every residue of the 5 km strokes, slow and fast, short and long drives.
    const struct {
        int km;
        double minutes;
    } cases[] = {{0, 30},  {2, 6},   {3, 10},   {4, 12},   {5, 15},  {6, 20},
                 {7, 20},  {8, 25},  {9, 30},   {10, 30},  {11, 40}, {12, 60},
                 {23, 25}, {37, 45}, {64, 240}, {100, 75}, {143, 95}};
    for (const auto& c : cases)
        for (double kat24 : {0.0, 133.0, 271.5})
            expectDrivesReadBack(oneDrive(c.km, c.minutes, kat24),
                                 std::to_string(c.km) + " km in " + std::to_string(c.minutes) +
                                     " min, kat24 " + std::to_string(kat24));
}

TEST(ChartGenReading, DrivesSeparatedByShortStopsStayContinuousAndReadBack) {
    // Stops too short to move the stylus visibly: every drive starts where the last ended.
    ChartSpec s;
    s.kat24 = 40;
    double t = 360;
    for (int km : {6, 9, 13, 7, 21, 10, 17}) {
        s.periods.push_back({2, t, t + 25, km});
        s.periods.push_back({0, t + 25, t + 30});
        t += 30;
    }
    QString error;
    const auto c = drawChart(s, geometry(), &error);
    ASSERT_TRUE(c) << error.toStdString();
    for (const DrivingReading& r : c->distance.driving)
        EXPECT_FALSE(r.jumpBefore);
    ASSERT_EQ(c->distance.runs.size(), 1u) << "one unbroken stylus line";
    expectDrivesReadBack(s, "short stops");
}

TEST(ChartGenReading, TooManyKilometresForTheTimeIsRefusedNamingThePeriod) {
    QString error;
    EXPECT_FALSE(drawChart(oneDrive(300, 60), geometry(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("driving period 2"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("300 km"))) << error.toStdString();
}

TEST(ChartGenReading, RandomDaysReadBackExactly) {
    // Seeded random days: drives of 10 to 200 minutes at up to 84 km/h with stops of 3 to 60
    // minutes, any turn of the disc, the printed centre up to 3 px off the image centre.
    Prng rng(42);
    for (int day = 0; day < 30; ++day) {
        ChartSpec s;
        s.kat24 = rng.uniform(0, 360);
        if (day % 3 == 1) {
            s.x0 = 500 + rng.uniform(-3, 3);
            s.y0 = 500 + rng.uniform(-3, 3);
        }
        double t = rng.uniform(1, 120);
        s.periods.push_back({0, 0, t});
        while (true) {
            const double drive = rng.uniform(10, 200), stop = rng.uniform(3, 60);
            if (t + drive + stop > 1430) break;
            int km = int(rng.uniform(0.1, 1.4) * drive);
            if (km == 1) km = 2;
            s.periods.push_back({2, t, t + drive, km});
            s.periods.push_back({0, t + drive, t + drive + stop});
            t += drive + stop;
        }
        s.periods.push_back({0, t, 1440});
        QString error;
        const auto c = drawChart(s, geometry(), &error);
        if (!c) {
            // Only a short fast drive may be refused, and then with the reason.
            EXPECT_TRUE(error.contains(QStringLiteral("cannot be drawn"))) << error.toStdString();
            continue;
        }
        test::ReadingModel m(c->image, installed(), float(s.kat24), s.typ);
        for (const DrivingReading& r : c->distance.driving) {
            const Period& p = s.periods[std::size_t(r.period)];
            std::vector<int> bands;
            for (const auto& q :
                 m.distancePoints(float(s.angleOf(p.czas_od)), float(s.angleOf(p.czas_do))))
                bands.push_back(q.typ);
            EXPECT_EQ(bands, r.punkty) << "day " << day << " period " << r.period;
        }
    }
}

namespace {

// Class the activity reading gives a sample of each activity, by chart kind.
int expectedClass(int typ, int czy_praca) {
    if (czy_praca < 0) return 2;
    if (typ == 3) return czy_praca == 2 ? 11 : 2;
    static const int cls[4] = {2, 8, 11, 5}; // rest, other work, driving, availability
    return cls[czy_praca];
}

} // namespace

TEST(ChartGenReading, CentreAndHourRingAreFoundWhereDrawn) {
    const struct {
        double x0, y0;
        int typ;
    } cases[] = {{500, 500, 0}, {503, 498, 1}, {497.5, 502, 0}, {500, 500, 2}, {501, 503, 4}};
    for (const auto& k : cases) {
        ChartSpec s = sampleCharts()[0].spec;
        s.x0 = k.x0;
        s.y0 = k.y0;
        s.typ = k.typ;
        QString error;
        const auto c = drawChart(s, geometry(), &error);
        ASSERT_TRUE(c) << error.toStdString();
        test::ReadingModel m(c->image, installed(), float(s.kat24), s.typ);
        // The ring rays meet the ring pair. The midpoint of two opposite ring points moves
        // the centre by the offset's projection on their ray, half the offset on average over
        // a half turn; each point carries half a pixel and the mean another.
        for (const auto& ray : m.geometria().promienie_km)
            EXPECT_NEAR(ray.promien, geometry().r0, 4.0) << "ray at " << ray.kat;
        EXPECT_NEAR(m.x0(), 500 + (k.x0 - 500) / 2 + 1, 0.6);
        EXPECT_NEAR(m.y0(), 500 + (k.y0 - 500) / 2 + 1, 0.6);
        if (k.typ < 2) {
            EXPECT_NEAR(m.pocz_sr_godz(), geometry().activityBase, 1.0);
        }
    }
}

TEST(ChartGenReading, EveryActivitySampleReadsAsDrawnForEveryKind) {
    for (const NamedChart& n : sampleCharts()) {
        ChartSpec s = n.spec;
        s.noise = {};
        QString error;
        const auto c = drawChart(s, geometry(), &error);
        ASSERT_TRUE(c) << n.name.toStdString() << ": " << error.toStdString();
        test::ReadingModel m(c->image, installed(), float(s.kat24), s.typ);
        const auto st = layOut(s);
        const double startKat = s.angleOf(s.recordingStart());
        int checked = 0;
        for (float ak : m.sampleAngles(float(s.kat24))) {
            const double minutes = host::Katdo360(ak - startKat) * 4;
            const Stretch* here = nullptr;
            for (const Stretch& x : st)
                if (minutes >= x.od + 2.5 && minutes < x.do_ - 2.5) here = &x;
            if (!here) continue; // near a change of activity
            ++checked;
            EXPECT_EQ(m.sampleClass(ak), expectedClass(s.typ, here->czy_praca))
                << n.name.toStdString() << " at " << ak << " ("
                << minutesToText(minutes).toStdString() << ")";
        }
        EXPECT_GT(checked, 1000) << n.name.toStdString();
    }
}

TEST(ChartGenDrawing, BarsFillTheBandAtDrivingAndOnlyTheThinLineAtRest) {
    const ChartGeometry g = geometry();
    ChartSpec s = sampleCharts()[0].spec; // standard kind, kat24 0, centre 500
    QString error;
    const auto c = drawChart(s, g, &error);
    ASSERT_TRUE(c) << error.toStdString();
    auto darkAlong = [&](double minutes, int from, int to) {
        int dark = 0;
        for (int r = from; r <= to; ++r) {
            const auto p = analysis::punkt_na_kacie(500, 500, s.angleOf(minutes), r);
            dark += c->image.GetPixelS(p.x, p.y) == host::clBlack32;
        }
        return dark;
    };
    const int base = int(g.activityBase);
    EXPECT_EQ(darkAlong(7 * 60, base, base + 23), 24) << "driving fills the band";
    EXPECT_EQ(darkAlong(3 * 60, base, base + 2), 3) << "rest is a thin line at the base";
    EXPECT_EQ(darkAlong(3 * 60, base + 4, base + 30), 0) << "and nothing above it";
    EXPECT_EQ(darkAlong(3 * 60, base - 10, base - 2), 0) << "nor below";
}
