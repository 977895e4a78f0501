#include "analysis/Kalibracja.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iterator>

using analysis::BladKalibracji;
using analysis::Kalibracja;

namespace {

// Writes ust_tacho.ini with the given raw text into a fresh folder.
class PlikIni {
public:
    explicit PlikIni(const QByteArray& tekst) {
        QFile f(dir_.filePath(Kalibracja::nazwa_pliku));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tekst);
    }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

Kalibracja wczytaj(const QByteArray& tekst) {
    PlikIni plik(tekst);
    Kalibracja k;
    k.ust_stalych(plik.folder());
    return k;
}

} // namespace

TEST(Kalibracja, LineMatchingRules) {
    struct Przypadek {
        const char* opis;
        QByteArray tekst;
        float rgorny, r, rtest;
    };
    const Przypadek przypadki[] = {
        {"later line overrides", "rgorny_km=320\nrgorny_km=330\n", 330, 0, 0},
        {"leading blank matches nothing", " rgorny_km=320\n", 0, 0, 0},
        {"key text is case-sensitive", "RGORNY_KM=320\nRgorny_km=320\n", 0, 0, 0},
        {"the = is part of the key", "rgorny_km 320\nrgorny_km:320\n", 0, 0, 0},
        {"r= does not take rtest=", "rtest=150\n", 0, 0, 150},
        {"rtest= does not take r=", "r=727\n", 0, 727, 0},
        {"both side by side", "r=727\nrtest=150\nr=700\n", 0, 700, 150},
        {"sections and comments ignored", "[tacho]\n; r=1\nrgorny_km=325\n", 325, 0, 0},
        {"CR LF and lone CR endings", "r=5\r\nrtest=6\rrgorny_km=7", 7, 5, 6},
        {"UTF-8 byte order mark", "\xEF\xBB\xBFr=9\n", 0, 9, 0},
        {"blanks around the value", "rgorny_km= 321 \n", 321, 0, 0},
        {"signed values", "rgorny_km=-3\nr=+59\n", -3, 59, 0},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        const Kalibracja k = wczytaj(p.tekst);
        EXPECT_EQ(k.rgorny_km, p.rgorny);
        EXPECT_EQ(k.r, p.r);
        EXPECT_EQ(k.rtest, p.rtest);
    }
}

TEST(Kalibracja, EveryKeyReachesItsField) {
    QByteArray tekst;
    const QStringList klucze = Kalibracja::klucze();
    for (int i = 0; i < klucze.size(); ++i)
        tekst += klucze[i].toLatin1() + QByteArray::number(-(i + 1)) + '\n';
    const Kalibracja k = wczytaj(tekst);
    const float pola[] = {k.r,
                          k.r1,
                          float(k.r4),
                          k.r5,
                          float(k.d5),
                          k.rtest,
                          float(k.off_1p),
                          float(k.off_2p),
                          float(k.off_3p),
                          float(k.off_4p),
                          float(k.off_5p),
                          float(k.kolka_km),
                          float(k.wysokosc),
                          float(k.szerokosc),
                          float(k.centralne),
                          k.rgorny_km,
                          k.rdolny_km,
                          float(k.delta_rg_km),
                          float(k.delta_rd_km),
                          float(k.delta_rs_km),
                          k.rsrodkowy_km};
    ASSERT_EQ(std::size(pola), size_t(klucze.size()));
    for (int i = 0; i < klucze.size(); ++i)
        EXPECT_EQ(pola[i], float(-(i + 1))) << klucze[i].toStdString();
}

TEST(Kalibracja, FlagsResetOnEveryReadOtherKeysKept) {
    Kalibracja k;
    {
        PlikIni a("kolka_km=1\ncentralne=1\nrgorny_km=325\n");
        k.ust_stalych(a.folder());
    }
    EXPECT_EQ(k.kolka_km, 1);
    PlikIni b("rdolny_km=264\n");
    k.ust_stalych(b.folder());
    EXPECT_EQ(k.kolka_km, 0);
    EXPECT_EQ(k.centralne, 0);
    EXPECT_EQ(k.rgorny_km, 325.0f); // no default in code: an absent key keeps its value
    EXPECT_EQ(k.rdolny_km, 264.0f);
}

TEST(Kalibracja, ValueThatIsNotAnIntegerStopsTheReading) {
    const char* zle[] = {"26x", "264.5", "", "  ", "2 64", "99999999999", "-"};
    for (const char* wartosc : zle) {
        SCOPED_TRACE(wartosc);
        PlikIni plik(QByteArray("; calibration\nrgorny_km=325\nrdolny_km=") + wartosc +
                     "\nrtest=259\n");
        Kalibracja k;
        try {
            k.ust_stalych(plik.folder());
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
        EXPECT_EQ(k.rdolny_km, 0.0f);
        EXPECT_EQ(k.rtest, 0.0f); // after it: never reached
    }
}

TEST(Kalibracja, MissingFileNamesTheFile) {
    QTemporaryDir pusty;
    Kalibracja k;
    try {
        k.ust_stalych(pusty.path());
        FAIL() << "no error";
    } catch (const BladKalibracji& e) {
        EXPECT_EQ(e.wiersz(), 0);
        EXPECT_TRUE(e.komunikat().contains(QDir::toNativeSeparators(pusty.path())));
        EXPECT_TRUE(e.komunikat().contains("ust_tacho.ini"));
    }
}

// The installation's file, as the build lays it into the runtime tree next to the programs.
class PlikInstalacji : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = QCoreApplication::applicationDirPath();
        ASSERT_NO_THROW(k_.ust_stalych(folder_));
    }
    QString folder_;
    Kalibracja k_;
};

TEST_F(PlikInstalacji, HasEveryKeyOnceAndTheUsedOnesSet) {
    QFile f(QDir(folder_).filePath(Kalibracja::nazwa_pliku));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList wiersze = QString::fromUtf8(f.readAll()).split('\n');
    for (const QString& klucz : Kalibracja::klucze()) {
        int ile = 0;
        for (const QString& w : wiersze)
            ile += w.startsWith(klucz) ? 1 : 0;
        EXPECT_EQ(ile, 1) << klucz.toStdString();
    }
    EXPECT_EQ(k_.kolka_km, 0); // no ray marks on a production install
    EXPECT_EQ(k_.wysokosc, 1000);
    EXPECT_EQ(k_.szerokosc, 1000);
    for (float v :
         {k_.r, k_.r1, k_.r4, k_.r5, float(k_.d5), k_.rtest, float(k_.off_1p), float(k_.off_2p),
          float(k_.off_3p), float(k_.off_4p), float(k_.off_5p), k_.rgorny_km, k_.rdolny_km,
          float(k_.delta_rg_km), float(k_.delta_rd_km), float(k_.delta_rs_km), k_.rsrodkowy_km})
        EXPECT_GT(v, 0.0f);
}

TEST_F(PlikInstalacji, DistanceLinesAgreeWithHandPlacedPoints) {
    // The nominal ring sits in the middle of its 10-pixel search window below rdolny_km.
    const int r0 = int(k_.rdolny_km) - 5;
    // Band of a point clicked by hand at radius r: edges r0 + 8, 19, 30, 42, 54, midpoints
    // between them; a click counts only inside 255 < r < 330.
    const int krawedz[] = {r0 + 8, r0 + 19, r0 + 30, r0 + 42, r0 + 54};
    auto pasek = [&](int r) {
        int m[4];
        for (int i = 0; i < 4; ++i)
            m[i] = (krawedz[i] + krawedz[i + 1]) / 2;
        if (r < m[0]) return 1;
        if (m[0] < r && r < m[1]) return 2;
        if (m[1] < r && r < m[2]) return 3;
        if (m[2] < r && r < m[3]) return 4;
        if (r > m[3]) return 5;
        return 0; // exactly on a midpoint: no band
    };
    const int off[] = {k_.off_1p, k_.off_2p, k_.off_3p, k_.off_4p, k_.off_5p};
    for (int typ = 1; typ <= 5; ++typ) {
        const int r = r0 + off[typ - 1];
        EXPECT_TRUE(255 < r && r < 330) << typ;
        EXPECT_EQ(pasek(r), typ) << "line " << typ << " at " << r;
    }
    // The outer line stays below the upper-edge search, whose start must clear the tips.
    EXPECT_LT(r0 + k_.off_5p, int(k_.rgorny_km));
    // The outer pass steps one pixel of arc at rgorny_km: about a pixel at the outer line.
    EXPECT_NEAR(k_.rgorny_km, r0 + k_.off_5p, 10.0f);
    EXPECT_EQ(int(k_.rtest), r0);
}
