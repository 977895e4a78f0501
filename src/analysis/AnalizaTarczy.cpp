#include "analysis/AnalizaTarczy.h"

namespace analysis {

AnalizaTarczy::AnalizaTarczy(const host::Bitmap32& bitmapa, const QString& folder_programu)
    : bitmapa_(&bitmapa) {
    kal_.ust_stalych(folder_programu);
    resetuj_stan();
}

AnalizaTarczy::AnalizaTarczy(const host::Bitmap32& bitmapa, const Kalibracja& kalibracja)
    : kal_(kalibracja), bitmapa_(&bitmapa) {
    resetuj_stan();
}

void AnalizaTarczy::resetuj_stan() {
    geo_.pocz_sr_godz = 0;
    geo_.x0 = 0.0f;
    geo_.y0 = 0.0f;
    poprzedni_piksel_predkosci = Piksel{};
    licznik_odczytow_km = 0;
}

} // namespace analysis
