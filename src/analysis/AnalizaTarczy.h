#pragma once
// The analysis state of one chart: the installation's calibration, the chart's geometry and
// the analysis bitmap the readers look at. The chart window owns one; so can a tool that reads
// scans without a window. Centre detection and the activity and distance readers build on the
// lookups and pixel tests here.

#include "analysis/GeometriaTarczy.h"
#include "analysis/Kalibracja.h"
#include "analysis/Luk.h"
#include "analysis/Piksel.h"

#include "host/Bitmap32.h"

#include <QString>

namespace analysis {

class AnalizaTarczy {
public:
    // Reads folder/ust_tacho.ini (BladKalibracji when it fails, which ends the construction)
    // and starts with a cleared per-chart state. The bitmap is not owned and must outlive
    // this object (or be replaced with ustaw_bitmape first).
    AnalizaTarczy(const host::Bitmap32& bitmapa, const QString& folder_programu);
    // The same with a calibration already read (a tool reading many scans reads it once).
    AnalizaTarczy(const host::Bitmap32& bitmapa, const Kalibracja& kalibracja);

    const Kalibracja& kalibracja() const { return kal_; }
    GeometriaTarczy& geometria() { return geo_; }
    const GeometriaTarczy& geometria() const { return geo_; }

    const host::Bitmap32& bitmapa() const { return *bitmapa_; }
    void ustaw_bitmape(const host::Bitmap32& bitmapa) { bitmapa_ = &bitmapa; }

    // Picture on which centre detection marks its rays when kolka_km is 1 or more; null
    // (the default) draws nothing.
    host::Bitmap32* bitmapa_znacznikow() const { return znaczniki_; }
    void ustaw_bitmape_znacznikow(host::Bitmap32* bitmapa) { znaczniki_ = bitmapa; }

    // Per-chart state back to its start: no hour ring, centre (0, 0), no previous speed pixel,
    // no distance reading done yet.
    void resetuj_stan();

    // Lookups in the per-angle tables.
    float jaki_promien_km(float kat) const { return geo_.jaki_promien_km(kat); }
    float jaka_delta_h(float kat) const { return geo_.jaka_delta_h(kat); }

    // Pixel tests on the analysis bitmap around the current centre.
    bool lok_prom(int procent, float kat, float pol, float r) const {
        return analysis::lok_prom(*bitmapa_, geo_.x0, geo_.y0, procent, kat, pol, r);
    }
    bool lok_prom(int procent, float kat, float pol, float r, const Kierunek& poczatek) const {
        return analysis::lok_prom(*bitmapa_, geo_.x0, geo_.y0, procent, kat, pol, r, poczatek);
    }
    // The same on the bitmap's rows taken once by the caller (valid while the bitmap is not
    // changed), for a search over many radii.
    bool lok_prom(const WidokBitmapy& obraz, int procent, float kat, float pol, float r,
                  const Kierunek& poczatek) const {
        return analysis::lok_prom(obraz, geo_.x0, geo_.y0, procent, kat, pol, r, poczatek);
    }
    bool lok2(int kolor, int min_ile, float x, float y) const {
        return analysis::lok2(*bitmapa_, kolor, min_ile, x, y);
    }

    // State kept between calls of the readers: the last pixel the speed check examined and
    // the number of distance readings made on this chart.
    Piksel poprzedni_piksel_predkosci;
    int licznik_odczytow_km = 0;

private:
    Kalibracja kal_;
    GeometriaTarczy geo_;
    const host::Bitmap32* bitmapa_;
    host::Bitmap32* znaczniki_ = nullptr;
};

} // namespace analysis
