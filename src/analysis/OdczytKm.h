#pragma once
// Reads the distance zig-zag of a chart into distance points. While the vehicle moves the
// stylus runs between an inner and an outer turning line; every turn (peak) on those lines is
// a point of type 1 (inner) or 5 (outer), and at the two ends of a driving period the partial
// stroke is read on the three intermediate lines as a point of type 2, 3 or 4. The period
// list derives the kilometres from the points.
//
// All lines follow the measured distance ring (jaki_promien_km), at the offsets the chart's
// geometry measured for them (GeometriaTarczy::linie_km) or else the calibration's fixed ones.

#include "analysis/AnalizaTarczy.h"
#include "analysis/ListaOkresow.h"
#include "analysis/WejscieAnalizy.h"

#include <array>

namespace analysis {

class OdczytKm {
public:
    // A list that is detailed (szczegolowa) gets every point in its chart-wide point list;
    // otherwise the points go to the period that holds the start of the range read.
    OdczytKm(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie, ListaOkresow& lista);

    // Reads the zig-zag from kat_od to kat_do (degrees folded into 0..360; an end below the
    // start runs across 360). The band width and radius the callers pass are those of the
    // calibration, which the reading takes from there itself. Returns the number of points
    // the target list holds afterwards.
    int ile_pikow(float kat_od, float kat_do, int szerokosc, float promien);

    // First angle along the arc of radius r from a1 towards a2 (either direction, a2
    // included) at which a dark spot (two dark pixels in a 3x3 neighbourhood) is met, taken
    // one step of arc beyond the hit; -1 when the arc is clear.
    float lok_zak_kat(float r, float a1, float a2);

private:
    struct Przebieg; // the settings of one peak pass

    Przebieg ustawienia_przebiegu(float promien) const;
    void przebieg(const Przebieg& p, float od, float do_, int odstep, int typ, int cel,
                  float* ostatni_promien);
    // Offset of line n (1..5) from the distance ring at an angle, and its whole radius above
    // a truncated ring radius.
    float offset_linii(int n, float kat) const;
    int promien_linii(int ring, int n, float kat) const;
    void konce(int cel, float od, float do_);
    void koniec_przy_piku(int cel, int typ_piku, float kat_ringu, float a1, float a2);
    void dodaj(int cel, float kat, int typ, int promien);

    AnalizaTarczy& an_;
    const WejscieAnalizy& we_;
    ListaOkresow& lista_;
    std::array<float, 6> stale_{}; // the calibration's offsets of lines 1..5
};

} // namespace analysis
