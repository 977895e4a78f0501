#pragma once
// Fresh host services for a test that drives windows: in-memory settings, default user rights,
// an in-memory SQLite database with the schema, scripted dialogs and the runtime tree as the
// executable's folder. usunSrodowiskoHosta puts the defaults back.

#include "host/Dialogi.h"

#include <QDate>

#include <memory>

std::shared_ptr<host::ScriptedDialogs> zainstalujSrodowiskoHosta();
void usunSrodowiskoHosta();

// A chart added by hand (no scan to look for) with its analogue record, centre not measured;
// a driver or vehicle of 0 is none.
struct TarczaReczna {
    QDate data{2024, 3, 12};
    int id_k = 0, typ_dnia = 0, cyfrowy = 0, id_s = 0, km_kon = 0;
};
int dodajTarczeReczna(const TarczaReczna& t);
