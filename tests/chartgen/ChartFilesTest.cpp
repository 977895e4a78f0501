// Drawn rings, bad descriptions, noise, the 1-bit file and the sample files.

#include "RysunekTestowy.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartgenTool.h"
#include "chartgen/SampleCharts.h"

#include "analysis/Luk.h"
#include "analysis/Piksel.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace chartgen;

namespace {

ChartSpec noisy(std::uint32_t seed = 99) {
    ChartSpec s = sampleCharts()[0].spec;
    s.noise.specks = 200;
    s.noise.scratch = true;
    s.noise.gaps = 5;
    s.noise.shift_x = 2;
    s.noise.shift_y = -2;
    s.seed = seed;
    return s;
}

bool sameImage(const host::Bitmap32& a, const host::Bitmap32& b) {
    return a.image().convertToFormat(QImage::Format_ARGB32) ==
           b.image().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(ChartGenDrawing, PrintedRingsAreDarkOnEveryRayAndTheirInsidesLight) {
    const ChartGeometry g = geometria_testowa();
    ChartSpec s = sampleCharts()[0].spec;
    s.x0 = 502;
    s.y0 = 497;
    QString error;
    const auto c = drawChart(s, g, &error);
    ASSERT_TRUE(c) << error.toStdString();
    // The ring search takes a ring where more than 30 % of a 12 degree arc is black.
    for (int ray = 0; ray < 49; ++ray) {
        const float kat = float(ray * 7.5);
        auto arc = [&](double r) {
            return analysis::lok_prom(c->image, 502, 497, 30, kat, 6.0f, float(r));
        };
        EXPECT_TRUE(arc(g.r0)) << kat;
        EXPECT_TRUE(arc(g.r0 + g.ringPairGap)) << kat;
        EXPECT_TRUE(arc(g.outerPair)) << kat;
        EXPECT_TRUE(arc(g.innerDashed)) << kat;
        EXPECT_TRUE(arc(g.outerDashed)) << kat;
        EXPECT_FALSE(arc(g.r0 - 2)) << kat;
        EXPECT_FALSE(arc(g.outerPair - 2)) << kat;
    }
}

TEST(ChartGenSpec, InvalidDescriptionsAreRefusedWithTheReason) {
    const struct {
        void (*spoil)(ChartSpec&);
        const char* message;
    } cases[] = {
        {[](ChartSpec& s) { s.typ = 2, s.rozmiar = 800; }, "stepped"},
        {[](ChartSpec& s) { s.x0 = 380; }, "centre"},
        {[](ChartSpec& s) { s.periods[2].km = 1; }, "1 km"},
        {[](ChartSpec& s) { s.periods[0].km = 5; }, "only driving"},
        {[](ChartSpec& s) { std::swap(s.periods[1], s.periods[2]); }, "previous period"},
        {[](ChartSpec& s) { s.periods[1].czas_do = s.periods[1].czas_od; }, "end after"},
        {[](ChartSpec& s) { s.noise.shift_x = 12; }, "shift"},
        {[](ChartSpec& s) {
             s.periods = {{0, 0, 600}, {2, 600, 660, 300}, {0, 660, 1440}};
         },
         "driving period 2: 300 km"},
    };
    for (const auto& c : cases) {
        ChartSpec s = sampleCharts()[0].spec;
        c.spoil(s);
        QString error;
        EXPECT_FALSE(drawChart(s, geometria_testowa(), &error)) << c.message;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
}

TEST(ChartGenNoise, SameSeedSameChartOtherSeedOtherNoise) {
    QString error;
    ChartSpec clean = noisy();
    clean.noise = {};
    const auto a = drawChart(noisy(), geometria_testowa(), &error);
    const auto b = drawChart(noisy(), geometria_testowa(), &error);
    const auto c = drawChart(noisy(100), geometria_testowa(), &error);
    const auto d = drawChart(clean, geometria_testowa(), &error);
    ASSERT_TRUE(a && b && c && d) << error.toStdString();
    EXPECT_TRUE(sameImage(a->image, b->image));
    EXPECT_FALSE(sameImage(a->image, c->image));
    EXPECT_FALSE(sameImage(a->image, d->image));
    EXPECT_EQ(a->gapKats, b->gapKats);
    EXPECT_NE(a->gapKats, c->gapKats);
}

TEST(ChartGenFiles, MonoBmpReloadsWithPureBlack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.bmp"));
    QString error;
    ASSERT_TRUE(writeChart(noisy(), geometria_testowa(), path, &error)) << error.toStdString();
    const auto c = drawChart(noisy(), geometria_testowa(), &error);
    host::Bitmap32 back;
    ASSERT_TRUE(back.LoadFromFile(path, &error)) << error.toStdString();
    EXPECT_TRUE(sameImage(back, c->image));
    int black = 0, other = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) {
            const host::TColor32 v = back.GetPixelS(x, y);
            black += v == 0xFF000000u;
            other += v != 0xFF000000u && v != 0xFFFFFFFFu;
        }
    EXPECT_GT(black, 10000);
    EXPECT_EQ(other, 0) << "only opaque black and white";
    const QImage raw(path);
    EXPECT_EQ(raw.depth(), 1);
    EXPECT_EQ(qRound(raw.dotsPerMeterX() * 0.0254), 300);
    QFile json(groundTruthPath(path));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const auto spec = specFromJson(QJsonDocument::fromJson(json.readAll()).object(), &error);
    ASSERT_TRUE(spec) << error.toStdString();
    EXPECT_EQ(*spec, noisy());
}

// The tool lists exactly the files it writes, each with its ground truth (the import of grey
// scans and sheets is tested with the import).
TEST(ChartGenTool, SamplesAreListedAsWrittenWithTheirGroundTruth) {
    QTemporaryDir dir;
    QString o, e;
    QTextStream out(&o), err(&e);
    ASSERT_EQ(
        runChartgen({QStringLiteral("--out"), dir.path(), QStringLiteral("--samples")}, out, err),
        0)
        << e.toStdString();
    out.flush();
    const QStringList listed = o.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList written;
    for (QDirIterator it(dir.path(), {QStringLiteral("*.bmp"), QStringLiteral("*.png")});
         it.hasNext();)
        written << it.next();
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()),
              QSet<QString>(written.begin(), written.end()));
    EXPECT_TRUE(written.contains(dir.filePath(QStringLiteral("strona_a4_200dpi.png"))));
    EXPECT_TRUE(written.contains(dir.filePath(QStringLiteral("standardowa_600dpi.png"))));
    for (const QString& image : written)
        EXPECT_TRUE(QFile::exists(groundTruthPath(image))) << image.toStdString();
}
