#pragma once
// The radii of the distance zig-zag's reading lines as measured on one chart. The calibration
// gives each line as a fixed offset from the distance ring; a real recording can sit higher or
// lower, lie off the printed centre and drift during the day, and printed rings can lie on the
// fixed lines. The measurement (PomiarLiniiKm.h) then gives the turning lines per sector of the
// disc; the three lines between them keep their calibrated places in proportion.

#include <QString>

#include <array>
#include <cmath>

namespace analysis {

struct LinieKm {
    static constexpr int ile_sektorow = 24; // of 15 degrees, sector i from i * 15 degrees
    static constexpr float sektor = 15.0f;

    // False: every line is the calibration's fixed offset (nothing measured, or the chart
    // agrees with the calibration); the tables below are then not used.
    bool zmierzone = false;
    QString powod; // how the lines were chosen, in a few words
    // Offsets of the inner and outer turning lines from the distance ring, per sector centre,
    // as the peak passes use them (moved off printed ink)...
    std::array<float, ile_sektorow> wewn{};
    std::array<float, ile_sektorow> zewn{};
    // ...and as they follow the zig-zag's tips, between which lines 2 to 4 keep their places.
    std::array<float, ile_sektorow> pas_wewn{};
    std::array<float, ile_sektorow> pas_zewn{};
    // Offset from the distance ring of line n (1 inner turning line .. 5 outer one) at an angle,
    // interpolated between sector centres; stale[1..5] are the calibration's offsets.
    float offset(int n, float kat, const std::array<float, 6>& stale) const {
        if (!zmierzone) return stale[n];
        float s = kat / sektor - 0.5f;
        s -= std::floor(s / ile_sektorow) * ile_sektorow;
        const int i = static_cast<int>(s) % ile_sektorow;
        const int j = (i + 1) % ile_sektorow;
        const float f = s - std::floor(s);
        auto miedzy = [&](const std::array<float, ile_sektorow>& t) {
            return t[i] + f * (t[j] - t[i]);
        };
        if (n == 1) return miedzy(wewn);
        if (n == 5) return miedzy(zewn);
        const float w = miedzy(pas_wewn), z = miedzy(pas_zewn);
        return w + (stale[n] - stale[1]) * (z - w) / (stale[5] - stale[1]);
    }
};

} // namespace analysis
