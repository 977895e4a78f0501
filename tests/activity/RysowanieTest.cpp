// Period list: the activity ring, the recording marks and the hit test on the disc view.
#include "PomocListy.h"

#include "host/Rysuj.h"

#include <gtest/gtest.h>

namespace {

constexpr host::TColor32 kBialy = host::clWhite32;

// driving 0..90, work 90..180, availability 180..270, rest 270..360; noon (kat24 + 180) at 315
void cztery_cwiartki(Tarcza& t, int opcja_szara) {
    t.l.opcja_szara = static_cast<std::uint8_t>(opcja_szara);
    t.l.ustaw_kat24(135);
    wypelnij(t.l, {{0, 90, kJazda}, {90, 180, kPraca}, {180, 270, kDyzur}, {270, 0, kPostoj}});
}

TEST(Rysowanie, KolorySektorowIZaznaczenie) {
    Tarcza t;
    cztery_cwiartki(t, 1);
    t.l.rysuj_zdarzenia_wiersz(-1);
    EXPECT_EQ(t.kolor(45), host::Color32(223, 36, 55));
    EXPECT_EQ(t.kolor(135), host::Color32(238, 134, 30));
    EXPECT_EQ(t.kolor(225), host::Color32(227, 224, 87));
    EXPECT_EQ(t.kolor(290), host::Color32(123, 191, 242));
    // the ring is 120 pixels wide inside its radius 190
    EXPECT_EQ(t.kolor(45, 75), host::Color32(223, 36, 55));
    EXPECT_EQ(t.kolor(45, 60), kBialy);
    EXPECT_EQ(t.kolor(45, 195), kBialy);

    // the selected period is blue and 125 pixels wide
    t.l.rysuj_zdarzenia_wiersz(1);
    EXPECT_EQ(t.kolor(135), host::Color32(0, 0, 210));
    EXPECT_EQ(t.kolor(135, 67), host::Color32(0, 0, 210));
    EXPECT_EQ(t.kolor(45, 67), kBialy);
    EXPECT_EQ(t.kolor(45), host::Color32(223, 36, 55)); // the scan is copied under each repaint
}

TEST(Rysowanie, PostojIBrakDanych) {
    struct Przypadek {
        int opcja_szara;
        int znak;
        host::TColor32 kolor;
        bool kreskowany;
    };
    const Przypadek przypadki[] = {
        {0, 0, host::Color32(123, 191, 242), true},
        {0, kZnakBrakDanych, host::Color32(200, 200, 200), false},
        {1, kZnakBrakDanych, host::Color32(255, 255, 255), false},
    };
    for (const auto& p : przypadki) {
        Tarcza t;
        t.skan.Clear(host::clBlack32); // so that a white sector shows
        t.l.opcja_szara = static_cast<std::uint8_t>(p.opcja_szara);
        wypelnij(t.l, {{0, 90, kJazda}, {90, 0, kPostoj, 0, p.znak}});
        t.l.rysuj_zdarzenia();
        // hatching shades one pixel in eight along a row; sample eight neighbours
        int rowne = 0, inne = 0;
        const auto [x, y] = Tarcza::px(200, 130);
        for (int i = 0; i < 8; ++i) {
            const host::TColor32 k = t.widok.GetPixelS(x + i, y);
            if (k == p.kolor)
                ++rowne;
            else if (k == host::HatchColour(p.kolor))
                ++inne;
            else
                ADD_FAILURE() << std::hex << k;
        }
        EXPECT_GT(rowne, 0);
        EXPECT_EQ(inne > 0, p.kreskowany) << p.opcja_szara << " " << p.znak;
    }
}

TEST(Rysowanie, ZnacznikiRozpoczeciaZakonczeniaIPoludnia) {
    Tarcza t;
    cztery_cwiartki(t, 1);
    t.l.kat_rozp = 50; // drawing takes the start of the first period
    t.l.kat_zak = 200;
    t.l.rysuj_zdarzenia();
    EXPECT_EQ(t.l.kat_rozp, 0);
    const host::TColor32 zielony = host::Color32(73, 132, 54);
    EXPECT_EQ(t.kolor(0, 190), zielony);
    EXPECT_EQ(t.kolor(0, 40), zielony);  // the radius line
    EXPECT_EQ(t.kolor(0, 120), zielony); // drawn over the ring
    EXPECT_EQ(t.kolor(200, 190), host::Color32(63, 81, 173));
    // the noon line along 315 degrees, through the hole in the middle
    int szare = 0;
    for (int r = 20; r < 60; ++r)
        if (t.kolor(315, r) == host::Color32(127, 127, 127)) ++szare;
    EXPECT_GT(szare, 30);

    // without the clean scan nothing is drawn
    t.widok.Clear(kBialy);
    t.l.ustaw_okno(&t.widok, nullptr);
    t.l.rysuj_zdarzenia();
    EXPECT_EQ(t.kolor(45), kBialy);
}

TEST(Rysowanie, TrafienieWybieraOkresIGranice) {
    struct Przypadek {
        int x, y;
        int nr;      // selected period, -1 none
        int granica; // period whose start is within a degree, -1 none
    };
    const Przypadek przypadki[] = {
        {200, 350, 0, 1},  // exactly 90 degrees: both ranges hold it, the first one wins
        {198, 350, 1, 1},  // 90.76
        {196, 350, 1, -1}, // 91.53
        {202, 350, 0, 1},  // 89.24
        {350, 198, 3, 0},  // 359.24: the start at 0 counts a turn on
        {100, 100, 2, -1}, {395, 200, -1, -1}, // outside the ring
    };
    for (const auto& p : przypadki) {
        Tarcza t;
        cztery_cwiartki(t, 1);
        EXPECT_EQ(t.l.zaznacz_xy(p.x, p.y), p.nr) << p.x << "," << p.y;
        EXPECT_EQ(t.l.zaznaczony ? t.l.zaznaczony->nr : -1, p.nr);
        EXPECT_EQ(t.l.granica ? t.l.granica->nr : -1, p.granica) << p.x << "," << p.y;
        // the ring is repainted with the selection
        if (p.nr == 2) {
            EXPECT_EQ(t.kolor(225), host::Color32(0, 0, 210));
        }
    }
}

} // namespace
