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

// The distance points drawn later (on a view not shown yet) are those of the moment the
// drawing was asked for, and look as if drawn at once.
TEST(Rysowanie, PunktyNarysowanePozniejJakWChwiliProsby) {
    Tarcza t;
    wypelnij(t.l, {{0, 180, kJazda}, {180, 0, kPostoj}});
    t.l.pierwszy->punkty->dodaj(30.0f, 1, 150);
    host::Bitmap32 od_razu(400, 400), pozniej(400, 400);
    t.l.rysuj_punkty(od_razu, 200, 200, nullptr);
    const auto rysunek = t.l.rysunek_punktow(200, 200, nullptr);
    t.l.pierwszy->punkty->dodaj(60.0f, 2, 150); // after the request: not in its drawing
    rysunek(pozniej);

    const auto [x, y] = punkt_na_tarczy(30.0, 150, 200, 200);
    EXPECT_EQ(pozniej.GetPixelS(x, y), host::Color32(255, 0, 0));
    EXPECT_EQ(pozniej.image(), od_razu.image());
    const auto [x2, y2] = punkt_na_tarczy(60.0, 150, 200, 200);
    EXPECT_EQ(pozniej.GetPixelS(x2, y2), kBialy);
}

} // namespace
