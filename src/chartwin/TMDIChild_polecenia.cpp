// Commands whose work belongs to the layer that edits the chart's clock; it replaces the
// definition here by one in its own folder.

#include "chartwin/TMDIChild.h"

void TMDIChild::Ustawgodzin24Click() {}
