#pragma once
// The days the benchmarks read (the first sample chart unless a bench brings its own), drawn
// by the chart generator at one size class, with the calibration it agrees with.

#include "analysis/Kalibracja.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/SampleCharts.h"
#include "host/Bitmap32.h"

#include <cstdio>
#include <optional>

struct WykresProbny {
    analysis::Kalibracja kalibracja;
    host::Bitmap32 obraz; // black and white, as a scan reaches the reading
    float kat24 = 0.0f;
};

// The given day drawn at that size class and angle of midnight. Null (after a message naming
// the program) when the calibration or the drawing fails.
inline std::optional<WykresProbny> narysuj_wykres_probny(chartgen::ChartSpec s, int rozmiar,
                                                         double kat24, const char* program) {
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = k ? chartgen::ChartGeometry::from(*k, &blad) : std::nullopt;
    s.kat24 = kat24;
    s.rozmiar = rozmiar;
    const auto c = g ? chartgen::drawChart(s, *g, &blad) : std::nullopt;
    if (!c) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(blad));
        return std::nullopt;
    }
    return WykresProbny{*k, host::Bitmap32(c->image.image().convertToFormat(QImage::Format_Mono)),
                        float(kat24)};
}

// The first sample chart, a working day of ten periods.
inline std::optional<WykresProbny> narysuj_wykres_probny(int rozmiar, double kat24,
                                                         const char* program) {
    return narysuj_wykres_probny(chartgen::sampleCharts().front().spec, rozmiar, kat24, program);
}
