#pragma once
// Test-side model of the measuring steps a chart reading takes, enough to check that a
// generated chart reads back as drawn: the distance-ring rays and the centre shift, the
// upper-edge offsets of stepped charts, the hour ring, the class of one activity sample and
// the distance points of one driving period. Clean charts only: disturbed rays are not
// flagged or repaired.

#include "analysis/GeometriaTarczy.h"
#include "analysis/Kalibracja.h"

#include "host/Bitmap32.h"

#include <vector>

namespace chartgen::test {

struct ReadPoint {
    float kat = 0;
    int typ = 0;
};

class ReadingModel {
public:
    // Runs the centre detection from the image centre: ring rays, upper edge (kind 2), centre
    // shift, hour ring.
    ReadingModel(const host::Bitmap32& bmp, const analysis::Kalibracja& k, float kat24, int typ);

    float x0() const { return geo_.x0; }
    float y0() const { return geo_.y0; }
    int pocz_sr_godz() const { return geo_.pocz_sr_godz; }
    const analysis::GeometriaTarczy& geometria() const { return geo_; }

    // Sample angles of the activity band from a start angle, and the class of one sample
    // before any smoothing (2 rest, 5 availability, 8 other work, 11 driving, 3 / 6 between).
    std::vector<float> sampleAngles(float a0) const;
    int sampleClass(float ak) const;

    // Distance points of a driving period read over start..end, after duplicate removal and
    // the end readings, in angle order.
    std::vector<ReadPoint> distancePoints(float start, float end) const;

private:
    bool dark(int x, int y) const;
    float lokZakKat(float r, float a1, float a2) const;

    const host::Bitmap32& bmp_;
    analysis::Kalibracja k_;
    analysis::GeometriaTarczy geo_;
};

} // namespace chartgen::test
