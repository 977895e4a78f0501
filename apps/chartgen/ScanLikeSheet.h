#pragma once
// Several scan-like discs on one A4 portrait page, each turned by its own angle, on the grey of
// the scanner lid, as a user lays used discs on a flatbed scanner.

#include "chartgen/ScanLikeRender.h"

#include <QImage>
#include <QJsonObject>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace chartgen {

struct SheetDisc {
    ChartSpec spec;
    double turn = 0;  // degrees, clockwise on screen
    QPointF centreMm; // where its printed centre lies on the page, mm from the top-left
};

struct ScanLikePage {
    QImage image;                 // Format_Grayscale8, A4 portrait at the options' resolution
    std::vector<QPointF> centres; // printed centres in page pixels, in the order given
    QJsonObject truth;            // dpi, kat24 of the page, per disc its centre, turn and truth
};

// The discs are turned on the page, so each is drawn with its midnight moved back by its turn:
// on the page they all show midnight at the first disc's kat24 and read with one setting.
std::optional<ScanLikePage> renderScanLikeSheet(const std::vector<SheetDisc>& discs,
                                                const ChartGeometry& g, const ScanLikeOptions& opt,
                                                QString* error);

// Three discs staggered down the page (they overlap a little at the rims), turned by 0, 90 and
// 217 degrees: a standard day, a day with a stretch without recording, a night shift.
std::vector<SheetDisc> threeDiscSheet();

} // namespace chartgen
