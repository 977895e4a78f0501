#pragma once
// Geometry of one chart in the pixel space of its analysis bitmap: the centre, the angle of
// midnight, the hour-ring radius, the chart kind and the two per-angle tables that centre
// detection fills and the trace readers consult. Radii and coordinates are pixels, angles
// degrees.

#include "analysis/LinieKm.h"
#include "analysis/Piksel.h"

#include <array>
#include <cstdint>

namespace analysis {

// Items of the chart-kind selector, in its order.
enum RodzajTarczy : std::int32_t {
    standardowa = 0,      // activity from line thickness, wide sampling ladder
    cienki_wykres = 1,    // activity from line thickness, narrow ladder
    wykres_schodkowy = 2, // stepped trace; the upper-edge offsets are measured
    pseudoschodkowy = 3,  // driving / rest only
    do125kmh = 4,         // 125 km/h speed scale: read as stepped, offsets stay 0
};

// One 7.5-degree ray of the distance ring.
struct PromienKm {
    float kat = 0.0f;       // ray angle
    float promien = 0.0f;   // lower edge of the distance band on this ray
    float zaklocony = 0.0f; // 1.0 when the ray was judged disturbed and repaired
    float roznica = 0.0f;   // previous ray's radius minus this one
};

// One 5-degree ray of the upper edge of the distance band (stepped charts).
struct DeltaH {
    std::int32_t kat = 0;    // ray angle, rounded half up
    std::int32_t offset = 0; // pixels above the smallest measured upper-edge radius
};

class GeometriaTarczy {
public:
    static constexpr int ile_promieni_km = 49;
    static constexpr int ile_delta_h = 73;

    float x0 = 0.0f;
    float y0 = 0.0f;
    float kat24 = 0.0f;
    std::int32_t polowa_obrazu = 500; // 400, 500 or 750: the image size class
    std::int32_t pocz_sr_godz = 0;    // inner radius of the hour ring, never above 375
    std::int32_t typ = standardowa;   // RodzajTarczy
    std::array<PromienKm, ile_promieni_km> promienie_km{};
    std::array<DeltaH, ile_delta_h> delta_h{};
    LinieKm linie_km; // the distance reading lines measured on this chart

    // Image half size for a stored centre x: 400 below 450, 750 above 600, else 500.
    static std::int32_t polowa_obrazu_dla(float x0);

    // Ring radius at an angle: mean of the two rays around it.
    float jaki_promien_km(float kat) const;
    // Upper-edge offset at an angle: integer mean of the two rays around it (truncated).
    float jaka_delta_h(float kat) const;

    // Index i of the ray pair (i, i + 1) of a table whose ray angles are kat(0..n-1) that a
    // lookup at angle a uses. The angle is folded once into 0..360; pairs are tried from n - 3
    // down to 0 (the pair of the last two rays is never tried) and a pair bracketing across
    // 360 accepts angles on either side; with no bracketing pair the answer is 0.
    template <class Tablica> static int para_dla_kata(const Tablica& t, float a);

    // Clears both tables (all angles, radii and offsets 0) and the measured distance lines.
    void wyczysc_tabele();

    // The pixel at angle kat and radius r around the current centre.
    Piksel punkt(double kat, double r) const { return punkt_na_kacie(x0, y0, kat, r); }
};

// jaki_promien_km along a walk in small steps. The pair a lookup uses depends only on where
// the folded angle lies among the table's angles, so the pair found is kept until the walk
// reaches a table angle; the answers are those of jaki_promien_km. The table must not change
// while the walker is in use.
class PromienKmWzdluz {
public:
    explicit PromienKmWzdluz(const GeometriaTarczy& g) : g_(g) {}
    float operator()(float kat);

private:
    const GeometriaTarczy& g_;
    int para_ = -1;             // the pair for kat_, -1 before the first lookup
    float kat_ = 0.0f;          // the folded angle it was found for
    float dolny_ = 0.0f;        // the largest table angle below kat_
    float gorny_ = 0.0f;        // the smallest table angle above kat_
    bool na_promieniu_ = false; // a table angle equals kat_: the pair holds for kat_ alone
};

template <class Tablica> int GeometriaTarczy::para_dla_kata(const Tablica& t, float a) {
    if (a >= 360.0f) a -= 360.0f;
    if (a < 0.0f) a += 360.0f;
    const int n = static_cast<int>(t.size()) - 1;
    for (int i = n - 2; i >= 0; --i) {
        const float k0 = static_cast<float>(t[i].kat);
        const float k1 = static_cast<float>(t[i + 1].kat);
        if (k1 < k0) {
            if (k0 <= a || a <= k1) return i;
        } else if (k0 < a && a <= k1) {
            return i;
        }
    }
    return 0;
}

} // namespace analysis
