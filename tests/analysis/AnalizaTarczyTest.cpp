#include "analysis/AnalizaTarczy.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using analysis::AnalizaTarczy;
using analysis::BladKalibracji;
using host::Bitmap32;

TEST(AnalizaTarczy, ConstructionFailsWithoutCalibration) {
    QTemporaryDir pusty;
    Bitmap32 bmp(10, 10);
    EXPECT_THROW(AnalizaTarczy(bmp, pusty.path()), BladKalibracji);

    QFile f(QDir(pusty.path()).filePath("ust_tacho.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("rgorny_km=323\nrdolny_km=2,64\n");
    f.close();
    EXPECT_THROW(AnalizaTarczy(bmp, pusty.path()), BladKalibracji);
}

TEST(AnalizaTarczy, StartsClearedAndTestsItsOwnBitmap) {
    Bitmap32 bmp(100, 100);
    AnalizaTarczy an(bmp, QCoreApplication::applicationDirPath());
    EXPECT_EQ(an.kalibracja().rgorny_km, 323.0f);
    EXPECT_EQ(an.geometria().x0, 0.0f);
    EXPECT_EQ(an.geometria().pocz_sr_godz, 0);
    EXPECT_EQ(an.geometria().typ, analysis::standardowa);
    EXPECT_EQ(an.bitmapa_znacznikow(), nullptr);

    // The tests look around the geometry's centre on the bound bitmap.
    an.geometria().x0 = 50.0f;
    an.geometria().y0 = 50.0f;
    bmp.SetPixelS(70, 50, host::clBlack32);
    EXPECT_TRUE(an.lok_prom(0, 0.0f, 1.0f, 20.0f));
    EXPECT_FALSE(an.lok_prom(0, 180.0f, 1.0f, 20.0f));
    EXPECT_TRUE(an.lok2(0, 1, 71.0f, 50.0f));
    Bitmap32 inny(100, 100);
    an.ustaw_bitmape(inny);
    EXPECT_FALSE(an.lok_prom(0, 0.0f, 1.0f, 20.0f));

    an.geometria().pocz_sr_godz = 362;
    an.licznik_odczytow_km = 4;
    an.resetuj_stan();
    EXPECT_EQ(an.geometria().x0, 0.0f);
    EXPECT_EQ(an.geometria().pocz_sr_godz, 0);
    EXPECT_EQ(an.licznik_odczytow_km, 0);
}
