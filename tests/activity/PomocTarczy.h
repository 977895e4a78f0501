#pragma once
// Support for the tests of whole readings: a generated chart drawn and read as a new chart.

#include "activity/OdczytTarczy.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include <gtest/gtest.h>

#include <optional>

// The installed calibration, as the reading and the generator use it.
inline const analysis::Kalibracja& kalibracja_testowa() {
    static const analysis::Kalibracja k = [] {
        QString blad;
        const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
        EXPECT_TRUE(kal) << blad.toStdString();
        return kal.value_or(analysis::Kalibracja{});
    }();
    return k;
}

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
    QString blad;
    const auto g = chartgen::ChartGeometry::from(kalibracja_testowa(), &blad);
    rys = g ? chartgen::drawChart(spec, *g, &blad) : std::nullopt;
    if (!rys) {
        ADD_FAILURE() << blad.toStdString();
        return std::nullopt;
    }
    return czytaj_obraz(rys->image, float(spec.kat24), spec.typ);
}
