#pragma once
// Support for the tests of whole readings: a generated chart drawn and read as a new chart.

#include "RysunekTestowy.h"

#include "activity/OdczytTarczy.h"

// Reads a picture as a new chart centred in its middle, from the angle of midnight.
inline OdczytTarczy czytaj_obraz(const host::Bitmap32& obraz, float kat24, int typ = 0) {
    WejscieTarczy we;
    we.x0 = float(obraz.width() / 2);
    we.y0 = float(obraz.height() / 2);
    we.kat24 = kat24;
    we.typ = typ;
    we.data = host::TDateTime::encode(2024, 3, 5);
    we.czytnik = nullptr;
    return odczytaj_tarcze(obraz, kalibracja_testowa(), we);
}

// Draws the chart and reads it as a new chart, from the angle of midnight.
inline std::optional<OdczytTarczy> rysuj_i_czytaj(const chartgen::ChartSpec& spec,
                                                  std::optional<chartgen::DrawnChart>& rys) {
    rys = rysuj_tarcze(spec);
    if (!rys) return std::nullopt;
    return czytaj_obraz(rys->image, float(spec.kat24), spec.typ);
}
