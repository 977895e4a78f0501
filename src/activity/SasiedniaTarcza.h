#pragma once

// The driver's previous or next chart, as the header's day buttons move through them.

#include "host/TDateTime.h"

#include <optional>

struct SasiedniaTarcza {
    int id_t = 0;
    int cyfrowy = 0;
    // An analogue and a digital chart of the same day are both shown: the other one, or 0.
    int drugi_id_t = 0;
    int drugi_cyfrowy = 0;
};

// A digital chart in the chart list (cyfrowy other than 0 and 4).
bool tarcza_cyfrowa(int cyfrowy);

// The chart of driver id_k that comes after (before, with poprzednia) the chart id_tarczy of the
// given day, by date and then by key; free days without a digital record are skipped. None
// when there is none. Database errors are thrown.
std::optional<SasiedniaTarcza> sasiednia_tarcza(int id_k, host::TDateTime dzien, int id_tarczy,
                                                bool poprzednia, int id_jezyka);
