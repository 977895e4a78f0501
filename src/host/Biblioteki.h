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
// The library is unloaded when the returned handle is destroyed (unless another handle still
// holds it).
std::unique_ptr<QLibrary> LoadLibrary_main(const QString& windowsName);

} // namespace host
