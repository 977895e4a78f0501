#include "activity/CzytnikKmOkna.h"

#include "activity/CzytnikKmTarczy.h"

CzytnikKmOkna::CzytnikKmOkna(const host::Bitmap32& bitmapa,
                             const analysis::Kalibracja& kalibracja,
                             const analysis::GeometriaTarczy& geometria,
                             const WejscieTarczy& wejscie)
    : an_(bitmapa, kalibracja), we_(wejscie_analizy(wejscie)) {
    an_.geometria() = geometria;
}

int CzytnikKmOkna::czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) {
    return CzytnikKmTarczy(an_, we_).czytaj_punkty(punkty, kat_od, kat_do);
}
