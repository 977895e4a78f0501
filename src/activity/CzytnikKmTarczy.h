#pragma once
// The distance reader of the period list (used when the points of a period, or of a whole
// detailed chart, are redetected from the picture) over the analysis' zig-zag reader.

#include "activity/CzytnikKm.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/WejscieAnalizy.h"

class CzytnikKmTarczy final : public CzytnikKm {
public:
    // Both must outlive the reader; the settings reader of wejscie is consulted at every read.
    CzytnikKmTarczy(analysis::AnalizaTarczy& analiza, const analysis::WejscieAnalizy& wejscie)
        : an_(analiza), we_(wejscie) {}

    // Reads kat_od..kat_do as one driving period whose points are punkty.
    int czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) override;

private:
    analysis::AnalizaTarczy& an_;
    const analysis::WejscieAnalizy& we_;
};
