#pragma once
// Reads the activity trace of a chart. The band just outside the hour ring is sampled around
// the whole disc (every two pixels of arc) into a table of activity classes; runs of equal
// classes then become the periods of the chart's list, implausibly short periods are cleared
// away and the distance of every driving period is read. On large scans (image half size 750)
// the reading also lists the stretches where the speed trace passes the 85 km/h line.
//
// How a sample is classed depends on the chart kind: standard and thin charts tell the
// activity by the thickness of the line, stepped charts by its radial level, and the
// pseudo-stepped kind tells only driving from the rest.

#include "analysis/AnalizaTarczy.h"
#include "analysis/ListaOkresow.h"
#include "analysis/OdczytKm.h"
#include "analysis/WejscieAnalizy.h"

#include "host/Bitmap32.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace analysis {

// A stretch where the speed trace is above the 85 km/h line.
struct PrzekroczeniePredkosci {
    int left = 0, top = 0, right = 0, bottom = 0; // box around it, pixels of the scan
    int flaga = 0;                                // 1 when a driving period overlaps it
    float kat_od = 0.0f, kat_do = 0.0f;
};

// One entry of the sample table.
struct ProbkaAktywnosci {
    float kat = 0.0f;       // angle of the sample; 0.0 ends the table
    float szerokosc = 0.0f; // raw line width (thickness kinds) or the class
    float klasa = 0.0f;     // 2 rest, 5 availability, 8 other work, 11 driving; 3 and 6 between
    float zapas = 0.0f;     // unused
};

class OdczytAktywnosci {
public:
    static constexpr int ile_probek_max = 3000;

    OdczytAktywnosci(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie, ListaOkresow& lista,
                     OdczytKm& odczyt_km);

    // Samples the activity band of bitmapa from angle a0 around the disc; the list's start of
    // recording becomes a0 first. An a0 of exactly 0.0 leaves a table that reads as empty.
    void Odczyt_trybu_pracy(const host::Bitmap32& bitmapa, float a0);
    // Turns the sample table into the list's periods and reads their distance. Always 1.
    int Odczyt_godzin_pracy();

    const std::vector<PrzekroczeniePredkosci>& przekroczenia() const { return przekroczenia_; }
    // "hh:mm - hh:mm" for every speed excess that a driving period overlaps.
    QStringList etykiety_przekroczen() const { return etykiety_; }

    // The runs of driving samples as angle ranges (od, do), after Odczyt_trybu_pracy: where
    // the distance zig-zag is to be found.
    std::vector<std::pair<float, float>> zakresy_jazdy() const;

    // The sample table: entries after the last sample are zero.
    std::vector<ProbkaAktywnosci>& probki() { return probki_; }
    const std::vector<ProbkaAktywnosci>& probki() const { return probki_; }

private:
    // Sampling (OdczytAktywnosci_probki.cpp).
    // Each sample lies on one ray, kier, whose angle is the sample's angle.
    float klasa_grubosci(const WidokBitmapy& obraz, const Kierunek& kier, float* szerokosc) const;
    float klasa_pseudoschodkowa(const WidokBitmapy& obraz, const Kierunek& kier) const;
    float klasa_schodkowa(const WidokBitmapy& obraz, const Kierunek& kier) const;
    bool ciemny(const WidokBitmapy& bmp, const Kierunek& ak, float r) const {
        const Piksel p = ak.punkt(an_.geometria().x0, an_.geometria().y0, r);
        return ciemna_probka(bmp.piksel(p.x, p.y));
    }
    float klasa(int k) const;
    void rozstrzygnij_klasy();
    void usun_szpilki();

    // Speed excess of large scans (OdczytAktywnosci_predkosc.cpp).
    void czytaj_predkosc(const host::Bitmap32& bmp, float a0);
    void oznacz_przekroczenia();

    // Period building (OdczytAktywnosci.cpp).
    int ile_probek() const;
    void dodaj_okresy();
    void usun_krotkie_przerwy_w_dyzurze();
    void usun_ponizej_minimum();
    void usun_jazde_bez_punktow();
    // Removes, front to back, every period usun(i, okres) picks; a removal the list refuses moves
    // on. po_usunieciu(i) runs after the period at i was removed.
    template <typename Usun, typename Po> void usun_okresy(Usun usun, Po po_usunieciu);
    int minimum_minut(int czy_praca) const;
    void czytaj_km(int p);

    AnalizaTarczy& an_;
    const WejscieAnalizy& we_;
    ListaOkresow& lista_;
    OdczytKm& km_;
    std::vector<ProbkaAktywnosci> probki_;
    std::vector<PrzekroczeniePredkosci> przekroczenia_;
    QStringList etykiety_;
};

} // namespace analysis
