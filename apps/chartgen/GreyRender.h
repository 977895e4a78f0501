#pragma once
// Grey renderings of generated charts for the import tests: a chart drawn at 300 dpi turned
// into what a grey scanner gives at another resolution (soft edges, paper and ink that are not
// pure, grain), alone or as several discs on one A4 sheet.

#include "host/Bitmap32.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace chartgen {

struct GreyOptions {
    int dpi = 200;      // output resolution; charts are drawn at 300 dpi
    int paper = 232;    // grey level of the paper
    int ink = 28;       // grey level of full ink
    double grain = 6.0; // standard deviation of the grey noise
    std::uint32_t seed = 1;
};

// One chart as an 8-bit grey image (Format_Grayscale8) scaled to the options' resolution.
QImage renderGrey(const host::Bitmap32& chart, const GreyOptions& opt);

struct PlacedDisc {
    QRect rect;     // where the chart image lies on the page (page pixels)
    QPointF centre; // its disc centre on the page (page pixels)
};
struct GreyPage {
    QImage image; // Format_Grayscale8, A4 portrait at the options' resolution
    std::vector<PlacedDisc> discs;
};

// Puts the charts on one A4 portrait page in rows, in order; centres are the disc centres in
// the charts' own pixels. Fails when they do not all fit.
std::optional<GreyPage> renderA4Page(const std::vector<host::Bitmap32>& charts,
                                     const std::vector<QPointF>& centres, const GreyOptions& opt,
                                     QString* error);

} // namespace chartgen
