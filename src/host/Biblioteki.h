#pragma once
// Side libraries loaded by their Windows-style names. "dane\Korvix\X.dll" maps to
// <executable folder>/dane/Korvix/libX.so; "X.dll" to <executable folder>/libX.so. Backslashes
// and forward slashes are both separators, the ".dll" suffix is matched in any case, and a
// name the caller already made absolute (executable folder + relative name) is accepted.
// When the mapped file does not exist as spelt, a file whose name differs only in case is
// taken ("child.dll" finds libChild.so), as the Windows file system would.

#include <QLibrary>
#include <QString>

#include <memory>

namespace host {

// The folder of the running executable (overridable for tests; an empty folder restores the
// default, QCoreApplication::applicationDirPath()).
QString ExeFolder();
void SetExeFolder(const QString& folder);

// The path a Windows-style library name maps to.
QString MapLibraryPath(const QString& windowsName);

// Loads the library; null (and a logged reason) when it is absent or fails to load.
// Handles to one file share one load, counted as Windows counts LoadLibrary calls: the library
// is unloaded when the last handle in the process is released, and loading it again while a
// handle is held costs a lookup only. Whoever outlives the library's users (a batch, a
// window) may keep a handle to spare them the loading. Thread-safe. Never unload() through a
// handle: release it.
std::shared_ptr<QLibrary> LoadLibrary_main(const QString& windowsName);

// Releases the handle once control is back in the event loop. For code of the library itself
// giving up a handle to its own file: released in place, the last handle would unmap the code
// that is still running.
void ZwolnijPozniej(std::shared_ptr<QLibrary> uchwyt);

} // namespace host
