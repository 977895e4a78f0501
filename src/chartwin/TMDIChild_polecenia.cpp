// Commands whose work belongs to the layers that save a chart and edit its clock. Each later
// layer replaces its definition here by one in its own folder.

#include "chartwin/TMDIChild.h"

#include "host/Dialogi.h"
#include "host/Resstrings.h"

void TMDIChild::Ustawgodzin24Click() {}

void TMDIChild::zap1Click() {
    // Saving a chart does not exist yet. Reporting success would let "Yes" on the close
    // question drop the user's edits; the save fails instead, so the window stays open.
    host::InfoBox(host::LoadResstrings(QStringLiteral("Resstrings_IDS_ChildZapisNiedostepny")),
                  host::MB_OK | host::MB_ICONINFORMATION, this);
    zapis_nieudany = 1;
    zap1->setEnabled(true);
    zap_zam->setEnabled(true);
}
