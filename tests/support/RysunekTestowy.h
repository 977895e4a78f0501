#pragma once
// The installed calibration, the generator's geometry from it and charts drawn with it. What
// cannot be loaded or drawn fails the test that asked for it.

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"

#include <gtest/gtest.h>

#include <optional>

inline const analysis::Kalibracja& kalibracja_testowa() {
    static const analysis::Kalibracja k = [] {
        QString blad;
        const auto kal = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
        EXPECT_TRUE(kal) << blad.toStdString();
        return kal.value_or(analysis::Kalibracja{});
    }();
    return k;
}

inline const chartgen::ChartGeometry& geometria_testowa() {
    static const chartgen::ChartGeometry g = [] {
        QString blad;
        const auto geo = chartgen::ChartGeometry::from(kalibracja_testowa(), &blad);
        EXPECT_TRUE(geo) << blad.toStdString();
        return geo.value_or(chartgen::ChartGeometry{});
    }();
    return g;
}

inline std::optional<chartgen::DrawnChart> rysuj_tarcze(const chartgen::ChartSpec& spec) {
    QString blad;
    auto rys = chartgen::drawChart(spec, geometria_testowa(), &blad);
    if (!rys) ADD_FAILURE() << blad.toStdString();
    return rys;
}
