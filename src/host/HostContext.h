#pragma once
// What the module asks of the host's application context: the logged-in user, the data
// folder and the host's refusal of analogue windows.

#include <QString>

namespace host {

int AktIdU();
QString AktNazwiskoImieLoginU();
void SetAktUser(int id, const QString& name);

// The host's data folder (database file, settings, images, documents).
QString DataFolder();
void SetDataFolder(const QString& folder);
// A named working folder under the data folder ("temp", "obrazy", "dokumenty"), created.
QString PobierzKatalogRoboczy(const QString& name);

// True refuses an analogue chart window. This host serves analogue charts unless the "ALL"
// setting "tylko_cyfrowe" is set.
bool get_analog_didital(bool analogowy, bool cyfrowy);

} // namespace host
