#include "analysis/Kalibracja.h"

#include <QDir>
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

// Every key the analysis reads, at the installation's values; the stored-only keys are absent.
const QByteArray kWymagane = "rtest=259\noff_1p=11\noff_2p=22\noff_3p=35\noff_4p=47\n"
                             "off_5p=59\nwysokosc=1000\nszerokosc=1000\nrgorny_km=323\n"
                             "rdolny_km=264\ndelta_rg_km=6\ndelta_rd_km=6\n";

QByteArray bez(QByteArray tekst, const QByteArray& wiersz) {
    return tekst.replace(wiersz + "\n", "");
}

} // namespace

TEST(Kalibracja, LineMatchingRules) {
    struct {
        const char* opis;
        QByteArray tekst;
        float rgorny, r, rtest;
    } const przypadki[] = {
        {"later line overrides", "rgorny_km=320\nrgorny_km=330\n", 330, 0, 259},
        {"leading blank matches nothing", " rgorny_km=320\n", 323, 0, 259},
        {"r= does not take rtest=", "rtest=150\n", 323, 0, 150},
        {"rtest= does not take r=", "r=727\n", 323, 727, 259},
        {"both side by side", "r=727\nrtest=150\nr=700\n", 323, 700, 150},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        PlikIni plik(kWymagane + p.tekst);
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
                     "\nrtest=259\n" + kWymagane);
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

// A file that cannot describe a chart stops the reading with the key and its range, instead
// of a reading that searches empty paper and reports an empty day as read.
TEST(Kalibracja, MissingOrOutOfRangeKeyStopsTheReading) {
    struct {
        const char* opis;
        QByteArray tekst;
        const char* klucz;
        int wiersz;
        const char* komunikat; // what follows "<file>: " or "<file>, line N, key K: "
    } const przypadki[] = {
        {"empty file", "", "rtest", 0,
         "keys missing: rtest (100..727), off_1p (1..70), off_2p (1..70), off_3p (1..70), "
         "off_4p (1..70), off_5p (1..70), wysokosc (800..1500), szerokosc (800..1500), "
         "rgorny_km (301..360), rdolny_km (230..300), delta_rg_km (1..15), "
         "delta_rd_km (1..15)"},
        {"one key missing", bez(kWymagane, "rdolny_km=264"), "rdolny_km", 0,
         "key rdolny_km (230..300) is missing"},
        {"negative radius", kWymagane + "rdolny_km=-264\n", "rdolny_km", 13,
         "value -264 is out of range (230..300)"},
        {"huge radius", "rgorny_km=100000\n" + kWymagane, "rgorny_km", 1,
         "value 100000 is out of range (301..360)"},
        {"zero offset", kWymagane + "off_1p=0\n", "off_1p", 13, "value 0 is out of range (1..70)"},
        {"distance lines out of order", kWymagane + "off_2p=35\n", "off_3p", 0,
         "off_1p..off_5p must rise from the inner line to the outer, but off_2p is 35 and "
         "off_3p 35"},
        {"peaks never separated", kWymagane + "delta_rg_km=0\n", "delta_rg_km", 13,
         "value 0 is out of range (1..15)"},
        {"bitmap larger than any class", kWymagane + "szerokosc=20000\n", "szerokosc", 13,
         "value 20000 is out of range (800..1500)"},
        {"stored-only key checked when given", kWymagane + "r=-1\n", "r", 13,
         "value -1 is out of range (600..800)"},
        {"flag", kWymagane + "kolka_km=7\n", "kolka_km", 13, "value 7 is out of range (0..1)"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        PlikIni plik(p.tekst);
        Kalibracja k;
        try {
            k.ust_stalych(plik.dir.path());
            ADD_FAILURE() << "no error";
        } catch (const BladKalibracji& e) {
            EXPECT_EQ(e.klucz(), p.klucz);
            EXPECT_EQ(e.wiersz(), p.wiersz);
            const QString naglowek =
                p.wiersz > 0 ? QStringLiteral("%1, line %2, key %3: ")
                                   .arg(QDir::toNativeSeparators(e.plik()))
                                   .arg(p.wiersz)
                                   .arg(p.klucz)
                             : QDir::toNativeSeparators(e.plik()) + QStringLiteral(": ");
            EXPECT_EQ(e.komunikat(), naglowek + p.komunikat);
            EXPECT_EQ(QFileInfo(e.plik()).fileName(), "ust_tacho.ini");
        }
    }
}
