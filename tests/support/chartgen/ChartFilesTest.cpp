// Descriptions, ground truth, files, noise, grey renderings and the command line.

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartgenTool.h"
#include "chartgen/GreyRender.h"
#include "chartgen/Raster.h"
#include "chartgen/SampleCharts.h"

#include "analysis/Piksel.h"
#include "host/skan/WczytajSkan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace chartgen;

namespace {

ChartGeometry geometry() {
    QString error;
    auto k = loadCalibration(defaultCalibrationPath(), &error);
    EXPECT_TRUE(k) << error.toStdString();
    auto g = k ? ChartGeometry::from(*k, &error) : std::nullopt;
    EXPECT_TRUE(g) << error.toStdString();
    return g.value_or(ChartGeometry{});
}

ChartSpec noisy() {
    ChartSpec s = sampleCharts()[0].spec;
    s.noise.specks = 200;
    s.noise.scratch = true;
    s.noise.gaps = 5;
    s.noise.shift_x = 2;
    s.noise.shift_y = -2;
    s.seed = 99;
    return s;
}

bool sameImage(const host::Bitmap32& a, const host::Bitmap32& b) {
    return a.image().convertToFormat(QImage::Format_ARGB32) ==
           b.image().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(ChartGenGeometry, FollowsTheInstalledCalibration) {
    const ChartGeometry g = geometry();
    EXPECT_EQ(g.r0, 259);                // rdolny_km - 5: the middle of the ring search
    EXPECT_EQ(g.line(1), 270);           // r0 + off_1p
    EXPECT_EQ(g.line(5), 318);           // r0 + off_5p
    EXPECT_EQ(g.r0 + g.tipInner(), 267); // d5 = 54 from tip to tip
    EXPECT_EQ(g.r0 + g.tipOuter(), 321);
    EXPECT_EQ(g.outerPair, 328); // inside the upper-edge search from rgorny_km
    EXPECT_EQ(g.activityBase, 362);
}

TEST(ChartGenGeometry, RefusesCalibrationsThatCannotGiveAReadableChart) {
    QString error;
    const auto k = loadCalibration(defaultCalibrationPath(), &error);
    ASSERT_TRUE(k) << error.toStdString();
    const struct {
        void (*spoil)(analysis::Kalibracja&);
        const char* message;
    } cases[] = {
        {[](analysis::Kalibracja& c) { c.off_3p = 0; }, "off_3p"},
        {[](analysis::Kalibracja& c) { c.off_4p = c.off_3p + 3; }, "off_3p and off_4p"},
        {[](analysis::Kalibracja& c) { c.d5 = c.off_5p - c.off_1p + 2; }, "d5"},
        {[](analysis::Kalibracja& c) { c.rgorny_km = 318; }, "outer tips"},
        {[](analysis::Kalibracja& c) { c.r1 = 390; }, "r1"},
    };
    for (const auto& c : cases) {
        analysis::Kalibracja spoilt = *k;
        c.spoil(spoilt);
        EXPECT_FALSE(ChartGeometry::from(spoilt, &error)) << c.message;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
}

TEST(ChartGenDrawing, PrintedRingsAreDarkOnEveryRayAndTheirInsidesLight) {
    const ChartGeometry g = geometry();
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
        {[](ChartSpec& s) { s.rozmiar = 900; }, "rozmiar"},
        {[](ChartSpec& s) { s.typ = 5; }, "typ"},
        {[](ChartSpec& s) { s.typ = 2, s.rozmiar = 800; }, "stepped"},
        {[](ChartSpec& s) { s.x0 = 380; }, "centre"},
        {[](ChartSpec& s) { s.periods.clear(); }, "no periods"},
        {[](ChartSpec& s) { s.periods[0].czy_praca = 4; }, "czy_praca"},
        {[](ChartSpec& s) { s.periods[2].km = 1; }, "1 km"},
        {[](ChartSpec& s) { s.periods[0].km = 5; }, "only driving"},
        {[](ChartSpec& s) { s.periods[2].km = -3; }, "negative"},
        {[](ChartSpec& s) { std::swap(s.periods[1], s.periods[2]); }, "previous period"},
        {[](ChartSpec& s) { s.periods[1].czas_do = s.periods[1].czas_od; }, "end after"},
        {[](ChartSpec& s) { s.noise.shift_x = 12; }, "shift"},
    };
    for (const auto& c : cases) {
        ChartSpec s = sampleCharts()[0].spec;
        c.spoil(s);
        QString error;
        EXPECT_FALSE(drawChart(s, geometry(), &error)) << c.message;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
}

TEST(ChartGenSpec, DescriptionAndGroundTruthRoundTrip) {
    for (ChartSpec s : {sampleCharts()[7].spec, noisy()}) {
        s.noise.scratch_kat = 123.25;
        QString error;
        const auto back = specFromJson(toJson(s), &error);
        ASSERT_TRUE(back) << error.toStdString();
        EXPECT_EQ(*back, s);

        const auto c = drawChart(s, geometry(), &error);
        ASSERT_TRUE(c) << error.toStdString();
        const QJsonObject truth = groundTruth(s, geometry(), *c);
        const auto fromTruth =
            specFromJson(QJsonDocument::fromJson(QJsonDocument(truth).toJson()).object(), &error);
        ASSERT_TRUE(fromTruth) << error.toStdString();
        EXPECT_EQ(*fromTruth, s);
    }
}

TEST(ChartGenSpec, GroundTruthCarriesAnglesKilometresAndPoints) {
    ChartSpec s = sampleCharts()[7].spec; // night shift from 18:00, kat24 10
    QString error;
    const auto c = drawChart(s, geometry(), &error);
    ASSERT_TRUE(c) << error.toStdString();
    const QJsonObject t = groundTruth(s, geometry(), *c);
    EXPECT_DOUBLE_EQ(t[QStringLiteral("kat_rozp")].toDouble(), 10 + 18 * 15);
    const QJsonArray ps = t[QStringLiteral("periods")].toArray();
    const QJsonObject crossing = ps[5].toObject(); // driving 00:10-01:40, 104 km
    EXPECT_DOUBLE_EQ(crossing[QStringLiteral("kat_od")].toDouble(), 10 + 2.5);
    EXPECT_DOUBLE_EQ(crossing[QStringLiteral("kat_do")].toDouble(), 10 + 25);
    std::vector<int> pts;
    for (const auto v : crossing[QStringLiteral("punkty")].toArray())
        pts.push_back(v.toInt());
    EXPECT_EQ(kmOfPoints(pts), 104);
    EXPECT_EQ(ps[7].toObject()[QStringLiteral("czy_praca_odczyt")].toInt(), 0)
        << "a stretch without trace reads as rest";
    EXPECT_EQ(t[QStringLiteral("km")].toInt(), 192 + 131 + 104);
}

TEST(ChartGenSpec, MalformedJsonNamesTheKey) {
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"periods": 3})", "periods"},
        {R"({"periods": [{"czas_od": "06:00", "czas_do": "07:00"}]})", "czy_praca"},
        {R"({"periods": [{"czy_praca": 0, "czas_od": "6h", "czas_do": "07:00"}]})", "czas_od"},
        {R"({"periods": [{"czy_praca": 0, "czas_od": "06:00", "czas_do": "24:01"}]})", "czas_do"},
        {R"({"typ": "standard", "periods": []})", "typ"},
        {R"({"seed": -1, "periods": []})", "seed"},
        {R"({"periods": [], "noise": {"shift": [1]}})", "shift"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(specFromJson(QJsonDocument::fromJson(c.json).object(), &error)) << c.json;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
}

TEST(ChartGenNoise, SameSeedSameChartOtherSeedOtherNoise) {
    QString error;
    const auto a = drawChart(noisy(), geometry(), &error);
    const auto b = drawChart(noisy(), geometry(), &error);
    ChartSpec other = noisy();
    other.seed = 100;
    const auto c = drawChart(other, geometry(), &error);
    ChartSpec clean = noisy();
    clean.noise = {};
    const auto d = drawChart(clean, geometry(), &error);
    ASSERT_TRUE(a && b && c && d) << error.toStdString();
    EXPECT_TRUE(sameImage(a->image, b->image));
    EXPECT_FALSE(sameImage(a->image, c->image));
    EXPECT_FALSE(sameImage(a->image, d->image));
    EXPECT_EQ(a->gapKats, b->gapKats);
    EXPECT_NE(a->gapKats, c->gapKats);
}

TEST(ChartGenNoise, ScratchAndGapsLandWhereTheGroundTruthSays) {
    ChartSpec s = sampleCharts()[0].spec;
    s.noise.scratch = true;
    s.noise.scratch_kat = 200;
    s.noise.gaps = 3;
    QString error;
    const auto c = drawChart(s, geometry(), &error);
    ASSERT_TRUE(c) << error.toStdString();
    auto dark = [&](double kat, double r) {
        const auto p = analysis::punkt_na_kacie(500, 500, kat, r);
        return c->image.GetPixelS(p.x, p.y) == host::clBlack32;
    };
    for (int r = 150; r < 480; r += 7)
        EXPECT_TRUE(dark(200, r)) << "scratch at r " << r;
    ASSERT_EQ(c->gapKats.size(), 3u);
    for (double kat : c->gapKats)
        for (int r = 362; r < 388; ++r)
            EXPECT_FALSE(dark(kat, r)) << "gap at " << kat;
}

TEST(ChartGenFiles, MonoBmpReloadsWithPureBlack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.bmp"));
    QString error;
    ASSERT_TRUE(writeChart(noisy(), geometry(), path, &error)) << error.toStdString();
    const auto c = drawChart(noisy(), geometry(), &error);
    host::Bitmap32 back;
    ASSERT_TRUE(back.LoadFromFile(path, &error)) << error.toStdString();
    EXPECT_TRUE(sameImage(back, c->image));
    const QImage raw(path);
    EXPECT_EQ(raw.depth(), 1);
    EXPECT_EQ(qRound(raw.dotsPerMeterX() * 0.0254), 300);
    QFile json(groundTruthPath(path));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const auto spec = specFromJson(QJsonDocument::fromJson(json.readAll()).object(), &error);
    ASSERT_TRUE(spec) << error.toStdString();
    EXPECT_EQ(*spec, noisy());
}

TEST(ChartGenGrey, ScalesToTheResolutionWithSoftEdgesAndGrain) {
    QString error;
    const auto c = drawChart(sampleCharts()[0].spec, geometry(), &error);
    ASSERT_TRUE(c) << error.toStdString();
    for (int dpi : {200, 600}) {
        GreyOptions opt;
        opt.dpi = dpi;
        const QImage g = renderGrey(c->image, opt);
        EXPECT_EQ(g.format(), QImage::Format_Grayscale8);
        EXPECT_EQ(g.width(), qRound(1000 * dpi / 300.0));
        const double f = dpi / 300.0;
        auto at = [&](double kat, double r) {
            const QPointF p = raster::polar(500, 500, kat, r);
            return qGray(g.pixel(int((p.x() + 0.5) * f), int((p.y() + 0.5) * f)));
        };
        EXPECT_LT(at(100, 372), 110) << "inside a driving bar at " << dpi;
        EXPECT_GT(at(45, 200), 190) << "paper at " << dpi;
        int greys = 0;
        for (int x = 0; x < g.width(); ++x) {
            const int v = qGray(g.pixel(x, g.height() / 2));
            greys += v > 90 && v < 170;
        }
        EXPECT_GT(greys, 4) << "soft edges at " << dpi;
    }
}

TEST(ChartGenGrey, SeveralDiscsOnOneA4Sheet) {
    QString error;
    std::vector<host::Bitmap32> charts;
    std::vector<QPointF> centres;
    for (int i = 0; i < 4; ++i) {
        const auto c = drawChart(sampleCharts()[std::size_t(i)].spec, geometry(), &error);
        ASSERT_TRUE(c) << error.toStdString();
        charts.push_back(c->image);
        centres.emplace_back(500, 500);
    }
    GreyOptions opt;
    const auto page = renderA4Page(charts, centres, opt, &error);
    ASSERT_TRUE(page) << error.toStdString();
    EXPECT_EQ(page->image.width(), 1654);
    EXPECT_EQ(page->image.height(), 2339);
    ASSERT_EQ(page->discs.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t j = i + 1; j < 4; ++j)
            EXPECT_FALSE(page->discs[i].rect.intersects(page->discs[j].rect));
        // The distance ring, scaled, lies dark around the reported centre.
        const QPointF c = page->discs[i].centre;
        const double r = (geometry().r0 + 1) * opt.dpi / 300.0;
        EXPECT_LT(qGray(page->image.pixel(int(c.x() + r + 0.5), int(c.y() + 0.5))), 150);
    }
    // Six large discs cannot share one sheet.
    charts.assign(6, host::Bitmap32(1500, 1500));
    centres.assign(6, QPointF(750, 750));
    EXPECT_FALSE(renderA4Page(charts, centres, opt, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("does not fit"))) << error.toStdString();
}

TEST(ChartGenTool, BadInputExitsWithAMessage) {
    QTemporaryDir dir;
    QFile bad(dir.filePath(QStringLiteral("bad.json")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"periods\": [");
    bad.close();
    const QString out = dir.filePath(QStringLiteral("x.bmp"));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "--out is required"},
        {{QStringLiteral("--out")}, "needs a value"},
        {{QStringLiteral("--frobnicate")}, "unknown argument"},
        {{QStringLiteral("--spec"), bad.fileName(), QStringLiteral("--out"), out}, "not a JSON"},
        {{QStringLiteral("--spec"), dir.filePath(QStringLiteral("none.json")),
          QStringLiteral("--out"), out},
         "cannot open"},
        {{QStringLiteral("--out"), dir.path(), QStringLiteral("--ini"),
          dir.filePath(QStringLiteral("none.ini"))},
         "none.ini"},
        {{QStringLiteral("--out"), dir.path(), QStringLiteral("--grey"), QStringLiteral("9")},
         "--grey"},
    };
    for (const auto& c : cases) {
        QString o, e;
        QTextStream out(&o), err(&e);
        EXPECT_EQ(runChartgen(c.args, out, err), 1) << c.message;
        err.flush();
        EXPECT_TRUE(e.contains(QString::fromLatin1(c.message))) << e.toStdString();
    }
}

TEST(ChartGenTool, DrawsADescribedChartAndTheSamples) {
    QTemporaryDir dir;
    const QString specPath = dir.filePath(QStringLiteral("opis.json"));
    QFile f(specPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument(toJson(sampleCharts()[1].spec)).toJson());
    f.close();
    QString o, e;
    QTextStream out(&o), err(&e);
    const QString image = dir.filePath(QStringLiteral("day.bmp"));
    ASSERT_EQ(
        runChartgen({QStringLiteral("--spec"), specPath, QStringLiteral("--out"), image}, out, err),
        0)
        << e.toStdString();
    EXPECT_TRUE(QFile::exists(image));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("day.json"))));

    // An image named like the description would have its ground truth replace it.
    const QByteArray before = [&] {
        QFile r(specPath);
        return r.open(QIODevice::ReadOnly) ? r.readAll() : QByteArray();
    }();
    EXPECT_EQ(runChartgen({QStringLiteral("--spec"), specPath, QStringLiteral("--out"),
                           dir.filePath(QStringLiteral("opis.bmp"))},
                          out, err),
              1);
    err.flush();
    EXPECT_TRUE(e.contains(QStringLiteral("would overwrite"))) << e.toStdString();
    QFile after(specPath);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    const QString samples = dir.filePath(QStringLiteral("samples"));
    ASSERT_EQ(
        runChartgen({QStringLiteral("--out"), samples, QStringLiteral("--samples")}, out, err), 0)
        << e.toStdString();
    for (const NamedChart& n : sampleCharts()) {
        EXPECT_TRUE(QFile::exists(QDir(samples).filePath(n.name + QStringLiteral(".bmp"))));
        EXPECT_TRUE(QFile::exists(QDir(samples).filePath(n.name + QStringLiteral(".json"))));
    }
    EXPECT_TRUE(QFile::exists(QDir(samples).filePath(QStringLiteral("strona_a4_200dpi.png"))));
}

TEST(ChartGenTool, EverySampleFileImportsAsItsDiscs) {
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
    for (QDirIterator it(dir.path(), {QStringLiteral("*.bmp"), QStringLiteral("*.png")},
                         QDir::Files);
         it.hasNext();)
        written << it.next();
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()),
              QSet<QString>(written.begin(), written.end()));
    EXPECT_TRUE(written.contains(dir.filePath(QStringLiteral("strona_a4_200dpi.png"))));
    EXPECT_TRUE(written.contains(dir.filePath(QStringLiteral("standardowa_600dpi.png"))));

    for (const QString& image : written) {
        SCOPED_TRACE(image.toStdString());
        QFile f(groundTruthPath(image));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QJsonObject truth = QJsonDocument::fromJson(f.readAll()).object();
        // A sheet lists its discs with their page centres; any other file is one chart.
        std::vector<QPointF> centres;
        for (const auto d : truth[QStringLiteral("discs")].toArray()) {
            const QJsonArray c = d.toObject()[QStringLiteral("centre")].toArray();
            centres.emplace_back(c[0].toDouble(), c[1].toDouble());
        }
        const int expected = centres.empty() ? 1 : int(centres.size());
        std::vector<host::TarczaZeSkanu> discs;
        try {
            discs = host::WczytajSkan(image);
        } catch (const host::BladImportu& ex) {
            FAIL() << ex.what();
        }
        ASSERT_EQ(int(discs.size()), expected);
        const int dpi =
            truth[QStringLiteral("dpi")].toInt(truth[QStringLiteral("grey_dpi")].toInt(300));
        // A chart at 300 dpi is taken as cut already and keeps its class; a scan is cut to 1000.
        const int size = dpi == 300 ? truth[QStringLiteral("rozmiar")].toInt() : 1000;
        for (std::size_t i = 0; i < discs.size(); ++i) {
            EXPECT_EQ(discs[i].dpi, dpi);
            EXPECT_EQ(discs[i].bitmapa.width(), size);
            if (!centres.empty()) {
                EXPECT_NEAR(discs[i].srodek.x(), centres[i].x(), 0.5) << "disc " << i + 1;
                EXPECT_NEAR(discs[i].srodek.y(), centres[i].y(), 0.5) << "disc " << i + 1;
            }
        }
    }
}
