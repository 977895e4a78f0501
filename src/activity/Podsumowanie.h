#pragma once
// The day summary shown under the disc: time per activity, rest, distance and average speed,
// and the colour of the driving time with the warning picture past the daily limit.

#include "activity/Lista_zdarz.h"
#include "host/Bitmap32.h"

#include <QString>

#include <cstdint>

struct Podsumowanie {
    // Windows colours of the driving time.
    static constexpr host::TColor kKolorPonad10 = host::WinColor(host::Color32(194, 1, 34));
    static constexpr host::TColor kKolorPonad9 = host::WinColor(host::Color32(255, 128, 0));
    static constexpr host::TColor kKolorZwykly = host::WinColor(host::Color32(58, 58, 58));

    QString st_ja; // driving, "hh:nn"
    QString st_pr; // other work
    QString st_za; // availability
    QString st_br; // no data
    QString st_po; // rest
    // The totals behind the first four labels in whole minutes: a label reads a whole day of
    // one activity as "00:00", these read 1440.
    int min_ja = 0, min_pr = 0, min_za = 0, min_br = 0;
    host::TColor kolor_ja = kKolorZwykly;
    bool Image3 = false; // the warning picture: driving above 10 hours
    // Wide: a long list of long drives adds up past an int.
    std::int64_t suma_km = 0;
    std::int64_t predkosc = 0; // average speed of the driving periods, km/h (integer part)
};

// The summary of the list as it stands.
Podsumowanie pokaz_podsum(const Lista_zdarz& lista);
