#include "analysis/Kalibracja.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using analysis::BladKalibracji;
using analysis::Kalibracja;

namespace {

// Writes ust_tacho.ini with the given raw text into a fresh folder.
struct PlikIni {
    explicit PlikIni(const QByteArray& tekst) {
        QFile f(dir.filePath(Kalibracja::nazwa_pliku));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tekst);
    }
    QTemporaryDir dir;
};

} // namespace

TEST(Kalibracja, LineMatchingRules) {
    struct {
        const char* opis;
        QByteArray tekst;
        float rgorny, r, rtest;
    } const przypadki[] = {
        {"later line overrides", "rgorny_km=320\nrgorny_km=330\n", 330, 0, 0},
        {"leading blank matches nothing", " rgorny_km=320\n", 0, 0, 0},
        {"r= does not take rtest=", "rtest=150\n", 0, 0, 150},
        {"rtest= does not take r=", "r=727\n", 0, 727, 0},
        {"both side by side", "r=727\nrtest=150\nr=700\n", 0, 700, 150},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        PlikIni plik(p.tekst);
        Kalibracja k;
        k.ust_stalych(plik.dir.path());
        EXPECT_EQ(k.rgorny_km, p.rgorny);
        EXPECT_EQ(k.r, p.r);
        EXPECT_EQ(k.rtest, p.rtest);
    }
}

TEST(Kalibracja, ValueThatIsNotAnIntegerStopsTheReading) {
    for (const char* wartosc : {"26x", "264.5", "", "99999999999"}) {
        SCOPED_TRACE(wartosc);
        PlikIni plik(QByteArray("; calibration\nrgorny_km=325\nrdolny_km=") + wartosc +
                     "\nrtest=259\n");
        Kalibracja k;
        try {
            k.ust_stalych(plik.dir.path());
            FAIL() << "no error";
        } catch (const BladKalibracji& e) {
            EXPECT_EQ(e.wiersz(), 3);
            EXPECT_EQ(e.klucz(), "rdolny_km");
            EXPECT_EQ(QFileInfo(e.plik()).fileName(), "ust_tacho.ini");
            const QString m = e.komunikat();
            EXPECT_TRUE(m.contains("ust_tacho.ini")) << m.toStdString();
            EXPECT_TRUE(m.contains("line 3")) << m.toStdString();
            EXPECT_TRUE(m.contains("rdolny_km")) << m.toStdString();
        }
        EXPECT_EQ(k.rgorny_km, 325.0f); // read before the bad line
        EXPECT_EQ(k.rtest, 0.0f);       // after it: never reached
    }
}
