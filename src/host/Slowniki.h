#pragma once
// The host's dictionary editor: entries of a typed dictionary (slownik), each a group of
// parameter values (slowwartosci) such as "nazwa" and "opis".

#include "host/db/Query.h"

#include <QString>

class QWidget;

namespace host {

// Adds one entry to the dictionary of this type: asks for the value of each parameter the
// dictionary has ("nazwa" first), in the user's language through the input boxes, and writes
// them as one group. Nothing is written when the name is left empty or a box is cancelled.
// Returns the id of the entry's "nazwa" value, 0 when nothing was added. A dictionary type
// the database lacks is reported.
int OpenRamka(const QString& typ_slownika, QWidget* owner);

// The chart statuses ("tarcza_status") in a language, by name: id, wartosc; a language
// without translations reads the dictionary's own texts. To be opened by the caller.
Query StatusyTarczy(int id_jezyka);

} // namespace host
