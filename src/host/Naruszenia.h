#pragma once
// Infringements the user has approved for a driver (table naruszenia), as the chart window's
// control tab lists them.

#include "host/TDateTime.h"

#include <vector>

namespace host {

struct NaruszenieZatwierdzone {
    int typ = 0;          // 0 daily driving too long, 1 daily rest too short, 4 continuous driving
    int ustawa = 2;       // 0 AETR, 1 AETR 2010, 2 Regulation 561 (also when none is stored)
    TDateTime data;       // start
    TDateTime data_do;    // end; 0 when none is stored
    int skroc_wydluz = 0; // the amount, in quarter hours
};

// The approved infringements of driver id_k starting in [od, od + 1 day), in time order.
// Database errors are thrown.
std::vector<NaruszenieZatwierdzone> NaruszeniaZatwierdzone(int id_k, TDateTime od);

} // namespace host
