#pragma once

// What _OtworzChild hands to a window: one disc of a scanned sheet, where it lies, how to turn
// it upright, and the header values known for it. Plain values; the window copies what it keeps.

#include "module/KxAbi.h"

#include <QString>

#include <cstdint>

namespace host {
class Bitmap32;
}

namespace kx {

struct TarczaZArkusza {
    bool kilka_tarcz = false; // one of several discs of a sheet: the host record describes it
    std::int32_t lewo = 0, gora = 0;  // the disc's box on the sheet
    std::int32_t selektor_obrotu = 0; // 0: turned by 180 degrees plus kat, otherwise by 90
    float kat = 0.0f;
    std::int32_t srodek_x = 0, srodek_y = 0; // disc centre on the sheet
    std::int32_t polowa_boku = 0;
    std::int32_t promien = 0;
    host::Bitmap32* arkusz = nullptr; // the sheet; the disc's number is written on it in red
    KxRect zrodlo;                    // the disc's box cut from the sheet
    std::int32_t nr_tarczy = 0;
    QString podpis;
    std::int32_t id_k = -1, id_s = -1; // driver / vehicle: -1 unknown, 0 none
    double data = 0.0;
    std::int32_t km_od = 0, km_do = 0;
    double czas_od = -1.0; // start of recording as a fraction of a day; -1: the setting's
    std::int32_t ile_zamknij = 0;
    QString plik_zrodlowy;
};

} // namespace kx
