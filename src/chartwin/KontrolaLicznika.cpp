#include "chartwin/KontrolaLicznika.h"

#include <cmath>

bool KontrolaLicznika::zgodne(double suma_km, int roznica_km) const {
    const double d = std::abs(suma_km - roznica_km);
    if (tolerancja_ < 1000) return d <= tolerancja_;
    const int procent = tolerancja_ - 1000;
    if (procent == 0) return d <= 0.5;
    if (d <= 1) return true;
    return d <= suma_km * procent * 0.01 + 0.5;
}

std::optional<KontrolaLicznika::Wynik> KontrolaLicznika::sprawdz(const QString& km_od,
                                                                 const QString& km_do,
                                                                 const QString& suma_km,
                                                                 bool zaloga) const {
    bool ok_od = false, ok_do = false, ok_suma = false;
    const int od = km_od.trimmed().toInt(&ok_od);
    const int do_ = km_do.trimmed().toInt(&ok_do);
    const double suma = suma_km.trimmed().toDouble(&ok_suma);
    if (!ok_od || !ok_do || !ok_suma) return std::nullopt;
    Wynik w;
    w.roznica_km = do_ - od;
    if (zaloga || do_ == 0) return w;
    w.porownano = true;
    w.zgodne = zgodne(suma, w.roznica_km);
    return w;
}
