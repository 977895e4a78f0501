// Day summary: texts and rest, the period after the end of recording.
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
        // The labels read the clock: a whole day of driving is "00:00", and with every
        // working label at "00:00" rest shows "23:59".
        {"a whole day of driving reads as a clock shows it",
         {{D, 720}, {D, 720}},
         {"00:00", "00:00", "00:00", "00:00", "23:59"}},
        {"a whole day of work and availability",
         {{W, 1380}, {A, 60}},
         {"00:00", "23:00", "01:00", "00:00", "00:00"}},
    };
    for (const auto& t : tabela) {
        SCOPED_TRACE(t.nazwa);
        Lista_zdarz l;
        uloz(l, t.dzien);
        const Podsumowanie p = pokaz_podsum(l);
        EXPECT_EQ((QStringList{p.st_ja, p.st_pr, p.st_za, p.st_br, p.st_po}), t.teksty);
        int min[4] = {};
        for (const Kawalek& k : t.dzien)
            if (k.kod != R) min[k.kod == D ? 0 : k.kod == W ? 1 : k.kod == A ? 2 : 3] += k.min;
        EXPECT_EQ((std::vector<int>{p.min_ja, p.min_pr, p.min_za, p.min_br}),
                  (std::vector<int>{min[0], min[1], min[2], min[3]}));
    }
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
