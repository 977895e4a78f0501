// Point list and the period record.
#include "activity/Zdarzenie.h"
#include "activity/lista_pkt.h"
#include "host/Bitmap32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Pkt {
    float kat;
    int pasek;
};

void dodaj(lista_pkt& l, std::initializer_list<Pkt> pkt) {
    for (const Pkt& p : pkt)
        l.dodaj(p.kat, p.pasek, 300);
}

std::vector<float> katy(const lista_pkt& l) {
    std::vector<float> v;
    for (const lista_pkt_node* w = l.pierwszy; w; w = w->nast)
        v.push_back(w->kat);
    return v;
}

TEST(ListaPkt, OdlegloscToSumaRoznicPaskowPlusJeden) {
    const std::pair<std::vector<int>, int> przypadki[] = {
        {{}, 0}, {{3}, 0}, {{3, 5, 4}, 5}, {{1, 5, 1, 5}, 15}, {{2, 2}, 1}};
    for (const auto& [paski, km] : przypadki) {
        lista_pkt l;
        float kat = 10.0f;
        for (int pasek : paski)
            l.dodaj(kat += 1.0f, pasek, 300);
        EXPECT_EQ(l.odleglosc(), km) << "points: " << paski.size();
    }
}

TEST(ListaPkt, DodawanieWDowolnejKolejnosciZostawiaPosortowane) {
    lista_pkt l;
    dodaj(l, {{30, 1}, {10, 2}, {20, 3}, {5, 4}, {25, 5}});
    EXPECT_EQ(katy(l), (std::vector<float>{5, 10, 20, 25, 30}));
    EXPECT_EQ(l.pierwszy->nr_paska, 4); // the band travels with its angle
    EXPECT_EQ(l.ostatni->poprz->nr_paska, 5);
    EXPECT_EQ(l.ile, 5);
    EXPECT_EQ(l.zakres(), std::make_pair(5.0f, 30.0f));
    EXPECT_EQ(lista_pkt().zakres(), std::make_pair(-1.0f, -1.0f));

    lista_pkt cel; // copying replaces what the target held
    dodaj(cel, {{1, 1}, {2, 2}});
    l.kopiuj_do(cel);
    EXPECT_EQ(katy(cel), katy(l));
}

TEST(ListaPkt, OdlegloscWZakresie) {
    lista_pkt l;
    dodaj(l, {{10, 1}, {11, 5}, {12, 1}, {13, 5}});
    // only the step into 12 has both ends inside 10.5..12.5 (with the 0.3 margins)
    EXPECT_EQ(l.odleglosc_w(10.5, 12.5), 5);
    EXPECT_EQ(l.odleglosc_w(9.0, 14.0), 15);
    // across 360 (points of such a period are held past 360): a2 below a1 is taken a turn on
    lista_pkt w;
    dodaj(w, {{358, 1}, {359.5, 5}, {360.5, 1}, {365, 5}});
    EXPECT_EQ(w.odleglosc_w(357.5, 1.5), 10);
}

TEST(ListaPkt, UsuwanieDuplikatowZostawiaPunktBlizszyPolowieOkresu) {
    lista_pkt l;
    dodaj(l, {{1, 5}, {2, 5}, {3, 5}, {7, 1}, {8, 1}});
    l.usun_duplikaty(0.0, 10.0); // middle at 5
    EXPECT_EQ(katy(l), (std::vector<float>{1, 8}));
    // a period across 360: the middle is 360, angles below the start count one turn on
    lista_pkt w;
    dodaj(w, {{2, 3}, {3, 3}, {355, 2}, {356, 2}});
    w.usun_duplikaty(350.0, 10.0);
    EXPECT_EQ(katy(w), (std::vector<float>{3, 355}));
}

TEST(ListaPkt, TrafienieWPromieniuMniejszymNizPiecPikseli) {
    // the point sits at (70, 50)
    const std::tuple<int, int, int> przypadki[] = {
        {75, 50, 0}, {74, 50, 1}, {73, 54, 0}, {73, 53, 1}};
    for (const auto& [x, y, trafiony] : przypadki) {
        host::Bitmap32 bmp(100, 100);
        lista_pkt l;
        l.dodaj(0.0f, 1, 20);
        EXPECT_EQ(l.trafienie(bmp, x, y, 50.0, 50.0, nullptr), trafiony) << x << "," << y;
        EXPECT_EQ(bmp.GetPixelS(70, 50),
                  trafiony ? host::Color32(0, 0, 255) : host::Color32(255, 0, 0));
        EXPECT_EQ(l.usun_wybrany(), trafiony);
        EXPECT_EQ(l.ile, 1 - trafiony);
    }
}

TEST(Zdarzenie, DlugoscIKmDoZapisu) {
    const std::tuple<double, double, double> dlugosci[] = {
        {10, 20, 10}, {350, 10, 20}, {100, 100, 360}, {200.5, 200.25, 359.75}};
    for (const auto& [od, do_, trw] : dlugosci)
        EXPECT_DOUBLE_EQ(kat_trw(od, do_), trw) << od;
    const std::pair<int, int> km[] = {{-1, 0}, {150, 150}, {32767, 32767}, {40000, 0}};
    for (auto [k, zapis] : km)
        EXPECT_EQ(km_do_zapisu(k), zapis) << k;
}

TEST(Zdarzenie, ZamianaPomijaLinkiDrugaListeINumer) {
    Zdarzenie a(1, 10, 20, kJazda, 5, 1, 0, 3, 11);
    Zdarzenie b(2, 30, 40, kPraca, 7, 0, 1, 0, 3);
    a.czas_od = 0.1;
    a.nr = 0;
    b.nr = 1;
    a.nast = &b;
    b.poprz = &a;
    b.punkty2 = std::make_unique<lista_pkt>();
    lista_pkt* punkty_a = a.punkty.get();
    lista_pkt* punkty2_b = b.punkty2.get();

    a.zamien(b);
    EXPECT_EQ(std::tie(a.id_tpz, a.kat_od, a.kat_do, a.czy_praca, a.km, a.out, a.pz_zespol),
              std::make_tuple(2, 30.0, 40.0, kPraca, 7, 1, 3));
    EXPECT_EQ(std::tie(b.podjazd, b.czy_przerwa), std::make_tuple(1, 3));
    EXPECT_EQ(b.czas_od, 0.1);
    EXPECT_EQ(b.punkty.get(), punkty_a);
    // these stay in place
    EXPECT_EQ(std::tie(a.nr, b.nr), std::make_tuple(0, 1));
    EXPECT_EQ(a.nast, &b);
    EXPECT_EQ(b.punkty2.get(), punkty2_b);
    EXPECT_EQ(a.punkty2, nullptr);
}

} // namespace
