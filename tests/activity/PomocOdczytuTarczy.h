#pragma once
// Reading generated charts into a real period list, and scoring the reading against what was
// drawn: the share of the day's minutes whose activity reads right, how far the read
// boundaries lie from the drawn ones, and the kilometres of every drive.

#include "activity/ListaZdarzOkresy.h"
#include "activity/Lista_zdarz.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/WejscieAnalizy.h"
#include "chartgen/ChartGenerator.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct OdczytanaTarcza {
    chartgen::ChartSpec spec;
    chartgen::DrawnChart rys;
    std::unique_ptr<analysis::AnalizaTarczy> an;
    analysis::WejscieAnalizy we;
    Lista_zdarz lista;
    std::unique_ptr<ListaZdarzOkresy> okresy;

    // Draws the chart and prepares its analysis: centre at the image's middle, midnight
    // where the chart has it, the chart kind. Fails the test (and answers null) when the
    // generator refuses the description.
    static std::unique_ptr<OdczytanaTarcza> rysuj(const chartgen::ChartSpec& spec);

    // The whole reading in the driver's order, from the angle of midnight.
    void czytaj();
};

struct Ocena {
    double zgodnosc = 0.0;    // share of the day's 1440 minutes read as drawn
    double max_granica = 0.0; // minutes from a drawn boundary to the nearest read one
    int jazd = 0;             // drives drawn
    int km_zle = 0;           // drives whose read kilometres differ from the drawn ones
    int punkty_zle = 0;       // drives whose read point bands differ from the drawn ones
    std::string opis;         // what went wrong, for the failure message
};

// The code a reading can tell at a minute of the day: no trace is rest, and the
// pseudo-stepped kind tells only driving from the rest.
int oczekiwany_kod(const chartgen::ChartSpec& spec, double minuta);

Ocena ocen(const OdczytanaTarcza& t);
