#pragma once
// The distance reader as the period list sees it: reads the distance zig-zag of the chart
// picture over an angle range into a point list. The analysis supplies the implementation; the
// list only calls it when one was set.

class lista_pkt;

class CzytnikKm {
public:
    virtual ~CzytnikKm() = default;
    // Adds to punkty the distance points found between kat_od and kat_do (degrees; kat_do may
    // lie below kat_od across 360). Returns the number of points the list holds afterwards.
    virtual int czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) = 0;
};
