// Period list: the period grid.
#include "PomocListy.h"

#include "host/Resstrings.h"

#include <gtest/gtest.h>

namespace {

QString napis(const char* klucz) {
    return host::LoadResstrings(QLatin1String(klucz));
}

TEST(Siatka, CzasyKmIPredkosc) {
    Lista_zdarz l;
    // 00:00-06:00 driving with a stored distance and no points, 06:00-06:20 work,
    // 06:20-06:40 no data, 06:40-13:20 rest entered by hand, 13:20-24:00 ferry driving
    wypelnij(l, {{0, 90, kJazda, 100},
                 {90, 95, kPraca},
                 {95, 100, kPostoj, 0, kZnakBrakDanych},
                 {100, 200, kPostoj, 0, kZnakReczny},
                 {200, 0, kJazda, 77}});
    Zdarzenie* prom = l.wybierz(4);
    prom->podjazd = 1;
    prom->punkty->dodaj(210.0f, 1, 300);
    prom->punkty->dodaj(220.0f, 5, 300);

    SiatkaZdarzen s;
    l.wypelnij_siatke(s);
    ASSERT_EQ(s.RowCount(), 6);
    EXPECT_EQ(s.wiersz(0).mid(0, 7),
              (QStringList{napis("Resstrings_IDS_ListaPNaglowek1"),
                           napis("Resstrings_IDS_ListaPNaglowek2"), napis("Resstrings_IDS_Do"),
                           napis("Resstrings_IDS_Czas"), napis("Resstrings_IDS_ListaPNaglowek5"),
                           napis("Resstrings_IDS_ListaPNaglowek6"),
                           napis("Resstrings_IDS_ListaPNaglowek7")}));
    const QString ja = napis("Resstrings_IDS_ListaPZdarzJa");
    // the stored 100 km stand while the points give nothing; 100 * 15 / 90 + 0.5 -> 17 km/h
    EXPECT_EQ(s.wiersz(1).mid(0, 7),
              (QStringList{"1", "00:00", "06:00", "06:00", "100", ja, "17"}));
    EXPECT_EQ(s.wiersz(2).mid(0, 7), (QStringList{"2", "06:00", "06:20", "00:20", "0",
                                                  napis("Resstrings_IDS_ListaPZdarzPr"), ""}));
    EXPECT_EQ(s.Cells(5, 3), "?");
    EXPECT_EQ(s.Cells(5, 4), napis("Resstrings_IDS_ListaPZdarzPo") + " - WR");
    // the points give 5 km, which replace the stored 77
    EXPECT_EQ(s.wiersz(5).mid(0, 7),
              (QStringList{"5", "13:20", "00:00", "10:40", "5", ja + " - P", "0"}));
    EXPECT_EQ(s.Cells(8, 5), "10:40");
    EXPECT_EQ(prom->km, 5);

    // redetected points that give nothing overrule the stored distance
    l.pierwszy->punkty->edytowana = 1;
    l.wypelnij_siatke(s);
    EXPECT_EQ(s.Cells(4, 1), "0");
    EXPECT_EQ(l.pierwszy->km, 0);
}

TEST(Siatka, DobaPokazywanaJako2359) {
    // one period left after a removal ends one second before it starts
    for (double kat24 : {0.0, 30.0}) {
        Lista_zdarz l;
        l.ustaw_kat24(kat24);
        wypelnij(l, {{0, 100, kPraca}, {100, 0, kPostoj}});
        l.usun_zdarzenie_A(1, 1);
        SiatkaZdarzen s;
        l.wypelnij_siatke(s);
        ASSERT_EQ(s.RowCount(), 2);
        EXPECT_EQ(s.Cells(3, 1), "23:59") << kat24;
    }
    // start rounded to the nearest minute: 24 s down, 48 s up
    Lista_zdarz l;
    wypelnij(l, {{0.1, 0.2, kPraca}, {0.2, 0.1, kPostoj}});
    SiatkaZdarzen s;
    l.wypelnij_siatke(s);
    EXPECT_EQ(s.Cells(1, 1), "00:00");
    EXPECT_EQ(s.Cells(2, 1), "00:01");
}

} // namespace
