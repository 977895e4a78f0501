#pragma once
// What opening a chart reads from the database, without any window: the analogue chart
// record (tacho_analog) with its null rules, the chart-list row the host hands over, and the
// size class the stored centre selects.

#include "host/TDateTime.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace host {
class Query;
}

// One row of tacho_analog.
struct RekordTarczy {
    static constexpr double kBrakKataZak = -1000000.0;

    float kat24 = 0.0f;
    std::int32_t x0 = 0, y0 = 0; // x0 = 0: centre not known yet
    std::int32_t pocz_sr_godz = 0;
    std::int32_t pv = 0; // sheet kind: item of the radio group rt
    double kat_zak = kBrakKataZak;
    bool czy_szczeg = false;

    // Null numbers read as 0 (kat_zak as no end). No row: nullopt. Database errors propagate
    // as host::DbError.
    static std::optional<RekordTarczy> wczytaj(std::int32_t idt);
    static RekordTarczy z_wiersza(const host::Query& q);
};

// The chart-list row (tacho). A column the host's row does not hold, or holds as null, reads
// as 0 / empty, so a short row opens the chart with an empty header instead of failing.
struct WierszTarczy {
    std::int32_t rodzaj = 0, typ_dnia = 0;
    double kat_rozp = 0.0;
    host::TDateTime data = 0.0;
    std::int32_t id_k = 0, id_konwojenta = 0, id_konwojenta2 = 0, id_s = 0;
    std::int32_t status = 0, czy_reczna = 0;
    std::int32_t km_pocz = 0, km_kon = 0, km_obl = 0;
    std::int32_t zespol = 0, ps = 0, cyfrowy = 0;
    QString adnotacje;
    std::int32_t status_tacho = 0;
    bool nieczytelna = false, blad_obsl_t = false, przerysowana = false, brak_wr = false,
         kilka_wykr = false, nieprawidlowa = false, niezgodnosc_cz = false, wirtualne_przem = false;
    std::int32_t niekompletne = 0;

    // Null q or a row past its end: every value 0.
    static WierszTarczy z_wiersza(const host::Query* q);
};

// The eight "incomplete" boxes cb3_1 ... cb3_8 from the bit set niekompletne: bits 1..7 tick
// boxes 1..7, any value of 256 or more ticks box 8; bit 0 ticks nothing.
std::array<bool, 8> pola_niekompletne(std::int32_t niekompletne);

// Size class of a chart from its stored centre x, measured against a nominal radius of 500.
struct KlasaRozmiaru {
    int klasa = 0; // 0 normal, 1 small, 2 large
    int promien = 500;
    int srednica = 1000;

    static KlasaRozmiaru dla_srodka(float x0);
    // The class of a picture by its size: square within 5 % of 800, 1000 or 1500 pixels.
    // nullopt for a picture no class holds.
    static std::optional<KlasaRozmiaru> dla_obrazu(int szer, int wys);
    // Name of the blank picture standing in for a scan of this class.
    QString pusty_obraz() const;
};

// Kind of day as the window keeps it: 6 (a free day added by option) is a scanned-chart day.
inline std::int32_t rodzaj_dnia_okna(std::int32_t typ_dnia) {
    return typ_dnia == 6 ? 0 : typ_dnia;
}
