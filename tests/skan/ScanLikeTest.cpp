// Scan-like discs (no contrast to the lid, a broken outer line, dashed and labelled rings, a
// drifting trace, a faint rest line, JPEG) are found at the printed rings' centre, at the
// resolution the disc itself gives, and binarised so that the faint rest line stays.

#include "SkanFixtures.h"

#include "activity/OdczytTarczy.h"
#include "activity/WynikJson.h"
#include "chartgen/SampleCharts.h"
#include "chartgen/ScanLikeRender.h"
#include "skan/WczytajSkan.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cmath>

using namespace skantest;

namespace {

chartgen::ScanLikeDisc render(int chart, const chartgen::ScanLikeOptions& o) {
    QString error;
    const auto d = chartgen::renderScanLike(chartgen::scanLikeCharts().at(std::size_t(chart)).spec,
                                            chartGeometry(), o, &error);
    EXPECT_TRUE(d) << error.toStdString();
    return d.value_or(chartgen::ScanLikeDisc{});
}

// Share of rays over an arc of the cut bitmap that meet ink between two radii.
double inkedRays(const host::Bitmap32& b, double from, double to, double r0, double r1) {
    int rays = 0, inked = 0;
    for (double kat = from; kat < to; kat += 0.25) {
        ++rays;
        const double a = kat * M_PI / 180;
        for (double r = r0; r <= r1; r += 0.5) {
            const int x = int(std::lround(500 + r * std::cos(a)));
            const int y = int(std::lround(500 + r * std::sin(a)));
            if (b.GetPixelS(x, y) == host::clBlack32) {
                ++inked;
                break;
            }
        }
    }
    return rays ? double(inked) / rays : 0;
}

// Minutes of the day inside the driving periods of a periods array ("czas_od"/"czas_do").
std::vector<bool> drivingMinutes(const QJsonArray& periods) {
    std::vector<bool> d(1440, false);
    auto minutes = [](const QJsonValue& v) {
        const QStringList hm = v.toString().split(QLatin1Char(':'));
        return hm.size() >= 2 ? hm[0].toInt() * 60 + hm[1].toInt() : 0;
    };
    for (const auto& v : periods) {
        const QJsonObject p = v.toObject();
        if (p[QStringLiteral("czy_praca")].toInt() != 2) continue;
        const int from = minutes(p[QStringLiteral("czas_od")]);
        int to = minutes(p[QStringLiteral("czas_do")]);
        if (to <= from) to += 1440;
        for (int m = from; m < to; ++m)
            d[std::size_t(m % 1440)] = true;
    }
    return d;
}

// The disc imported from its scan file and read as a new chart, as JSON.
QJsonObject readImported(const chartgen::ScanLikeDisc& d, const QString& file, int statedDpi,
                         const analysis::Kalibracja& kal) {
    const auto discs = host::WczytajSkan(save(d.image, file, statedDpi));
    EXPECT_EQ(discs.size(), 1u);
    if (discs.size() != 1) return {};
    WejscieTarczy we;
    we.x0 = float(discs[0].x0);
    we.y0 = float(discs[0].y0);
    we.kat24 = float(d.truth[QStringLiteral("kat24")].toDouble());
    we.data = host::TDateTime::encode(2024, 3, 5);
    we.czytnik = nullptr;
    return odczyt_json(odczytaj_tarcze(discs[0].bitmapa, kal, we));
}

} // namespace

TEST(ScanLike, DiscFoundAtThePrintedCentreAndItsOwnResolution) {
    struct Case {
        const char* name;
        int dpi;
        const char* file;
        bool statesDpi;
        double edgeBroken;
        bool legend;
        double driftX, driftY;
    };
    const Case cases[] = {
        {"no contrast, dashed rings, legend", 300, "sl300.jpg", true, 0.3, true, 0, 0},
        {"outer line 40 % missing", 150, "sl150.jpg", true, 0.4, false, 0, 0},
        {"trace drifting 11 px", 600, "sl600.jpg", true, 0.25, true, 8, -7.5},
        {"157 dpi, no resolution stated", 157, "sl157.pgm", false, 0.3, true, 0, 0},
        {"300 dpi stated as 96", 300, "sl300.png", false, 0.22, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        o.edgeBroken = c.edgeBroken;
        o.legend = c.legend;
        o.driftX = c.driftX;
        o.driftY = c.driftY;
        const chartgen::ScanLikeDisc d = render(0, o);
        const auto discs = host::WczytajSkan(save(d.image, c.file, c.statesDpi ? c.dpi : 0));
        ASSERT_EQ(discs.size(), 1u);
        EXPECT_NEAR(discs[0].dpi, c.dpi, c.dpi == 157 ? 1.0 : 0.0);
        EXPECT_LE(errorAt300(discs[0].srodek, d.centre, c.dpi), 0.5);
        EXPECT_NEAR(discs[0].promien, o.edgeRadius, 1.5);
        // The printed distance ring lands where the reader looks for it; below 200 dpi the
        // blur of a 2 px ring, cut near the paper level, widens it by up to a pixel and a half.
        const Ring ring = ringAround(discs[0].bitmapa, 500, 500, 255, 263);
        EXPECT_GE(ring.rays, 350);
        EXPECT_NEAR(ring.radius, chartGeometry().r0, c.dpi < 200 ? 1.6 : 1.0);
        EXPECT_LE(std::hypot(ring.dx, ring.dy), 0.5);
    }
}

TEST(ScanLike, FaintRestLineStaysAndEmptyStretchStaysEmpty) {
    chartgen::ScanLikeOptions o;
    const chartgen::ScanLikeDisc d = render(1, o); // twelve hours without recording
    const auto discs = host::WczytajSkan(save(d.image, "bez_zapisu.jpg", 300));
    ASSERT_EQ(discs.size(), 1u);
    const double base = chartGeometry().activityBase;
    const QJsonArray periods = d.truth[QStringLiteral("periods")].toArray();
    int rest = 0, empty = 0;
    for (const auto& v : periods) {
        const QJsonObject p = v.toObject();
        double from = p[QStringLiteral("kat_od")].toDouble() + 1;
        double to = p[QStringLiteral("kat_do")].toDouble() - 1;
        if (to < from) to += 360;
        const int code = p[QStringLiteral("czy_praca")].toInt();
        if (code == 0) {
            ++rest;
            EXPECT_GE(inkedRays(discs[0].bitmapa, from, to, base - 6, base + 8), 0.97) << from;
        } else if (code < 0) {
            ++empty;
            EXPECT_LE(inkedRays(discs[0].bitmapa, from, to, base - 12, base + 30), 0.02) << from;
        }
    }
    EXPECT_EQ(rest, 2);
    EXPECT_EQ(empty, 1);
}

TEST(ScanLike, StatedResolutionLosesToTheDiscsOwnSize) {
    chartgen::ScanLikeOptions o;
    o.dpi = 150;
    const chartgen::ScanLikeDisc d = render(2, o);
    const auto discs = host::WczytajSkan(save(d.image, "stated_wrongly.jpg", 300));
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].dpi, 150);
    EXPECT_LE(errorAt300(discs[0].srodek, d.centre, 150), 0.5);
}

// Imported and read as a new chart: the driving minutes come out right.
TEST(ScanLike, DrivingReadFromTheImportedDisc) {
    QString error;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &error);
    ASSERT_TRUE(kal) << error.toStdString();
    const struct {
        int chart, dpi;
        double share; // of the drawn driving minutes read as driving, at least
    } cases[] = {{0, 300, 0.98}, {1, 300, 0.98}, {2, 300, 0.98}, {0, 150, 0.95}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const QJsonObject read = readImported(d, "czytaj.jpg", c.dpi, *kal);
        const std::vector<bool> want = drivingMinutes(d.truth[QStringLiteral("periods")].toArray());
        const std::vector<bool> got = drivingMinutes(read[QStringLiteral("periods")].toArray());
        int drawn = 0, right = 0, extra = 0;
        for (std::size_t m = 0; m < want.size(); ++m) {
            drawn += want[m];
            right += want[m] && got[m];
            extra += got[m] && !want[m];
        }
        ASSERT_GT(drawn, 0);
        EXPECT_GE(double(right) / drawn, c.share);
        EXPECT_LE(extra, 10);
    }
}

// A recording that drifts during the day by the drift the ground truth states still reads its
// kilometres: the distance lines measured on the chart follow it.
TEST(ScanLike, DistanceFollowsADriftingRecording) {
    QString error;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &error);
    ASSERT_TRUE(kal) << error.toStdString();
    const struct {
        int chart;
        double driftX, driftY;
    } cases[] = {{0, 0, 0}, {0, 8, -7.5}, {0, -6, 10}, {2, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chart << ": " << c.driftX << ", " << c.driftY);
        chartgen::ScanLikeOptions o;
        o.legend = false;
        o.driftX = c.driftX;
        o.driftY = c.driftY;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const QJsonObject read = readImported(d, "dryf.jpg", 300, *kal);
        const double want = d.truth[QStringLiteral("km")].toDouble();
        const double got =
            read[QStringLiteral("summary")].toObject()[QStringLiteral("km")].toDouble();
        EXPECT_NEAR(got, want, 0.05 * want);
    }
}

// Printed features in the distance band (a legend of bars where the vehicle drove, dashed
// rings at the turning lines) and the resolution of the scan do not move the distance lines:
// the day's km stays within 5 % of the zig-zag's strokes.
TEST(ScanLike, DistanceDespiteLegendAndDashedRings) {
    QString error;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &error);
    ASSERT_TRUE(kal) << error.toStdString();
    const struct {
        const char* name;
        int chart, dpi;
        double driftX, driftY;
        const char* file;
    } cases[] = {
        {"standard, 157 dpi", 0, 157, 0, 0, "km157.pgm"},
        {"standard, drifting, 600 dpi", 0, 600, 8, -7, "km600.jpg"},
        {"night shift, 150 dpi", 2, 150, 0, 0, "km150.jpg"},
        {"standard, 300 dpi", 0, 300, 0, 0, "km300s.jpg"},
        {"standard, 150 dpi", 0, 150, 0, 0, "km150s.jpg"},
        {"night shift, drifting, 300 dpi", 2, 300, -6, 10, "km300d.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        o.driftX = c.driftX;
        o.driftY = c.driftY;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const QJsonObject read = readImported(d, c.file, c.dpi == 157 ? 0 : c.dpi, *kal);
        const double want = d.truth[QStringLiteral("km")].toDouble();
        const double got =
            read[QStringLiteral("summary")].toObject()[QStringLiteral("km")].toDouble();
        EXPECT_NEAR(got, want, 0.05 * want);
    }
}

// Stretches without ink are reported as the ground truth has them: the unrecorded periods and
// the minutes no period covers (the night shift starts ten minutes after its last rest ends);
// below 200 dpi an end may move by a few minutes more.
TEST(ScanLike, NoTraceStretchesAsDrawn) {
    QString error;
    const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &error);
    ASSERT_TRUE(kal) << error.toStdString();
    auto minute = [](const QJsonValue& v) {
        const QStringList hm = v.toString().split(QLatin1Char(':'));
        return hm.size() >= 2 ? hm[0].toInt() * 60 + hm[1].toInt() : -1000;
    };
    const struct {
        int chart, dpi, stretches;
    } cases[] = {{1, 300, 1}, {2, 300, 2}, {2, 150, 2}, {0, 300, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chart << " at " << c.dpi);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const QJsonArray want =
            d.truth[QStringLiteral("scan_like")].toObject()[QStringLiteral("no_trace")].toArray();
        const QJsonArray got =
            readImported(d, "bez.jpg", c.dpi, *kal)[QStringLiteral("no_trace")].toArray();
        ASSERT_EQ(want.size(), c.stretches);
        ASSERT_EQ(got.size(), want.size());
        for (qsizetype i = 0; i < want.size(); ++i)
            for (const char* end : {"od", "do"}) {
                const QString key = QLatin1String(end);
                const int dm =
                    std::abs(minute(got[i].toObject()[key]) - minute(want[i].toObject()[key]));
                EXPECT_LE(std::min(dm, 1440 - dm), c.dpi < 200 ? 6 : 3)
                    << i << end << " " << got[i].toObject()[key].toString().toStdString();
            }
    }
}
