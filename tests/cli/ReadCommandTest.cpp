// tacho read, run as the user runs it.
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/GreyRender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Wynik {
    int kod = -1;
    QByteArray out, err;
};

Wynik tacho(const QStringList& args) {
    QProcess p;
    p.start(QDir(QCoreApplication::applicationDirPath()).filePath("tacho"),
            QStringList{"read"} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

std::vector<QJsonObject> linie(const QByteArray& out) {
    std::vector<QJsonObject> v;
    for (const QByteArray& l : out.split('\n')) {
        if (l.isEmpty()) continue;
        const QJsonDocument d = QJsonDocument::fromJson(l);
        EXPECT_TRUE(d.isObject()) << l.toStdString();
        v.push_back(d.object());
    }
    return v;
}

// A standard chart with one drive of 06:00-08:00 and 150 km, midnight at 90 degrees.
QString wykres(const QTemporaryDir& dir, const QString& nazwa) {
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = chartgen::ChartGeometry::from(*k, &blad);
    chartgen::ChartSpec s;
    s.kat24 = 90.0;
    s.periods = {{0, 0, 360, 0}, {2, 360, 480, 150}, {0, 480, 1440, 0}};
    const QString plik = dir.filePath(nazwa);
    EXPECT_TRUE(chartgen::writeChart(s, *g, plik, &blad)) << blad.toStdString();
    return plik;
}

QString zapisz(const QTemporaryDir& dir, const QString& nazwa, const QByteArray& dane) {
    QFile f(dir.filePath(nazwa));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dane);
    return f.fileName();
}

} // namespace

TEST(TachoRead, BadFilesGiveOneErrorEachAndTheOthersAreRead) {
    QTemporaryDir dir;
    const QString dobry = wykres(dir, "dobry.bmp");
    QImage png(1000, 1000, QImage::Format_Grayscale8);
    png.fill(200);
    QByteArray caly;
    {
        const QString p = dir.filePath("caly.png");
        ASSERT_TRUE(png.save(p));
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        caly = f.readAll();
    }
    QImage maly(40, 30, QImage::Format_RGB32);
    maly.fill(Qt::white);
    ASSERT_TRUE(maly.save(dir.filePath("maly.png")));
    const QStringList pliki{
        zapisz(dir, "tekst.png", "to nie jest obraz\n"),
        zapisz(dir, "uciety.png", caly.left(caly.size() / 2)),
        dobry,
        zapisz(dir, "pusty.bmp", QByteArray()),
        dir.filePath("maly.png"),
        dir.filePath("brak.png"),
        dobry,
    };
    const Wynik w = tacho(QStringList{"--format", "json", "--kat24", "90"} + pliki);
    EXPECT_EQ(w.kod, 1) << w.err.toStdString();
    const auto obiekty = linie(w.out);
    ASSERT_EQ(obiekty.size(), std::size_t(pliki.size()));
    for (int i = 0; i < pliki.size(); ++i) {
        const QJsonObject& o = obiekty[std::size_t(i)];
        SCOPED_TRACE(pliki[i].toStdString());
        EXPECT_EQ(o["file"].toString(), pliki[i]); // in input order
        if (pliki[i] != dobry) {
            EXPECT_EQ(o.keys(), (QStringList{"error", "file", "ok"}));
            EXPECT_FALSE(o["ok"].toBool(true));
            EXPECT_FALSE(o["error"].toString().isEmpty());
            continue;
        }
        EXPECT_EQ(o.keys(),
                  (QStringList{"check", "file", "kat24", "kat_rozp", "kat_zak", "ok", "periods",
                               "pocz_sr_godz", "size", "summary", "x0", "y0"}));
        EXPECT_TRUE(o["ok"].toBool());
        EXPECT_EQ(o["size"].toArray(), (QJsonArray{1000, 1000}));
        EXPECT_NEAR(o["x0"].toDouble(), 500.0, 1.5);
        EXPECT_EQ(o["kat24"].toDouble(), 90.0);
        EXPECT_TRUE(o["kat_zak"].isNull());
        const QJsonArray okresy = o["periods"].toArray();
        ASSERT_EQ(okresy.size(), 3);
        const QJsonObject jazda = okresy[1].toObject();
        EXPECT_EQ(jazda.keys(), (QStringList{"czas_do", "czas_od", "czy_praca", "kat_do", "kat_od",
                                             "km", "nr", "points"}));
        EXPECT_EQ(jazda["czy_praca"].toInt(), 2);
        EXPECT_EQ(jazda["czas_od"].toString(), "06:00");
        EXPECT_EQ(jazda["km"].toInt(), 150);
        EXPECT_GT(jazda["points"].toInt(), 20);
        const QJsonObject suma = o["summary"].toObject();
        EXPECT_EQ(suma.keys(),
                  (QStringList{"brak", "dyzur", "jazda", "km", "postoj", "praca", "v"}));
        EXPECT_EQ(suma["km"].toInt(), 150);
        EXPECT_EQ(suma["v"].toInt(), 75);
        EXPECT_EQ(o["check"].toObject()["result"].toInt(), 0);
    }
    // More than a few files: progress on the standard error, never in the results.
    EXPECT_TRUE(w.err.contains("7/7")) << w.err.toStdString();
}

TEST(TachoRead, TextTableAndCommandLineErrors) {
    QTemporaryDir dir;
    const QString dobry = wykres(dir, "dobry.bmp");
    const Wynik w = tacho({"--kat24=90", dobry});
    EXPECT_EQ(w.kod, 0) << w.err.toStdString();
    const QString t = QString::fromUtf8(w.out);
    EXPECT_TRUE(t.contains(QRegularExpression("driving\\s+06:00\\s+08:00\\s+150\\b")))
        << w.out.toStdString();
    EXPECT_TRUE(t.contains("distance 150 km")) << w.out.toStdString();
    EXPECT_FALSE(w.err.contains("1/1"));

    for (const QStringList& zle :
         {QStringList{}, QStringList{"--kind", "5", dobry}, QStringList{"--kat24", "abc", dobry},
          QStringList{"--date", "2024-13-01", dobry}, QStringList{"--format", "xml", dobry},
          QStringList{"--nope", dobry}}) {
        SCOPED_TRACE(zle.join(' ').toStdString());
        const Wynik z = tacho(zle);
        EXPECT_EQ(z.kod, 2);
        EXPECT_TRUE(z.out.isEmpty());
        EXPECT_TRUE(z.err.contains("usage: tacho read"));
    }
}

TEST(TachoRead, SheetWithSeveralDiscsGivesOneResultPerDisc) {
    QTemporaryDir dir;
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = chartgen::ChartGeometry::from(*k, &blad);
    std::vector<host::Bitmap32> wykresy;
    std::vector<QPointF> srodki;
    for (int km : {150, 90}) {
        chartgen::ChartSpec s;
        s.rozmiar = 1500; // the whole disc, its edge included
        s.kat24 = 90.0;
        s.periods = {{0, 0, 360, 0}, {2, 360, 480, km}, {0, 480, 1440, 0}};
        auto c = chartgen::drawChart(s, *g, &blad);
        ASSERT_TRUE(c) << blad.toStdString();
        wykresy.push_back(std::move(c->image));
        srodki.push_back(QPointF(s.centreX(), s.centreY()));
    }
    // A grey scan of an A4 sheet at 200 dpi.
    chartgen::GreyOptions opt;
    opt.dpi = 200;
    const auto strona = chartgen::renderA4Page(wykresy, srodki, opt, &blad);
    ASSERT_TRUE(strona) << blad.toStdString();
    const QString plik = dir.filePath("strona.png");
    ASSERT_TRUE(strona->image.save(plik));

    const Wynik w = tacho({"--format", "json", "--kat24", "90", plik});
    EXPECT_EQ(w.kod, 0) << w.err.toStdString();
    const auto obiekty = linie(w.out);
    ASSERT_EQ(obiekty.size(), 2u) << w.out.toStdString();
    for (int i = 0; i < 2; ++i) {
        const QJsonObject& o = obiekty[std::size_t(i)];
        EXPECT_EQ(o["file"].toString(), plik);
        EXPECT_EQ(o["disc"].toInt(), i + 1);
        EXPECT_TRUE(o["ok"].toBool());
        EXPECT_EQ(o["summary"].toObject()["km"].toInt(), i == 0 ? 150 : 90);
    }
}
