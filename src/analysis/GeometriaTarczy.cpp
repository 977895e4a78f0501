#include "analysis/GeometriaTarczy.h"

namespace analysis {

std::int32_t GeometriaTarczy::polowa_obrazu_dla(float x0) {
    // Thresholds derived from the nominal half size 500: nine tenths and six fifths.
    if (x0 < 450.0f) return 400;
    if (x0 > 600.0f) return 750;
    return 500;
}

float GeometriaTarczy::jaki_promien_km(float kat) const {
    const int i = para_dla_kata(promienie_km, kat);
    return (promienie_km[i].promien + promienie_km[i + 1].promien) * 0.5f;
}

float GeometriaTarczy::jaka_delta_h(float kat) const {
    const int i = para_dla_kata(delta_h, kat);
    // C++ integer division truncates toward zero, as the offsets need.
    return static_cast<float>((delta_h[i].offset + delta_h[i + 1].offset) / 2);
}

void GeometriaTarczy::wyczysc_tabele() {
    promienie_km.fill(PromienKm{});
    delta_h.fill(DeltaH{});
    linie_km = LinieKm{};
}

} // namespace analysis
