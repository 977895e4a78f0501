#include "analysis/GeometriaTarczy.h"

#include <algorithm>
#include <limits>

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

float PromienKmWzdluz::operator()(float kat) {
    float f = kat; // folded as para_dla_kata folds it
    if (f >= 360.0f) f -= 360.0f;
    if (f < 0.0f) f += 360.0f;
    const bool ta_sama = para_ >= 0 && (f == kat_ || (!na_promieniu_ && dolny_ < f && f < gorny_));
    if (!ta_sama) {
        // Every comparison of the search comes out the same for any angle strictly between
        // the neighbouring table angles.
        para_ = GeometriaTarczy::para_dla_kata(g_.promienie_km, kat);
        kat_ = f;
        dolny_ = -std::numeric_limits<float>::infinity();
        gorny_ = std::numeric_limits<float>::infinity();
        na_promieniu_ = false;
        for (const PromienKm& p : g_.promienie_km) {
            if (p.kat < f)
                dolny_ = std::max(dolny_, p.kat);
            else if (p.kat > f)
                gorny_ = std::min(gorny_, p.kat);
            else
                na_promieniu_ = true;
        }
    }
    const auto& t = g_.promienie_km;
    return (t[std::size_t(para_)].promien + t[std::size_t(para_) + 1].promien) * 0.5f;
}

void GeometriaTarczy::wyczysc_tabele() {
    promienie_km.fill(PromienKm{});
    delta_h.fill(DeltaH{});
    linie_km = LinieKm{};
}

} // namespace analysis
