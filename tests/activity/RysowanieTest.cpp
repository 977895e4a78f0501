// Period list: the activity ring.
#include "PomocListy.h"

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

} // namespace
