// tacho read, run as the user runs it.
#include "RysunekTestowy.h"
#include "UruchomTacho.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Wynik = WynikTacho;

Wynik tacho(const QStringList& args) {
    return uruchom_tacho(QStringList{"read"} + args);
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
    // A standard chart with one drive of 06:00-08:00 and 150 km, midnight at 90 degrees.
    QString blad;
    chartgen::ChartSpec s;
    s.kat24 = 90.0;
    s.periods = {{0, 0, 360, 0}, {2, 360, 480, 150}, {0, 480, 1440, 0}};
    const QString dobry = dir.filePath("dobry.bmp");
    ASSERT_TRUE(chartgen::writeChart(s, geometria_testowa(), dobry, &blad)) << blad.toStdString();
    QImage maly(40, 30, QImage::Format_RGB32);
    maly.fill(Qt::white);
    ASSERT_TRUE(maly.save(dir.filePath("maly.png")));

    const QStringList pliki{
        zapisz(dir, "tekst.png", "to nie jest obraz\n"),
        dobry,
        zapisz(dir, "pusty.bmp", QByteArray()),
        dir.filePath("maly.png"),
        dir.filePath("brak.png"),
    };
    const Wynik w = tacho(QStringList{"--format", "json", "--kat24", "90"} + pliki);
    EXPECT_EQ(w.kod, 1) << w.err.toStdString();
    const QList<QByteArray> linie = w.out.trimmed().split('\n');
    ASSERT_EQ(linie.size(), pliki.size());
    for (int i = 0; i < pliki.size(); ++i) {
        const QJsonObject o = QJsonDocument::fromJson(linie[i]).object();
        SCOPED_TRACE(pliki[i].toStdString());
        EXPECT_EQ(o["file"].toString(), pliki[i]); // in input order
        if (pliki[i] != dobry) {
            EXPECT_EQ(o.keys(), (QStringList{"error", "file", "ok"}));
            EXPECT_FALSE(o["ok"].toBool(true));
            EXPECT_FALSE(o["error"].toString().isEmpty());
        } else {
            EXPECT_TRUE(o["ok"].toBool());
            EXPECT_EQ(o["summary"].toObject()["km"].toInt(), 150);
        }
    }
}
