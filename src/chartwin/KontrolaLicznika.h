#pragma once
// The odometer check of a chart's header, free of widgets: the readings at start and end
// against the distance read from the chart, within the tolerance setting "roz_km".

#include <QString>

#include <optional>

class KontrolaLicznika {
public:
    // Tolerance when the window has no settings reader: every difference disagrees.
    static constexpr int kBezUstawien = -4;

    // tolerancja < 1000: kilometres; 1000 + p: p percent of the chart distance (p = 0: exact).
    explicit KontrolaLicznika(int tolerancja) : tolerancja_(tolerancja) {}

    // True when the chart distance and the odometer difference agree.
    bool zgodne(double suma_km, int roznica_km) const;

    struct Wynik {
        int roznica_km = 0;
        bool porownano = false; // false: crew chart or end reading 0, nothing to compare
        bool zgodne = true;
    };
    // The check on the fields' texts. Nothing (no difference) when any field is empty or not
    // a number. A crew chart and an end reading of 0 are never compared.
    std::optional<Wynik> sprawdz(const QString& km_od, const QString& km_do, const QString& suma_km,
                                 bool zaloga) const;

private:
    int tolerancja_;
};
