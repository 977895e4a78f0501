#pragma once
// Spreads the odometer distance of a chart over its driving periods as synthetic distance
// points, for charts whose zig-zag cannot be read. Every driving period gets its share of the
// distance in proportion to its length (the last one what is left); its points then draw a
// zig-zag between the inner line (level 1) and the outer line (level 5) that reads back as
// that many kilometres: a full stroke from one turning line to the other is 5 km, every point
// adds its level difference plus one. The zig-zag's level and direction carry over from one
// period to the next.

#include "analysis/ListaOkresow.h"

#include <functional>

namespace analysis {

class AutoPunktyKm {
public:
    static constexpr int max_km = 3000;
    // Message key the window shows when the distance is refused.
    static constexpr const char* klucz_odmowy = "Resstrings_IDS_prosze_najpierw_poprawic_km";

    enum class Wynik {
        dodano,     // the points were added and the list marked changed
        za_duzo_km, // roznica_km above max_km: nothing was changed
    };

    explicit AutoPunktyKm(ListaOkresow& lista) : lista_(lista) {}

    // roznica_km is the odometer difference of the chart. Above max_km nothing happens.
    // Otherwise przed_zmiana (the window's backup of the list and the special points) runs
    // first, every distance point is removed, and the new points are added.
    Wynik dodaj(int roznica_km, const std::function<void()>& przed_zmiana = {});

    // Empties every period's point list and sets its km to 0 (on a detailed chart: the
    // chart-wide point list), and marks the list changed.
    static void usun_punkty_km(ListaOkresow& lista);

    // Radius of a synthetic point of level 1..5 (the distance lines 11 pixels apart from 270).
    static int promien_poziomu(int poziom) { return (poziom - 1) * 11 + 270; }

private:
    ListaOkresow& lista_;
};

} // namespace analysis
