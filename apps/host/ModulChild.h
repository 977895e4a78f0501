#pragma once
// The chart module libChild.so as the host application loads it: one counted load of the file
// per window (host::LoadLibrary_main), the entry points of the calling order resolved from it.
//
// Windows made from one file share one QLibrary, so the host tag of every such window is the
// same pointer. A window's 0x7EF releases one handle of its tag; the file is unloaded only when
// no window made from it is left. Unloading per window would unmap code that the other
// windows of the file still run.

#include "module/KxAbi.h"

#include <QLibrary>
#include <QString>

#include <map>
#include <memory>

class ModulChild {
public:
    // The entry points the host calls; all resolved, or the instance is not given out.
    struct Instancja {
        QLibrary* biblioteka = nullptr;
        kx::HostTag tag = 0;
        kx::Execute_fn Execute = nullptr;
        kx::CreateChild_fn CreateChild = nullptr;
        kx::Ustaw_Child_fn Ustaw_Child = nullptr;
        kx::OtworzChild_fn OtworzChild = nullptr;
        kx::Show_fn Show = nullptr;
        kx::CloseChild_fn CloseChild = nullptr;
    };

    // Windows-style name of the module under the executable's folder.
    static QString nazwaModulu();

    // Loads one more handle of the module for a window about to be made. On failure returns
    // false and says which: the file that cannot be loaded (and why) or the entry point it
    // lacks; nothing stays loaded then.
    bool zaladuj(Instancja& wynik, QString& blad);
    // Gives back one handle of the tag: the window's 0x7EF, or a handle that made no window
    // (CreateChild refused). False when the tag holds no handle.
    bool zwolnij(kx::HostTag tag);
    // Releases every handle (the host is closing and its windows are gone).
    void zwolnijWszystkie();

    // Handles held, in total and for one tag.
    int ileUchwytow() const;
    int ileUchwytow(kx::HostTag tag) const;

private:
    std::multimap<kx::HostTag, std::shared_ptr<QLibrary>> uchwyty_;
};
