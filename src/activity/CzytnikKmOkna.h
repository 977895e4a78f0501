#pragma once
// The distance reader a chart window keeps for its chart: it owns the analysis state made from
// the chart's picture and the geometry a reading (or the ring measurement of a stored chart)
// found, so that later re-reads of distance points see the ring the reading saw.

#include "activity/CzytnikKm.h"
#include "activity/OdczytTarczy.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/WejscieAnalizy.h"

class CzytnikKmOkna final : public CzytnikKm {
public:
    // bitmapa (the analysis picture) must outlive the reader; the settings reader of wejscie
    // is consulted at every read.
    CzytnikKmOkna(const host::Bitmap32& bitmapa, const analysis::Kalibracja& kalibracja,
                  const analysis::GeometriaTarczy& geometria, const WejscieTarczy& wejscie);

    int czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) override;

private:
    analysis::AnalizaTarczy an_;
    analysis::WejscieAnalizy we_;
};
