#pragma once
// The scan-like files of `chartgen --scan-like`, each with its ground truth beside it.

#include "chartgen/ChartGeometry.h"
#include "chartgen/ChartSpec.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

namespace chartgen {

// Writes the image (JPEG at quality 85 for .jpg, else by the suffix) and IMAGE.json.
bool saveScanWithTruth(const QImage& image, const QString& path, const QJsonObject& truth,
                       QString* error);

// The scan-like days as single discs at 150 and 300 dpi (JPEG), one at 157 dpi as a PGM that
// states no resolution, one at 600 dpi with a drifting trace, and the A4 sheet of three
// turned discs at 300 dpi (JPEG). Prints each path written.
bool writeScanLikeSamples(const QString& dir, const ChartGeometry& g, QTextStream& out,
                          QString* error);

// One description drawn as a scan-like single disc at dpi.
bool writeScanLikeChart(const ChartSpec& spec, const ChartGeometry& g, int dpi, const QString& path,
                        QString* error);

} // namespace chartgen
