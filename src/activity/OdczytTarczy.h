#pragma once
// The whole reading of one chart, as a new chart gets it when it is opened: the geometry from
// the import's centre, the analysis driver (ring measurement with the shift check, activity,
// distance), the period list sorted, joined and numbered by its own operations, the period
// grid (which settles each driving period's distance from its points), the day summary and
// the rule check (which marks the breaks). `tacho read`, the benchmark and the chart window
// call it; what only a window does (pictures, the disc view's scale, repainting) is left to
// the window.
//
// Touches nothing shared but the settings store and the translations, both locked where they
// live, so charts may be read on several threads at once, each with its own bitmap.

#include "activity/Kontrola.h"
#include "activity/Lista_zdarz.h"
#include "activity/Podsumowanie.h"
#include "activity/SiatkaZdarzen.h"
#include "analysis/GeometriaTarczy.h"
#include "analysis/Kalibracja.h"
#include "analysis/Odczyt.h"
#include "analysis/WejscieAnalizy.h"
#include "host/Bitmap32.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"

#include <QSize>
#include <QStringList>

#include <memory>

// What the window (or the import) knows of a chart before it is read.
struct WejscieTarczy {
    float x0 = 0.0f, y0 = 0.0f; // centre as the import found it, pixels of the bitmap
    float kat24 = 0.0f;         // angle of 00:00
    float kat_rozp = 0.0f;      // start of recording, where the reading starts; 0: at kat24
    int typ = 0;                // chart kind 0..4 (analysis::RodzajTarczy)
    bool szczeg = false;        // detailed reading: the points belong to the whole chart
    host::TDateTime data;       // the chart's date, for the rule check
    int zaloga = 0;             // crew selector index: not 0 means a crew
    // Settings of the analysis and the rule check; null leaves every setting at its default.
    host::GetZmFn czytnik = &host::GetZm;
};

struct OdczytTarczy {
    QSize rozmiar;                       // the analysed picture
    analysis::GeometriaTarczy geometria; // centre, kat24, hour ring and ring tables as read
    analysis::WynikOdczytu analiza;      // hour-ring rays, speed excess of large scans
    std::unique_ptr<Lista_zdarz> lista;  // the periods; the caller may take it over
    SiatkaZdarzen siatka;                // the period grid's content
    Podsumowanie podsumowanie;           // the day summary
    Kontrola kontrola;                   // the rule check made, with its findings
    // What the user must know before trusting the periods: the picture shows no printed rings
    // where a chart has them (not a chart, not whole, or the centre far off). The reading
    // rules still gave periods; these say they may be no reading of a chart.
    QStringList ostrzezenia;
};

// Fewer distance-ring rays than this (of 48) make the reading doubtful.
inline constexpr int kMinPromieniPierscienia = 32;

// Start of recording handed to the analysis: kat24 itself, except that an angle of exactly 0
// would read as an empty disc, so it becomes 0.01 (as the correction view does).
float kat_startu(float kat24);

// The analysis' inputs among the window's.
analysis::WejscieAnalizy wejscie_analizy(const WejscieTarczy& wejscie);

// Reads the chart on the bitmap (which need only live for the call).
OdczytTarczy odczytaj_tarcze(const host::Bitmap32& bitmapa, const analysis::Kalibracja& kalibracja,
                             const WejscieTarczy& wejscie);

// The reading with the analysis off, as a chart opened with its stored periods gets it: only
// the distance ring is measured, so that later distance readings on that chart have its
// ring table. The periods are not touched; the centre stays where the inputs put it.
analysis::GeometriaTarczy zmierz_pierscien_tarczy(const host::Bitmap32& bitmapa,
                                                  const analysis::Kalibracja& kalibracja,
                                                  const WejscieTarczy& wejscie);
