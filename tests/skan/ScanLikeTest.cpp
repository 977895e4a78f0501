// Scan-like discs (no contrast to the lid, a broken outer line, dashed and labelled rings, a
// drifting trace, a faint rest line, JPEG) are found at the printed rings' centre, at the
// resolution the disc itself gives, and binarised so that the faint rest line stays.

#include "RysunekTestowy.h"
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
        int chart, dpi;
        const char* file;
        int statedDpi; // 0: Qt's default of 96
        double edgeBroken;
        bool legend;
        double driftX, driftY;
    };
    const Case cases[] = {
        {"no contrast, dashed rings, legend", 0, 300, "sl300.jpg", 300, 0.3, true, 0, 0},
        {"outer line 40 % missing", 0, 150, "sl150.jpg", 150, 0.4, false, 0, 0},
        {"trace drifting 11 px", 0, 600, "sl600.jpg", 600, 0.25, true, 8, -7.5},
        {"157 dpi, no resolution stated", 0, 157, "sl157.pgm", 0, 0.3, true, 0, 0},
        {"300 dpi stated as 96", 0, 300, "sl300.png", 0, 0.22, true, 0, 0},
        {"150 dpi stated as 300", 2, 150, "stated_wrongly.jpg", 300, 0.3, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        o.edgeBroken = c.edgeBroken;
        o.legend = c.legend;
        o.driftX = c.driftX;
        o.driftY = c.driftY;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const auto discs = host::WczytajSkan(save(d.image, c.file, c.statedDpi));
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

// Imported and read as a new chart: driving minutes, the day's km within 5 % of the zig-zag's
// strokes despite a legend of bars, dashed rings and a drifting recording, and the stretches
// without ink (unrecorded periods, minutes no period covers) where the ground truth has them.
// Below 200 dpi a little more may go astray.
TEST(ScanLike, ImportedDiscReadsAsDrawn) {
    auto minute = [](const QJsonValue& v) {
        const QStringList hm = v.toString().split(QLatin1Char(':'));
        return hm.size() >= 2 ? hm[0].toInt() * 60 + hm[1].toInt() : -1000;
    };
    const struct {
        const char* name;
        int chart, dpi, statedDpi;
        double driftX, driftY;
        bool legend;
        int stretches; // without ink
    } cases[] = {
        {"standard", 0, 300, 300, 0, 0, true, 0},
        {"twelve hours unrecorded", 1, 300, 300, 0, 0, true, 1},
        {"night shift", 2, 300, 300, 0, 0, true, 2},
        {"standard, 150 dpi", 0, 150, 150, 0, 0, true, 0},
        {"night shift, 150 dpi", 2, 150, 150, 0, 0, true, 2},
        {"standard, 157 dpi not stated", 0, 157, 0, 0, 0, true, 0},
        {"standard, drifting, 600 dpi", 0, 600, 600, 8, -7, true, 0},
        {"night shift, drifting", 2, 300, 300, -6, 10, true, 2},
        {"drifting, no legend", 0, 300, 300, 8, -7.5, false, 0},
        {"drifting the other way, no legend", 0, 300, 300, -6, 10, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chartgen::ScanLikeOptions o;
        o.dpi = c.dpi;
        o.driftX = c.driftX;
        o.driftY = c.driftY;
        o.legend = c.legend;
        const chartgen::ScanLikeDisc d = render(c.chart, o);
        const QJsonObject read = readImported(d, c.dpi == 157 ? "czytaj.pgm" : "czytaj.jpg",
                                              c.statedDpi, kalibracja_testowa());

        const std::vector<bool> want = drivingMinutes(d.truth[QStringLiteral("periods")].toArray());
        const std::vector<bool> got = drivingMinutes(read[QStringLiteral("periods")].toArray());
        int drawn = 0, right = 0, extra = 0;
        for (std::size_t m = 0; m < want.size(); ++m) {
            drawn += want[m];
            right += want[m] && got[m];
            extra += got[m] && !want[m];
        }
        ASSERT_GT(drawn, 0);
        // Minute by minute only where the recording holds still; a drift costs a few more.
        if (c.driftX == 0 && c.driftY == 0) {
            EXPECT_GE(double(right) / drawn, c.dpi < 200 ? 0.95 : 0.98);
            EXPECT_LE(extra, 10);
        }

        const double km = d.truth[QStringLiteral("km")].toDouble();
        EXPECT_NEAR(read[QStringLiteral("summary")].toObject()[QStringLiteral("km")].toDouble(), km,
                    0.05 * km);

        const QJsonArray wantGaps =
            d.truth[QStringLiteral("scan_like")].toObject()[QStringLiteral("no_trace")].toArray();
        const QJsonArray gotGaps = read[QStringLiteral("no_trace")].toArray();
        ASSERT_EQ(wantGaps.size(), c.stretches);
        ASSERT_EQ(gotGaps.size(), wantGaps.size());
        for (qsizetype i = 0; i < wantGaps.size(); ++i)
            for (const char* end : {"od", "do"}) {
                const QString key = QLatin1String(end);
                const int dm = std::abs(minute(gotGaps[i].toObject()[key]) -
                                        minute(wantGaps[i].toObject()[key]));
                EXPECT_LE(std::min(dm, 1440 - dm), c.dpi < 200 ? 6 : 3)
                    << i << end << " " << gotGaps[i].toObject()[key].toString().toStdString();
            }
    }
}
