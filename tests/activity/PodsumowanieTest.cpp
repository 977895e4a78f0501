// Day summary: texts, rest, colour of driving, distance and speed.
#include "activity/Podsumowanie.h"
#include "activity/Kontrola.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Kawalek {
    int kod;
    int min;
    int km = 0;
};

void uloz(Lista_zdarz& l, const std::vector<Kawalek>& dzien) {
    l.ustaw_kat24(0.0);
    l.ustaw_kat_rozp(0.0);
    int t = 0;
    for (const Kawalek& k : dzien) {
        l.dodaj_zdarzenie(host::Katdo360(t * 0.25), host::Katdo360((t + k.min) * 0.25), k.kod,
                          k.km);
        t += k.min;
    }
}

constexpr int R = kPostoj, D = kJazda, W = kPraca, A = kDyzur, B = kBrakDanych;

TEST(Podsumowanie, CzasyIOdpoczynek) {
    struct {
        const char* nazwa;
        std::vector<Kawalek> dzien;
        QStringList teksty; // driving, work, availability, no data, rest
    } tabela[] = {
        {"rest is what the day leaves",
         {{D, 240}, {W, 60}, {A, 30}, {R, 1110}},
         {"04:00", "01:00", "00:30", "00:00", "18:30"}},
        {"no data is left out of rest",
         {{D, 60}, {B, 60}, {R, 1320}},
         {"01:00", "00:00", "00:00", "01:00", "22:00"}},
        {"nothing but rest and no data: 23:59",
         {{B, 120}, {R, 1320}},
         {"00:00", "00:00", "00:00", "02:00", "23:59"}},
        {"a last minute of rest shows as 00:00",
         {{W, 1439}, {R, 1}},
         {"00:00", "23:59", "00:00", "00:00", "00:00"}},
        {"an empty list", {}, {"00:00", "00:00", "00:00", "00:00", "23:59"}},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.nazwa);
        Lista_zdarz l;
        uloz(l, t.dzien);
        const Podsumowanie p = pokaz_podsum(l);
        EXPECT_EQ((QStringList{p.st_ja, p.st_pr, p.st_za, p.st_br, p.st_po}), t.teksty);
    }
}

TEST(Podsumowanie, KolorJazdyIOstrzezenie) {
    struct {
        int jazda;
        host::TColor kolor;
        bool ostrzezenie;
    } tabela[] = {
        {540, host::WinColor(host::Color32(58, 58, 58)), false},
        {541, host::WinColor(host::Color32(255, 128, 0)), false},
        {600, host::WinColor(host::Color32(255, 128, 0)), false},
        {601, host::WinColor(host::Color32(194, 1, 34)), true},
    };
    for (const auto& t : tabela) {
        Lista_zdarz l;
        uloz(l, {{D, t.jazda}, {R, 1440 - t.jazda}});
        const Podsumowanie p = pokaz_podsum(l);
        EXPECT_EQ(p.kolor_ja, t.kolor) << t.jazda;
        EXPECT_EQ(p.Image3, t.ostrzezenie) << t.jazda;
    }
    EXPECT_EQ(Podsumowanie::kKolorPonad10, 0x2201C2); // Windows order: blue, green, red
}

TEST(Podsumowanie, DrogaIPredkosc) {
    struct {
        std::vector<Kawalek> dzien;
        int km, v;
    } tabela[] = {
        {{{D, 240, 300}, {R, 1200}}, 300, 75},
        {{{D, 81, 100}, {R, 1359}}, 100, 74}, // 74.07: the integer part
        {{{D, 60, 50}, {W, 60}, {D, 60, 50}, {R, 1260}}, 100, 50},
        {{{W, 60}, {R, 1380}}, 0, 0},
    };
    for (const auto& t : tabela) {
        Lista_zdarz l;
        uloz(l, t.dzien);
        const Podsumowanie p = pokaz_podsum(l);
        EXPECT_EQ(p.suma_km, t.km);
        EXPECT_EQ(p.predkosc, t.v);
    }

    // A detailed chart measures its whole point list: bands 1, 3, 2 make 3 + 2 km.
    Lista_zdarz l;
    uloz(l, {{D, 60, 999}, {R, 1380}});
    l.czy_szczeg = 1;
    l.punkty_tarczy->dodaj(1.0f, 1, 300);
    l.punkty_tarczy->dodaj(5.0f, 3, 300);
    l.punkty_tarczy->dodaj(9.0f, 2, 300);
    EXPECT_EQ(pokaz_podsum(l).suma_km, 5);
    EXPECT_EQ(pokaz_podsum(l).predkosc, 5);
}

TEST(Podsumowanie, OkresOdKataZakonczeniaToBrakDanych) {
    // 10 h of driving up to 11:30, then an hour of driving at 19:50 after the chart was taken
    // out.
    Lista_zdarz l;
    uloz(l, {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 120}, {R, 500}, {D, 60}, {R, 190}});
    const host::TDateTime data = host::TDateTime::encode(2008, 5, 12);
    Kontrola k([](const QString&, const QString&) { return QVariant(); });
    EXPECT_EQ(k.kontroluj(l, data, 0), 1);
    EXPECT_TRUE(k.dzienny_limit);

    l.kat_zak = 1190 * 0.25; // where the last driving starts
    EXPECT_EQ(k.kontroluj(l, data, 0), 0);
    const Podsumowanie p = pokaz_podsum(l);
    EXPECT_EQ(p.st_ja, "10:00");
    EXPECT_EQ(p.st_br, "01:00");
    EXPECT_EQ(p.kolor_ja, Podsumowanie::kKolorPonad9);
}

} // namespace
