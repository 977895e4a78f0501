#pragma once
// Support for the reader tests: a period list kept in plain vectors, and a chart set up by
// hand (installed calibration, centre, a concentric distance ring, an hour ring radius) on a
// white bitmap the tests draw into.

#include "analysis/AnalizaTarczy.h"
#include "analysis/ListaOkresow.h"
#include "analysis/WejscieAnalizy.h"

#include "host/Bitmap32.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <vector>

// Periods in insertion order, points kept sorted by angle; removal only drops the period.
class ListaTestowa final : public analysis::ListaOkresow {
public:
    struct Okres {
        analysis::OkresOdczytu o;
        std::vector<analysis::PunktOdczytu> punkty;
    };
    std::vector<Okres> okresy;
    std::vector<analysis::PunktOdczytu> punkty_tarczy;
    bool szczeg = false;
    double rozp = 0.0;
    int ile_op27 = 0;

    int ile() const override { return int(okresy.size()) - 1; }
    double kat_rozp() const override { return rozp; }
    bool szczegolowa() const override { return szczeg; }
    void ustaw_typ(int) override {}
    void ustaw_kat_rozp(double kat) override { rozp = kat >= 360.0 ? kat - 360.0 : kat; }
    void ustaw_kat24(double) override {}
    void dodaj_okres(double od, double do_, int kod) override {
        okresy.push_back({{od, do_, kod, 0}, {}});
    }
    analysis::OkresOdczytu okres(int p) const override {
        return okresy.empty() ? analysis::OkresOdczytu{}
                              : okresy[std::size_t(std::min(p, ile()))].o;
    }
    void ustaw_kat_do(int p, double kat) override { okresy[std::size_t(p)].o.kat_do = kat; }
    void ustaw_km(int p, int km) override { okresy[std::size_t(p)].o.km = km; }
    void usun_okres(int p, int) override { okresy.erase(okresy.begin() + p); }
    void polacz_przez_poczatek(int) override {}
    void pierwsza_ostatnia_jazda(double& od, double& do_) override {
        ++ile_op27;
        od = do_ = 0.0;
        bool jest = false;
        for (const Okres& o : okresy) {
            if (o.o.czy_praca != 2) continue;
            if (!jest) od = o.o.kat_od;
            do_ = o.o.kat_do;
            jest = true;
        }
    }
    int pozycja_kata(double kat) const override;

    void dodaj_punkt(int p, float kat, int typ, int promien) override {
        auto& l = punkty(p);
        l.push_back({kat, typ, promien});
        std::stable_sort(l.begin(), l.end(), [](auto& a, auto& b) { return a.kat < b.kat; });
    }
    int ile_punktow(int p) const override { return int(punkty(p).size()); }
    bool pierwszy_punkt(int p, analysis::PunktOdczytu& w) const override {
        if (punkty(p).empty()) return false;
        w = punkty(p).front();
        return true;
    }
    bool ostatni_punkt(int p, analysis::PunktOdczytu& w) const override {
        if (punkty(p).empty()) return false;
        w = punkty(p).back();
        return true;
    }
    void usun_duplikaty(int p, double od, double do_) override;
    void czysc_punkty(int p) override { punkty(p).clear(); }
    void ustaw_zmiana() override {}

    std::vector<analysis::PunktOdczytu>& punkty(int p) {
        return p < 0 ? punkty_tarczy : okresy[std::size_t(p)].punkty;
    }
    const std::vector<analysis::PunktOdczytu>& punkty(int p) const {
        return p < 0 ? punkty_tarczy : okresy[std::size_t(p)].punkty;
    }
    std::vector<int> typy(int p) const {
        std::vector<int> t;
        for (const auto& w : punkty(p))
            t.push_back(w.typ);
        return t;
    }
};

// A 1000 x 1000 white chart centred at (500, 500) with the installed calibration: every ray
// of the distance ring at `ring`, no upper-edge offsets, hour ring at 362, midnight at kat24.
struct TarczaTestowa {
    static constexpr float srodek = 500.0f;

    host::Bitmap32 bmp;
    std::unique_ptr<analysis::AnalizaTarczy> an;
    analysis::WejscieAnalizy we;
    ListaTestowa lista;

    explicit TarczaTestowa(int rozmiar = 1000, float ring = 259.0f, float kat24 = 0.0f);

    // Blackens the pixel at (kat, r) around the centre and returns it.
    analysis::Piksel czern(double kat, double r);
    // Blackens the pixels along a ray from r1 to r2 (whole radii).
    void promien(double kat, int r1, int r2);
    // Blackens every pixel whose centre lies in r1 <= r < r2 and kat1 <= angle < kat2.
    void wycinek(double kat1, double kat2, double r1, double r2);
};
