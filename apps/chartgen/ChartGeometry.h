#pragma once
// Where the generator draws, derived from the installation calibration so that a drawn chart
// and its reading always agree. All radii are pixels from the disc centre of a 300 dpi scan.

#include "analysis/Kalibracja.h"

#include <QString>

#include <optional>

namespace chartgen {

struct ChartGeometry {
    // Printed rings (around the printed disc centre).
    double r0 = 0;          // inner edge of the distance ring: what the ring search meets
    double ringPairGap = 4; // second ring of the inner pair starts this far above r0
    double outerPair = 0;   // inner edge of the outer ring pair: what the upper-edge search meets
    double outerDashed = 0; // outer dashed ring of the distance band (0: not drawn)
    double innerDashed = 0; // inner dashed ring of the distance band (0: not drawn)
    double discEdge = 0;    // edge of the disc (0: not drawn)
    double ringWidth = 2;   // every printed ring is two pixels wide

    // Distance zig-zag (around the recording centre), offsets from r0.
    double off[6] = {};     // off[1..5]: the five reading lines
    double overshoot = 0;   // the tips lie this far beyond the turning lines
    double strokeWidth = 2; // the stylus line
    double lineZone = 2.5;  // a stroke this close to a reading line is seen on it
    double stepDeg = 0;     // angular step of the peak passes (one pixel at rgorny_km)
    int delta_rg_km = 0;    // refractory steps on the outer / inner line
    int delta_rd_km = 0;
    double rgorny_km = 0;

    // Activity trace (around the recording centre).
    double activityBase = 0; // inner edge of the bars of the standard and thin kinds

    double line(int n) const { return r0 + off[n]; }
    double tipOuter() const { return off[5] + overshoot; } // offsets from r0
    double tipInner() const { return off[1] - overshoot; }
    // Where the reading looks for line n, as an offset from r0: the ring search meets the
    // ring half a pixel early, and the end readings truncate the ring radius as well.
    double readLine(int n) const { return off[n] - (n == 1 || n == 5 ? 0.5 : 1.0); }
    // Where the stylus rests in gap g (1..4), between lines g and g + 1: mid-way between
    // where the reading looks for them.
    double gapMiddle(int g) const { return (readLine(g) + readLine(g + 1)) / 2.0; }

    // Fails with a message naming the key when the calibration cannot give a readable chart.
    static std::optional<ChartGeometry> from(const analysis::Kalibracja& k, QString* error);
};

// Reads a calibration file through the analysis loader; nullopt and a message on failure.
std::optional<analysis::Kalibracja> loadCalibration(const QString& path, QString* error);
// ust_tacho.ini beside the running executable, where the chart window reads it.
QString defaultCalibrationPath();

} // namespace chartgen
