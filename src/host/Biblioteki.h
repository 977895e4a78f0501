#pragma once
// Side libraries loaded by their Windows-style names. "dane\Korvix\X.dll" maps to
// <executable folder>/dane/Korvix/libX.so; "X.dll" to <executable folder>/libX.so.

#include <QLibrary>
#include <QString>

#include <memory>

namespace host {

// The folder of the running executable (overridable for tests).
QString ExeFolder();
void SetExeFolder(const QString& folder);

// The path a Windows-style library name maps to.
QString MapLibraryPath(const QString& windowsName);

// Loads the library; null (and a logged reason) when it is absent or fails to load.
// The library is unloaded when the returned handle is destroyed.
std::unique_ptr<QLibrary> LoadLibrary_main(const QString& windowsName);

} // namespace host
