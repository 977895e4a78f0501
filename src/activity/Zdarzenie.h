#pragma once
// One activity period of a chart: a contiguous stretch of one activity between two angles.

#include "activity/IKxZdarzenie.h"
#include "activity/lista_pkt.h"
#include "analysis/Czynnosc.h"
#include "host/TDateTime.h"

#include <QString>

#include <cstdint>
#include <memory>

// Activity codes (czy_praca), as the analysis writes them.
using analysis::Czynnosc;
using analysis::kBrakDanych;
using analysis::kDyzur;
using analysis::kJazda;
using analysis::kPostoj;
using analysis::kPraca;

// Origin marks (pz_zespol).
constexpr int kZnakBrakDanych = 3; // a stretch without data (held as code 0)
constexpr int kZnakReczny = 11;    // entered by hand

struct Zdarzenie {
    Zdarzenie* poprz = nullptr;
    Zdarzenie* nast = nullptr;
    std::unique_ptr<lista_pkt> punkty;  // always present
    std::unique_ptr<lista_pkt> punkty2; // only while points are being moved between periods
    host::TDateTime czas_od;            // times of day
    host::TDateTime czas_do;
    double kat_od = 0.0;
    double kat_do = 0.0;
    std::int32_t km = 0;
    std::int32_t czy_praca = 0;
    std::int32_t czy_przerwa = 0; // break mark of the rule check
    std::int32_t nr = 0;          // 0-based position in the list
    std::int32_t podjazd = 0;
    std::int32_t out = 0;
    std::int32_t pz_zespol = 0;
    std::int32_t id_tpz = 0; // key of the saved period, 0 while unsaved

    // Empty period: times 00:00:00, angles and every code 0.
    Zdarzenie();
    // From explicit values; the caller fills in the times.
    Zdarzenie(int id_tpz, double kat_od, double kat_do, int czy_praca, int km, int podjazd, int out,
              int czy_przerwa, int pz_zespol);
    // From an event of the conversion library; the caller sets the angles.
    explicit Zdarzenie(const IKxZdarzenie& z);
    ~Zdarzenie();
    Zdarzenie(const Zdarzenie&) = delete;
    Zdarzenie& operator=(const Zdarzenie&) = delete;

    // Exchanges everything but the links, the second point list and nr (used by the sort).
    void zamien(Zdarzenie& inny);

    // Length in degrees; a period ending where it starts is the full disc.
    double kat_trw() const;
    // Ends where it starts (360 degrees being 0 again): the period is a whole day.
    bool caly_dzien() const;
};

double kat_trw(double kat_od, double kat_do);

// Distance as written to the database: a value outside 0..32767 is stored as 0.
int km_do_zapisu(int km);

// Plain English name of an activity code for the tools' output ("code N" when unknown);
// the window shows the translated captions instead.
QString nazwa_czynnosci(int czy_praca);

// A new event of the library filled from the period (id_t and slot 0, kat_trw 0.0); null when
// the library gave no constructor.
std::unique_ptr<IKxZdarzenie> zrob_zdarzenie(const Zdarzenie& z, NEW_KxZdarzenie_fn nowe);
