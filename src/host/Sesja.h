#pragma once
// The host's open-item rows (table sesja): which user has which record of which module open,
// so that other users can be told.

#include <QString>

namespace host {

// Notes that user id_u has record id_ of the module nazwa_dll open; one row however often it
// is called. Record 0 (not stored yet) is not noted. Database errors are thrown.
void ZapiszWierszSesji(const QString& nazwa_dll, int id_, int id_u);
// Removes that note. Database errors are thrown.
void UsunWierszSesji(const QString& nazwa_dll, int id_, int id_u);
// Whether the note is there.
bool JestWierszSesji(const QString& nazwa_dll, int id_, int id_u);

} // namespace host
