#pragma once
// The host's persistent settings store behind GetZm / SetZm. Settings are read by name and
// group ("ALL" host-wide, "KX" this module, "ROZ" another module). A key never written reads
// as its documented default (see docs/settings.md), converted to the default's type (bool,
// int, double or text) even when the file holds it as text; an unknown key reads as an
// invalid QVariant. Group and key names are matched without regard to case, as the host's
// Windows settings were ("All" and "ALL" are one group).

#include <QString>
#include <QVariant>

#include <memory>

namespace host {

class Ustawienia {
public:
    // Settings kept in an INI file at path (created on first write); an empty path keeps
    // them in memory only.
    explicit Ustawienia(const QString& path);
    ~Ustawienia();
    Ustawienia(const Ustawienia&) = delete;
    Ustawienia& operator=(const Ustawienia&) = delete;

    // Safe to call from several threads.
    QVariant get(const QString& name, const QString& group) const;
    // Stores the value and writes the file at once; a failed write is logged.
    void set(const QString& name, const QString& group, const QVariant& value);
    QString path() const;

    // The documented default of a key, invalid when the key is unknown. "sciezka_ob" defaults
    // to the host's data folder at the time of the call.
    static QVariant defaultValue(const QString& name, const QString& group);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The store the host application opened for its data folder. Module-wide, as in the host.
// Before the host installs one (and after InstallSettings(nullptr)), a fresh in-memory store
// of defaults answers. The settings library "UstDll" links this same shared library, so its
// reader answers from this store too.
void InstallSettings(std::shared_ptr<Ustawienia> store);
Ustawienia& CurrentSettings();

QVariant GetZm(const QString& name, const QString& group);
void SetZm(const QString& name, const QString& group, const QVariant& value);

// The settings library's reader, as obtained from "UstDll" by name: same contract as GetZm.
// Null when the library is absent; callers then use their own defaults. The library stays
// loaded for the rest of the process once resolved, so the pointer never dangles.
using GetZmFn = QVariant (*)(const QString& name, const QString& group);
GetZmFn Load_GetZm(); // resolves _GetZm from runtime/libUstDll.so, or null

} // namespace host
