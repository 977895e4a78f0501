#pragma once
// Pages of generated charts for the import tests: discs drawn at 300 dpi, laid on a page and
// rendered as a grey scanner would give them.

#include "chartgen/ChartGeometry.h"
#include "host/Bitmap32.h"

#include <QImage>
#include <QPointF>
#include <QString>

#include <vector>

namespace skantest {

// The generator's geometry from the installed calibration.
const chartgen::ChartGeometry& chartGeometry();

// Sample chart `which` (0..2) as the reader's 1000 class draws it, centre (500, 500).
const host::Bitmap32& readerChart(int which);

// A page at 300 dpi: white background, whole discs pasted with their round outline so that
// neighbours may overlap at the rims, later ones on top.
struct Page300 {
    host::Bitmap32 image;
    std::vector<QPointF> centres;
};
Page300 page300(int width, int height, const std::vector<int>& charts,
                const std::vector<QPointF>& centres);

// The page as a grey scan at dpi; `mapped` gets the centres on the scan.
QImage scanOf(const Page300& page, int dpi, std::vector<QPointF>* mapped);

// Writes the image to a temporary file stating dpi; 0 states Qt's default of 96 dpi.
QString save(const QImage& image, const QString& name, int dpi = 0);
QString tempPath(const QString& name);

// The first dark pixel on 360 rays from (cx, cy) between radii from and to: mean radius and
// offset of the ring's centre from (cx, cy).
struct Ring {
    double radius = 0, dx = 0, dy = 0;
    int rays = 0;
};
Ring ringAround(const host::Bitmap32& bmp, double cx, double cy, double from, double to);

// Share of a's dark pixels with a dark pixel of b within one pixel.
double darkAgreement(const host::Bitmap32& a, const host::Bitmap32& b);

// Distance between a found and a drawn centre on a scan at dpi, in pixels at 300 dpi.
double errorAt300(const QPointF& found, const QPointF& truth, double dpi);

} // namespace skantest
