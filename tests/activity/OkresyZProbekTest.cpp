// From activity samples to periods on sample tables written by the test (a blank picture, so
// no distance is ever found): the clean-up rules at their exact limits.

#include "activity/ListaZdarzOkresy.h"
#include "activity/Lista_zdarz.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/OdczytAktywnosci.h"
#include "analysis/OdczytKm.h"

#include <QCoreApplication>
#include <QVariant>

#include <gtest/gtest.h>

#include <map>

namespace {

// Runs of classes given as (class, samples), 0.25 degree (one minute) apart from 100.
struct Bieg {
    int klasa;
    int ile;
};

std::map<QString, int> ustawienia;
QVariant czytnik(const QString& nazwa, const QString& grupa) {
    if (grupa != QStringLiteral("KX") || !ustawienia.count(nazwa)) return {};
    return ustawienia[nazwa];
}

struct Okresy {
    host::Bitmap32 bmp{1000, 1000};
    analysis::AnalizaTarczy an{bmp, QCoreApplication::applicationDirPath()};
    analysis::WejscieAnalizy we;
    Lista_zdarz lista;
    ListaZdarzOkresy okresy{lista};
    analysis::OdczytKm km{an, we, okresy};
    analysis::OdczytAktywnosci akt{an, we, okresy, km};

    explicit Okresy(bool szczeg = false) {
        an.geometria().x0 = an.geometria().y0 = 500.0f;
        an.geometria().pocz_sr_godz = 362;
        an.geometria().kat24 = 40.0f;
        we.szczeg = szczeg;
        lista.czy_szczeg = szczeg ? 1 : 0;
    }

    // Fills the table with the given angles and classes and builds the periods.
    void buduj(const std::vector<std::pair<float, int>>& probki) {
        akt.Odczyt_trybu_pracy(bmp, probki.empty() ? 0.0f : probki[0].first);
        auto& t = akt.probki();
        for (auto& p : t)
            p = {};
        for (std::size_t k = 0; k < probki.size(); ++k) {
            t[k].kat = probki[k].first;
            t[k].klasa = float(probki[k].second);
        }
        akt.Odczyt_godzin_pracy();
    }
    void buduj(const std::vector<Bieg>& biegi) {
        std::vector<std::pair<float, int>> p;
        for (const Bieg& b : biegi)
            for (int i = 0; i < b.ile; ++i)
                p.push_back({100.0f + 0.25f * float(p.size()), b.klasa});
        buduj(p);
    }
    std::vector<int> kody() const {
        std::vector<int> k;
        for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast)
            k.push_back(z->czy_praca);
        return k;
    }
};

} // namespace

// Rest or work under 10 minutes between two availability periods is the availability line
// broken; the availability on both sides becomes one period.
TEST(OkresyZProbek, ShortBreakInAvailabilityGoes) {
    struct {
        const char* co;
        bool szczeg;
        std::vector<Bieg> biegi;
        std::vector<int> kody;
    } const przypadki[] = {
        {"9 min of rest", false, {{5, 40}, {2, 9}, {5, 40}, {2, 100}}, {3, 0}},
        {"10 min of rest", false, {{5, 40}, {2, 10}, {5, 40}, {2, 100}}, {3, 0, 3, 0}},
        {"9 min of work", false, {{5, 40}, {8, 9}, {5, 40}, {2, 100}}, {3, 0}},
        {"9 min of rest before work", false, {{5, 40}, {2, 9}, {8, 40}, {2, 100}}, {3, 0, 1, 0}},
        {"detailed chart keeps it", true, {{5, 40}, {2, 9}, {5, 40}, {2, 100}}, {3, 0, 3, 0}},
    };
    for (const auto& c : przypadki) {
        Okresy o(c.szczeg);
        o.buduj(c.biegi);
        EXPECT_EQ(o.kody(), c.kody) << c.co;
    }
}

// Minimum lengths: 2 minutes of driving and 3 of anything else unless the settings say
// otherwise. Driving from 110.0 for the given number of seconds, between rests; the detailed
// chart keeps driving without points.
TEST(OkresyZProbek, PeriodsBelowTheMinimumLengthGo) {
    struct {
        int klasa;
        int sekund;
        std::map<QString, int> ust;
        bool z_czytnikiem;
        bool zostaje;
    } const przypadki[] = {
        {11, 119, {}, false, false},
        {11, 120, {}, false, true},
        {8, 179, {}, false, false},
        {8, 180, {}, false, true},
        {11, 120, {{"min_zd_po", 3}}, true, false},
        {11, 180, {{"min_zd_po", 3}}, true, true},
        {8, 150, {{"min_zd_pr", 2}}, true, true},
        {5, 119, {{"min_zd_pr", 2}}, true, false},
    };
    for (const auto& c : przypadki) {
        Okresy o(true);
        ustawienia = c.ust;
        if (c.z_czytnikiem) o.we.czytnik = &czytnik;
        // Boundaries are means of neighbouring samples: 109.875 | 110.125 ... | x.
        std::vector<std::pair<float, int>> p;
        for (int k = 0; k < 40; ++k)
            p.push_back({100.125f + 0.25f * k, 2});
        const float koniec = 110.0f + float(c.sekund) / 240.0f;
        p.push_back({110.125f, c.klasa});
        p.push_back({110.25f, c.klasa});
        const float nastepna = 2.0f * koniec - 110.25f;
        for (int k = 0; k < 40; ++k)
            p.push_back({nastepna + 0.25f * k, 2});
        o.buduj(p);
        const std::vector<int> oczek = c.zostaje ? std::vector<int>{0,
                                                                    c.klasa == 11  ? 2
                                                                    : c.klasa == 8 ? 1
                                                                                   : 3,
                                                                    0}
                                                 : std::vector<int>{0};
        EXPECT_EQ(o.kody(), oczek) << c.klasa << " for " << c.sekund << " s";
    }
    ustawienia.clear();
}

// Driving in which no distance was found is a misread line (the picture here is blank); on a
// detailed chart the points are the chart's, and the driving stays.
TEST(OkresyZProbek, DrivingWithoutDistanceGoesUnlessDetailed) {
    for (bool szczeg : {false, true}) {
        Okresy o(szczeg);
        o.buduj(std::vector<Bieg>{{2, 40}, {11, 30}, {2, 40}});
        EXPECT_EQ(o.kody(), szczeg ? std::vector<int>({0, 2, 0}) : std::vector<int>({0})) << szczeg;
    }
}
