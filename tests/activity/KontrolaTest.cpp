// Rule check: daily driving, the break walks and the second run, on whole days.
#include "activity/Kontrola.h"

#include "host/KatyCzas.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A day from 00:00 (kat24 = 0) written as "D240 R45 ...": activity letter and minutes.
void uloz(Lista_zdarz& l, const std::string& dzien) {
    l.ustaw_kat24(0.0);
    l.ustaw_kat_rozp(0.0);
    std::istringstream in(dzien);
    std::string s;
    int t = 0;
    const std::map<char, int> kody{
        {'R', kPostoj}, {'D', kJazda}, {'W', kPraca}, {'A', kDyzur}, {'B', kBrakDanych}};
    while (in >> s) {
        const int min = std::stoi(s.substr(1));
        l.dodaj_zdarzenie(host::Katdo360(t * 0.25), host::Katdo360((t + min) * 0.25),
                          kody.at(s[0]));
        t += min;
    }
}

using Ust = std::map<QString, QVariant>;

// Result, both counters, minutes of continuous-driving excess, break marks ("" not checked).
struct Przypadek {
    const char* nazwa;
    std::string dzien;
    Ust ust;
    int rok, zaloga;
    int wynik, ile_jazda_ciagla, ile_przerwa_krotka, nadmiar;
    std::string znaki;
};

TEST(Kontrola, Dni) {
    const Ust wyl{{"kpkjc", false}};
    // clang-format off
    const Przypadek tabela[] = {
        {"10 h keeps the limit", "D240 R45 D240 R45 D120 R750", {}, 2008, 0, 0, 0, 0, 0, ""},
        {"10 h 01 breaks it", "D240 R45 D240 R45 D121 R749", {}, 2008, 0, 1, 0, 0, 0, ""},
        {"5 h, 10 h rest, 6 h: 6 h counted", "D240 R45 D60 R600 D240 R45 D120 R90", {}, 2008, 0, 0, 0, 0, 0, ""},
        {"15 then 30 ends the stretch", "D240 R15 D30 R30 D240 R60 R825", {}, 2008, 0, 0, 0, 0, 0, "0102000"},
        {"30 then 15 does not", "D240 R30 D30 R15 D240 R60", {}, 2008, 0, 1, 1, 0, 240, "000003"},
        {"2008: with a crew availability is a break", "D240 A45 D240 R600", {}, 2008, 1, 0, 0, 0, 0, "0300"},
        {"2008: without a crew it is not", "D240 A45 D240 R600", {}, 2008, 0, 1, 1, 0, 210, ""},
        {"2006: not even for a crew", "D240 A45 D240 R600", {}, 2006, 1, 1, 1, 0, 210, ""},
        {"2006: wliczaj_dy", "D240 A45 D240 R600", {{"wliczaj_dy", true}}, 2006, 0, 0, 0, 0, 0, ""},
        {"no break after the stretch: a short one", "D300 W60", {}, 2008, 0, 1, 1, 1, 30, ""},
        {"driving and work, no rest", "D120 W60 D120", {}, 2008, 0, 1, 0, 0, 0, ""},
        {"an empty list", "", {}, 2008, 0, 0, 0, 0, 0, ""},
        {"kpkjc on: every complete break ends the stretch", "D120 R45 D120 R45 D60 R600", {}, 2008, 0, 0, 0, 0, 0, "030300"},
        {"kpkjc off: back to the recent break past 4 h 30", "D120 R45 D120 R45 D60 R600", wyl, 2008, 0, 0, 0, 0, 0, "000300"},
        {"kpkjc off: older break used after a 30", "D120 R45 D120 R45 D60 R30 D240 R600", wyl, 2008, 0, 1, 1, 0, 30, "03030000"},
        // 40 + 30 is a split break only without the tolerance: that run wins, counters add up
        {"second run wins", "D120 R40 D120 R30 D180 R600", {{"tolerancja_45", 5}}, 2008, 0, 0, 1, 0, 0, "010200"},
        // the first run keeps its smaller excess; the marks are those of the last run
        {"first run stays, marks of the last", "D240 R10 D20 R30 D300 R600", {{"tolerancja_15", 5}}, 2008, 0, 1, 2, 0, 30, "000000"},
    };
    // clang-format on
    for (const Przypadek& p : tabela) {
        SCOPED_TRACE(p.nazwa);
        Lista_zdarz l;
        uloz(l, p.dzien);
        const Ust u = p.ust;
        Kontrola k([u](const QString& name, const QString&) {
            const auto it = u.find(name);
            return it == u.end() ? QVariant() : it->second;
        });
        EXPECT_EQ(k.kontroluj(l, host::TDateTime::encode(p.rok, 5, 12), p.zaloga), p.wynik);
        EXPECT_EQ(k.wynik, p.wynik);
        EXPECT_EQ(l.ile_jazda_ciagla, p.ile_jazda_ciagla);
        EXPECT_EQ(l.ile_przerwa_krotka, p.ile_przerwa_krotka);
        EXPECT_EQ(k.nadmiar_min, p.nadmiar);
        if (p.znaki.empty()) continue;
        std::string znaki;
        for (const Zdarzenie* z = l.pierwszy; z; z = z->nast)
            znaki += char('0' + z->czy_przerwa);
        EXPECT_EQ(znaki, p.znaki);
    }
}

} // namespace
