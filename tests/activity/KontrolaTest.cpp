// Rule check: daily driving, the break walks, the second run and the finding lines.
#include "activity/Kontrola.h"

#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int R = kPostoj, D = kJazda, W = kPraca, A = kDyzur, B = kBrakDanych;

struct Kawalek {
    int kod;
    int min;
};

// A day laid out from 00:00 (kat24 = 0): each piece follows the one before.
void uloz(Lista_zdarz& l, const std::vector<Kawalek>& dzien) {
    l.ustaw_kat24(0.0);
    l.ustaw_kat_rozp(0.0);
    int t = 0;
    for (const Kawalek& k : dzien) {
        l.dodaj_zdarzenie(host::Katdo360(t * 0.25), host::Katdo360((t + k.min) * 0.25), k.kod);
        t += k.min;
    }
}

using Ust = std::map<QString, QVariant>;

CzytnikUstawien z_mapy(const Ust& u) {
    return [u](const QString& name, const QString&) {
        const auto it = u.find(name);
        return it == u.end() ? QVariant() : it->second;
    };
}

const host::TDateTime k2008 = host::TDateTime::encode(2008, 5, 12);
const host::TDateTime k2006 = host::TDateTime::encode(2006, 5, 12);

std::vector<int> znaki(const Lista_zdarz& l) {
    std::vector<int> z;
    for (const Zdarzenie* p = l.pierwszy; p; p = p->nast)
        z.push_back(p->czy_przerwa);
    return z;
}

// A row: name; the day; settings, date, crew; then, after "->", the result, both counters, the
// excess and the marks.
struct Przypadek {
    const char* nazwa;
    std::vector<Kawalek> dzien;
    Ust ust;
    host::TDateTime data;
    int zaloga;
    int wynik;
    int ile_jazda_ciagla;
    int ile_przerwa_krotka;
    int nadmiar;            // minutes of continuous-driving excess counted
    std::vector<int> znaki; // break marks; empty: not checked
};

void sprawdz(const std::vector<Przypadek>& tabela) {
    for (const Przypadek& p : tabela) {
        SCOPED_TRACE(p.nazwa);
        Lista_zdarz l;
        uloz(l, p.dzien);
        Kontrola k(z_mapy(p.ust));
        EXPECT_EQ(k.kontroluj(l, p.data, p.zaloga), p.wynik);
        EXPECT_EQ(k.wynik, p.wynik);
        EXPECT_EQ(l.ile_jazda_ciagla, p.ile_jazda_ciagla);
        EXPECT_EQ(l.ile_przerwa_krotka, p.ile_przerwa_krotka);
        EXPECT_EQ(k.nadmiar_min, p.nadmiar);
        if (!p.znaki.empty()) {
            EXPECT_EQ(znaki(l), p.znaki);
        }
    }
}

TEST(Kontrola, DlugoscOkresuWGodzinach) {
    struct {
        double od, do_;
        double godz;
    } tabela[] = {
        {0.0, 3.75, 0.25},        // 15 minutes
        {350.0, 10.0, 80 / 60.0}, // across 360
        {10.0, 10.26, 1 / 60.0},  // 62.4 seconds: the seconds are dropped
        {0.0, 135.0, 9.0},
    };
    for (const auto& t : tabela) {
        Zdarzenie z(0, t.od, t.do_, D, 0, 0, 0, 0, 0);
        EXPECT_DOUBLE_EQ(dlugosc_godz(z), t.godz) << t.od << ".." << t.do_;
    }
}

TEST(Kontrola, DziennyCzasJazdy) {
    // Driving is cut by complete breaks so that only the daily limit can fail.
    // clang-format off
    sprawdz({
        {"10 h keeps the limit",
         {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 120}, {R, 750}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
        {"10 h 01 breaks it",
         {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 121}, {R, 749}},
         {}, k2008, 0, /* -> */ 1, 0, 0, 0, {}},
        {"tolerancja_AETR lengthens it",
         {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 125}, {R, 745}},
         {{"tolerancja_AETR", 5}}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
        {"one minute past the tolerance",
         {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 126}, {R, 744}},
         {{"tolerancja_AETR", 5}}, k2008, 0, /* -> */ 1, 0, 0, 0, {}},
        {"5 h, 10 h rest, 6 h: 6 h counted",
         {{D, 240}, {R, 45}, {D, 60}, {R, 600}, {D, 240}, {R, 45}, {D, 120}, {R, 90}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
        {"5 h 30 after the 9 h rest, 5 h before: 5 h 30 counted",
         {{D, 240}, {R, 45}, {D, 60}, {R, 540}, {D, 240}, {R, 45}, {D, 90}, {R, 180}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
        {"8 h 59 of rest does not split the day",
         {{D, 240}, {R, 45}, {D, 60}, {R, 539}, {D, 240}, {R, 45}, {D, 90}, {R, 181}},
         {}, k2008, 0, /* -> */ 1, 0, 0, 0, {}},
        {"no data of 9 h splits it too",
         {{D, 240}, {R, 45}, {D, 30}, {B, 540}, {D, 240}, {R, 45}, {D, 120}, {R, 180}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
        {"a long rest at the first position does not split",
         {{R, 600}, {D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 121}, {R, 49}},
         {}, k2008, 0, /* -> */ 1, 0, 0, 0, {}},
    });
    // clang-format on
}

TEST(Kontrola, PrzerwyOd2007) {
    // clang-format off
    sprawdz({
        {"15 then 30 ends the stretch",
         {{D, 240}, {R, 15}, {D, 30}, {R, 30}, {D, 240}, {R, 60}, {R, 825}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {0, 1, 0, 2, 0, 0, 0}},
        {"30 then 15 does not",
         {{D, 240}, {R, 30}, {D, 30}, {R, 15}, {D, 240}, {R, 60}},
         {}, k2008, 0, /* -> */ 1, 1, 0, 240, {0, 0, 0, 0, 0, 3}},
        {"a 45 minute break is complete at once; 4 h 30 is allowed",
         {{D, 270}, {R, 45}, {D, 270}, {R, 44}, {R, 1}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {0, 3, 0, 0, 3}},
        {"the excess counts from 4 h 30 even with a longer limit",
         {{D, 286}, {R, 45}, {D, 60}, {R, 600}},
         {{"tolerancja_jazdy_c", 15}}, k2008, 0, /* -> */ 1, 1, 0, 16, {}},
        {"no break after the stretch: a short one",
         {{D, 300}, {W, 60}},
         {}, k2008, 0, /* -> */ 1, 1, 1, 30, {}},
        {"tolerancja_45 makes 40 minutes complete",
         {{D, 240}, {R, 40}, {D, 240}, {R, 600}},
         {{"tolerancja_45", 5}}, k2008, 0, /* -> */ 0, 0, 0, 0, {0, 3, 0, 0}},
        {"with a crew availability is a break",
         {{D, 240}, {A, 45}, {D, 240}, {R, 600}},
         {}, k2008, 1, /* -> */ 0, 0, 0, 0, {0, 3, 0, 0}},
        {"without a crew it is not",
         {{D, 240}, {A, 45}, {D, 240}, {R, 600}},
         {}, k2008, 0, /* -> */ 1, 1, 0, 210, {}},
        {"driving and work, no rest: fails",
         {{D, 120}, {W, 60}, {D, 120}},
         {}, k2008, 0, /* -> */ 1, 0, 0, 0, {}},
        {"an empty list: 0",
         {},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {}},
    });
    // clang-format on
}

TEST(Kontrola, PrzerwyPrzed2007) {
    // clang-format off
    sprawdz({
        {"three breaks of 15 add up to 45",
         {{D, 120}, {R, 15}, {D, 60}, {R, 15}, {D, 60}, {R, 15}, {D, 180}, {R, 600}},
         {}, k2006, 0, /* -> */ 0, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"breaks under 15 minutes do not count",
         {{D, 120}, {R, 14}, {D, 60}, {R, 15}, {D, 60}, {R, 15}, {D, 180}, {R, 600}},
         {}, k2006, 0, /* -> */ 1, 1, 0, 150, {}},
        {"availability only with wliczaj_dy, even for a crew",
         {{D, 240}, {A, 45}, {D, 240}, {R, 600}},
         {}, k2006, 1, /* -> */ 1, 1, 0, 210, {}},
        {"wliczaj_dy on",
         {{D, 240}, {A, 45}, {D, 240}, {R, 600}},
         {{"wliczaj_dy", true}}, k2006, 0, /* -> */ 0, 0, 0, 0, {}},
        {"the first day on a 2008 chart: 15, 15, 15 is no split break",
         {{D, 120}, {R, 15}, {D, 60}, {R, 15}, {D, 60}, {R, 15}, {D, 180}, {R, 600}},
         {}, k2008, 0, /* -> */ 1, 1, 0, 150, {}},
    });
    // clang-format on
}

TEST(Kontrola, KpkjcWylaczone) {
    const Ust wyl{{"kpkjc", false}};
    // clang-format off
    sprawdz({
        {"on: every complete break ends the stretch",
         {{D, 120}, {R, 45}, {D, 120}, {R, 45}, {D, 60}, {R, 600}},
         {}, k2008, 0, /* -> */ 0, 0, 0, 0, {0, 3, 0, 3, 0, 0}},
        {"off: back to the more recent break when 4 h 30 is passed",
         {{D, 120}, {R, 45}, {D, 120}, {R, 45}, {D, 60}, {R, 600}},
         wyl, k2008, 0, /* -> */ 0, 0, 0, 0, {0, 0, 0, 3, 0, 0}},
        {"off: going back to a break reached with too much driving",
         {{D, 300}, {R, 45}, {D, 60}, {R, 600}},
         wyl, k2008, 0, /* -> */ 1, 1, 0, 30, {0, 3, 0, 0}},
        {"off: the older break is forgotten when no 30 minutes came since",
         {{D, 120}, {R, 45}, {D, 120}, {R, 45}, {D, 60}, {W, 10}, {D, 240}, {R, 600}},
         wyl, k2008, 0, /* -> */ 1, 1, 0, 30, {0, 0, 0, 3, 0, 0, 0, 0}},
        {"off: the older break is used after a break of 30",
         {{D, 120}, {R, 45}, {D, 120}, {R, 45}, {D, 60}, {R, 30}, {D, 240}, {R, 600}},
         wyl, k2008, 0, /* -> */ 1, 1, 0, 30, {0, 3, 0, 3, 0, 0, 0, 0}},
        // An 8 h rest that ends the stretch drops the remembered 45; one that does not end it
        // leaves that 45 to go back to later.
        {"off: 9 h less tolerancja_odp ends the stretch",
         {{D, 120}, {R, 45}, {D, 120}, {R, 480}, {D, 60}, {R, 30}, {D, 240}, {R, 60}},
         {{"kpkjc", false}, {"tolerancja_odp", 60}}, k2008, 0,
         /* -> */ 1, 1, 0, 30, {0, 0, 0, 0, 0, 0, 0, 3}},
        {"off: 8 h without the tolerance does not",
         {{D, 120}, {R, 45}, {D, 120}, {R, 480}, {D, 60}, {R, 30}, {D, 240}, {R, 60}},
         wyl, k2008, 0, /* -> */ 1, 1, 0, 30, {0, 3, 0, 0, 0, 0, 0, 3}},
    });
    // clang-format on
}

TEST(Kontrola, DrugiPrzebiegBezTolerancji) {
    // clang-format off
    sprawdz({
        // With 5 minutes off the 45, the 40 minutes end the first stretch and the 30 later is
        // only a first part; without it 40 + 30 is a split break and nothing is exceeded.
        {"the run without tolerances wins; counters add up",
         {{D, 120}, {R, 40}, {D, 120}, {R, 30}, {D, 180}, {R, 600}},
         {{"tolerancja_45", 5}}, k2008, 0, /* -> */ 0, 1, 0, 0, {0, 1, 0, 2, 0, 0}},
        // The first run keeps its smaller excess; the marks are those of the second run.
        {"the run with tolerances stays, marks of the last run",
         {{D, 240}, {R, 10}, {D, 20}, {R, 30}, {D, 300}, {R, 600}},
         {{"tolerancja_15", 5}}, k2008, 0, /* -> */ 1, 2, 0, 30, {0, 0, 0, 0, 0, 0}},
        {"no second run when only the driving limit has a tolerance",
         {{D, 300}, {R, 45}, {D, 60}, {R, 600}},
         {{"tolerancja_jazdy_c", 10}}, k2008, 0, /* -> */ 1, 1, 0, 30, {}},
    });
    // clang-format on
}

TEST(Kontrola, UstawieniaCzytaneCoKontrole) {
    auto u = std::make_shared<Ust>();
    Kontrola k([u](const QString& name, const QString& group) {
        EXPECT_EQ(group, "KX");
        const auto it = u->find(name);
        return it == u->end() ? QVariant() : it->second;
    });
    Lista_zdarz l;
    uloz(l, {{D, 280}, {R, 45}, {D, 60}, {R, 600}});
    EXPECT_EQ(k.kontroluj(l, k2008, 0), 1);
    (*u)["tolerancja_jazdy_c"] = 10;
    EXPECT_EQ(k.kontroluj(l, k2008, 0), 0);
    EXPECT_EQ(l.ile_jazda_ciagla, 0); // reset at the start of the check

    // The default reader is the host's store.
    host::SetZm("tolerancja_jazdy_c", "KX", 10);
    EXPECT_EQ(Kontrola().kontroluj(l, k2008, 0), 0);
    host::SetZm("tolerancja_jazdy_c", "KX", 0);
    EXPECT_EQ(Kontrola().kontroluj(l, k2008, 0), 1);
}

TEST(Kontrola, OpisyNaruszen) {
    Lista_zdarz l;
    // 10 h 05 of driving, one stretch of 4 h 45 closed by a 10-minute break.
    uloz(l, {{D, 240}, {R, 15}, {D, 45}, {R, 10}, {R, 600}, {D, 240}, {R, 45}, {D, 80}});
    Kontrola k(z_mapy({}));
    host::SetLanguageId(host::kJezykAngielski);
    EXPECT_EQ(k.kontroluj(l, k2008, 0), 1);
    host::SetLanguageId(host::kJezykPolski);
    EXPECT_EQ(k.lista_bledow,
              (QStringList{"Periods No. 1-3: Continuous driving too long, 4h 45 in total "
                           "(+15 minutes)"}));
    EXPECT_EQ(l.ile_przerwa_krotka, 0); // the 10 h rest completed the split break

    Lista_zdarz m;
    uloz(m, {{D, 240}, {R, 45}, {D, 240}, {R, 45}, {D, 125}, {W, 745}});
    k.kontroluj(m, k2008, 0);
    EXPECT_EQ(k.lista_bledow,
              (QStringList{"Zdarzenia Nr 1-6: Zbyt długi dzienny czas jazdy o 0h 05 "
                           "(łącznie 10h 05)"}));

    Lista_zdarz bez_przerw;
    uloz(bez_przerw, {{D, 60}, {W, 60}});
    k.kontroluj(bez_przerw, k2008, 0);
    EXPECT_EQ(k.lista_bledow, (QStringList{"Brak przerw"}));
}

} // namespace
