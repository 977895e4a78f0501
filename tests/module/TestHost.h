#pragma once
// A scripted host for the chart module: loads the real libChild.so from the runtime tree,
// receives the module's messages as the host's main form and records them, deletes a window
// on 0x491 and releases the module instance named by the tag on 0x7EF, as a host does.

#include "module/KxAbi.h"

#include <QLibrary>
#include <QObject>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

struct Komunikat {
    unsigned msg;
    std::intptr_t wParam;
    bool operator==(const Komunikat&) const = default;
};

class TestHost : public QObject {
public:
    TestHost();
    ~TestHost() override;

    // One module instance loaded per window, as the host's calling order does. Each is its
    // own QLibrary, so each window's tag differs and a test can tell whose tag a 0x7EF
    // carries; tacho-host shares one counted handle per file instead (HostAppTest).
    QLibrary* zaladuj();
    template <typename F> F fn(QLibrary* lib, const char* name) {
        return reinterpret_cast<F>(lib->resolve(name));
    }

    // The calling order for one stored chart: Execute, CreateChild, tag, Ustaw_Child on the
    // chart's row. Null when CreateChild refused.
    QWidget* otworz(int idt, int tryb = kx::kTrybZapisana, bool sprawdz_rodzaj = true);
    // Delivers posted messages (what returning to the event loop does).
    static void dostarcz();
    // Numbers only, in order of arrival.
    std::vector<unsigned> numery() const;

    std::vector<Komunikat> komunikaty;
    std::vector<QWidget*> okna;                                 // alive windows
    std::map<kx::HostTag, std::unique_ptr<QLibrary>> instancje; // loaded instances by tag
    int zwolnione = 0;                                          // instances unloaded on 0x7EF
    bool usuwaj_na_zamkniecie = true;

protected:
    bool event(QEvent* e) override;
};

// A chart added by hand (its rows in tacho and tacho_analog, no picture); returns idt.
int dodaj_tarcze(int typ_dnia = 0, int cyfrowy = 0);
int ile_wierszy_sesji(int idt);
