#pragma once
// Draws a chart description onto a black-and-white bitmap: the printed rings the centre
// detection measures, the activity trace of the chart kind and the distance zig-zag that
// reads back as the kilometres asked for, with optional noise. Writes the picture as a 1-bit
// BMP and its ground truth as JSON beside it.

#include "chartgen/ChartGeometry.h"
#include "chartgen/ChartSpec.h"
#include "chartgen/DistancePlan.h"

#include "host/Bitmap32.h"

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace chartgen {

struct DrawnChart {
    host::Bitmap32 image;  // pure black 0xFF000000 on white
    DistancePlan distance; // the stylus path and what each drive reads as
    double startKat = 0;   // angle of the start of recording
    std::optional<double> scratchKat;
    std::vector<double> gapKats; // where the trace was cut
};

// Fails with a message when the description is invalid or a drive cannot be drawn readably.
std::optional<DrawnChart> drawChart(const ChartSpec& spec, const ChartGeometry& g, QString* error);

// The description (as read back by specFromJson) plus what was drawn: angles and times of
// every period, the kilometres and distance points each drive reads as, centres, radii.
QJsonObject groundTruth(const ChartSpec& spec, const ChartGeometry& g, const DrawnChart& c);

// 1-bit image, BMP unless the file name has another image suffix; black stays 0xFF000000
// when loaded back. The file says 300 dpi.
bool saveMonoBmp(const host::Bitmap32& bmp, const QString& path, QString* error);

// IMAGE.bmp -> IMAGE.json.
QString groundTruthPath(const QString& imagePath);

// Draws the chart and writes it as a 1-bit image (BMP unless the name says otherwise) with its
// ground truth JSON beside it.
bool writeChart(const ChartSpec& spec, const ChartGeometry& g, const QString& imagePath,
                QString* error);

} // namespace chartgen
