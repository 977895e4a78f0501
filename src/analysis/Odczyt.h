#pragma once
// One reading of a chart: the ring measurement, the activity trace and the distance trace, in
// a fixed order, into the chart's period list.
//
// What the reading does, in order:
//   1. the chart kind of the inputs goes into the period list (and the geometry);
//   2. with the analysis on: test_cent_km, spr_przes (unless pomin_przes is non-zero),
//      test_centrowania (its count ignored), Odczyt_trybu_pracy on the analysis bitmap from
//      a0, the distance lines measured where it shows driving (zmierz_linie_km),
//      Odczyt_godzin_pracy, the stretches with no ink in the activity band; with the analysis off
//      (bez_analizy non-zero) only test_cent_km, so that a chart opened with its stored periods
//      keeps them and still has its distance-ring table for the distance lines.
//
// What the caller does afterwards, in this order (the chart window; a tool does what it
// needs of it):
//   3. give the list its pictures (operation 2: disc view and analysis image);
//   4. show the point list of the first period when it is driving and has no points yet
//      (on a detailed chart: when the chart-wide list is empty), with the analysis on;
//   5. fill the period grid (operation 29, which also settles each driving period's km from
//      its points);
//   6. scale the list to the disc view (operation 6, trunc of x0 and y0) and set its
//      promien (operation 5);
//   7. the day summary, the activity ring on the disc view (operation 30), the centre marks
//      of the correction view, the rule check, and the layout.

#include "analysis/AnalizaTarczy.h"
#include "analysis/BezZapisu.h"
#include "analysis/ListaOkresow.h"
#include "analysis/OdczytAktywnosci.h"
#include "analysis/WejscieAnalizy.h"

#include <QStringList>

#include <vector>

namespace analysis {

struct WynikOdczytu {
    bool przeanalizowano = false; // false with the analysis off: the lists below are empty
    int promienie_godz = 0;       // rays on which the hour ring was found (test_centrowania)
    int promienie_km = 0;         // of 48 rays on which the distance ring was found
    // Stretches of 10 minutes or more with no ink in the activity band, whatever the periods
    // read there.
    std::vector<OdcinekBezZapisu> bez_zapisu;
    // The speed-excess list of large scans and its labels, rebuilt by every analysed reading.
    std::vector<PrzekroczeniePredkosci> przekroczenia;
    QStringList etykiety_przekroczen;
};

// The geometry's kat24, centre and calibration must be set; the list should be empty or
// hold the periods to keep (analysis off). a0 is the start of recording (an a0 of exactly 0.0
// reads nothing: the disc becomes one rest period).
WynikOdczytu Odczyt(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie, ListaOkresow& lista,
                    int pomin_przes, float a0, int bez_analizy = 0);

} // namespace analysis
