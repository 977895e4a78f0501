// Commands whose work belongs to the layers that open, check and save a chart. Until a chart
// can be opened there is nothing for them to do; each later layer replaces its definition
// here by one in its own folder.

#include "chartwin/TMDIChild.h"

void TMDIChild::otworz_tarcze(std::int32_t, host::Query*) {}

void TMDIChild::analizuj_tarcze() {}

void TMDIChild::kontrolujClick() {}

void TMDIChild::Ustawgodzin24Click() {}

void TMDIChild::zap1Click() {
    // Nothing of a chart is held yet, so there is nothing to write: the save completes.
    zapis_nieudany = 0;
    zmieniony = 0;
    if (lista) lista->zmiana = 0;
    zap1->setEnabled(false);
    zap_zam->setEnabled(false);
}
