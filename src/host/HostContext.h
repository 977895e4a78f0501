#pragma once
// What the module asks of the host's application context: the logged-in user, the data
// folder and the host's refusal of analogue windows.

#include <QString>

#include <functional>

namespace host {

// The logged-in user. Until the host logs someone in: id 1 and the operating-system login.
int AktIdU();
QString AktNazwiskoImieLoginU();
void SetAktUser(int id, const QString& name);

// The computer's name (as the host shows it in "who printed" lines).
QString GetCompName();

// The host's data folder (database file, settings, images, documents). Defaults to "tacho"
// under the user's XDG data folder; an empty folder restores the default.
QString DataFolder();
void SetDataFolder(const QString& folder);
// "tacho" under the user's XDG data folder; empty when the system names no such folder.
QString DefaultDataFolder();
// The embedded database file of a data folder.
QString DatabaseFileIn(const QString& dataFolder);
// A named working folder under the data folder ("temp", "obrazy", "dokumenty"), created.
// Returns the path with "/" separators and no trailing separator; empty (and logged) when the
// folder cannot be created.
QString PobierzKatalogRoboczy(const QString& name);

// A path the module composed Windows-style ("C:\x" style separators, doubled separators)
// as a local path: backslashes become "/", repeated separators collapse.
QString LocalPath(const QString& windowsStylePath);

// True refuses an analogue chart window. This host serves analogue charts unless the "ALL"
// setting "tylko_cyfrowe" is set; only a request for an analogue window (analogowy true) can
// be refused, whatever cyfrowy says. "didital" is spelt so on purpose: it is the name the module
// calls the host function by.
bool get_analog_didital(bool analogowy, bool cyfrowy);

// The host's chart list reads its charts again; the module asks for it after a save. The host
// application installs what that does (null: nothing, as in a host without a list).
void SetOdswiezanieListy(std::function<void()> odswiez);
void OdswiezListeTarczDni();

} // namespace host
