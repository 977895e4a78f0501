#pragma once
// The logged-in user's rights to the product's modules and the host's modes that change what
// the chart window shows.

#include <QString>

namespace host {

// Right of the user to a module by its library name ("lista_tacho.dll", "delegacja.dll"):
// positive grants it, 0 denies it, negative means the module is not installed. A module
// never set answers 1, the right of the host's administrator this host logs in.
int SprawdzUpr(const QString& modul);
// Sets a module's right for the rest of the process; UsunUprawnienia forgets all of them.
void UstawUpr(const QString& modul, int prawo);
void UsunUprawnienia();

// The KWIR variant of the product: the "ALL" setting "tryb_kwir".
bool CzyKXKWIR();
// Extended preview: read-only windows keep their status and annotation controls usable.
// The "ALL" setting "podglad_rozszerzony"; the argument is the host's mode selector (0 for the
// chart module).
bool CzyTrybPodgladRozszerz(int tryb);

// The version a file carries as the text "KXFILEVERSION=a.b.c.d" in its data ("" when the
// file is missing or carries none). Our modules embed it at build time.
QString GetFileVersion(const QString& path);

} // namespace host
