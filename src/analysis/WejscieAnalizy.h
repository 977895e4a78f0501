#pragma once
// The window's inputs to a reading, as plain values so that a tool or a test can give them
// without a window.

#include "host/Bitmap32.h"
#include "host/Ustawienia.h"

#include <array>

namespace analysis {

struct WejscieAnalizy {
    int typ = 0;     // chart kind, the item of `typy` (0..4)
    int poziomy = 0; // level selector: 0 'wszystkie', 1 'wybrane -->'
    std::array<bool, 4> p{{true, true, true, true}}; // level boxes _p1.._p4
    bool szczeg = false;                             // detailed reading (`szczeg`)
    int rt = 0; // chart-kind radio group of the correction view (speed offsets)
    host::GetZmFn czytnik = nullptr;   // the settings reader; null uses the callers' defaults
    host::Bitmap32* korekta = nullptr; // correction-view bitmap for the marks, or null
};

} // namespace analysis
