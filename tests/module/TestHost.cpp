#include "TestHost.h"

#include "SrodowiskoHosta.h"

#include "chartwin/TOknoKXMDIChild.h"
#include "host/Biblioteki.h"
#include "host/HostMessages.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QCoreApplication>

#include <algorithm>

TestHost::TestHost() {
    host::SetMainForm(this);
}

TestHost::~TestHost() {
    for (QWidget* w : okna)
        delete w;
    okna.clear();
    dostarcz();
    host::SetMainForm(nullptr);
}

QLibrary* TestHost::zaladuj() {
    auto lib =
        std::make_unique<QLibrary>(host::MapLibraryPath(QStringLiteral("dane\\Korvix\\Child.dll")));
    if (!lib->load()) return nullptr;
    QLibrary* p = lib.get();
    instancje[reinterpret_cast<kx::HostTag>(p)] = std::move(lib);
    return p;
}

QWidget* TestHost::otworz(int idt, int tryb, bool sprawdz_rodzaj) {
    QLibrary* lib = zaladuj();
    if (!lib) return nullptr;
    fn<kx::Execute_fn>(lib, "_Execute")(nullptr, tryb);
    QWidget* w = fn<kx::CreateChild_fn>(lib, "_CreateChild")(nullptr, sprawdz_rodzaj, true, 0);
    if (!w) return nullptr;
    okna.push_back(w);
    // The window is a product window: its operations go through the virtual table.
    static_cast<TOknoKXMDIChild*>(w)->SetTag(reinterpret_cast<kx::HostTag>(lib));
    // The chart-list row of the host's calling order.
    host::Query wiersz(QStringLiteral(
        "select km_pocz, km_kon, id_s, data, id_k, kat_rozp, zespol, adnotacje, rodzaj, typ_dnia, "
        "km_obl, ps, cyfrowy, status, id_konwojenta, id_konwojenta2, nieczytelna, blad_obsl_t, "
        "niekompletne, przerysowana, status_tacho, czy_reczna, kilka_wykr, nieprawidlowa, "
        "niezgodnosc_cz, brak_wr, wirtualne_przem from tacho where id_t = :idt"));
    wiersz.setParam(QStringLiteral("idt"), idt);
    wiersz.open();
    fn<kx::Ustaw_Child_fn>(lib, "_Ustaw_Child")(w, idt, QStringLiteral("Tarcza %1").arg(idt),
                                                &wiersz);
    return w;
}

void TestHost::dostarcz() {
    // Messages posted while others are handled (a destructor's 0x7EF) come in the next round.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents();
}

std::vector<unsigned> TestHost::numery() const {
    std::vector<unsigned> n;
    for (const Komunikat& k : komunikaty)
        n.push_back(k.msg);
    return n;
}

bool TestHost::event(QEvent* e) {
    if (e->type() != host::HostMessageEvent::eventType()) return QObject::event(e);
    auto* m = static_cast<host::HostMessageEvent*>(e);
    komunikaty.push_back({m->msg, m->wParam});
    m->accept();
    if (m->msg == kx::kMsgUstawiono) {
        // A window the module made itself (another chart of the driver) is the host's to keep.
        auto* w = reinterpret_cast<QWidget*>(m->wParam);
        if (std::find(okna.begin(), okna.end(), w) == okna.end()) okna.push_back(w);
    } else if (m->msg == kx::kMsgZamknij && usuwaj_na_zamkniecie) {
        auto* w = reinterpret_cast<QWidget*>(m->wParam);
        // A posted close request may name a window already gone.
        auto it = std::find(okna.begin(), okna.end(), w);
        if (it != okna.end()) {
            okna.erase(it);
            delete w;
        }
    } else if (m->msg == kx::kMsgZwolnijModul) {
        auto it = instancje.find(static_cast<kx::HostTag>(m->wParam));
        if (it != instancje.end()) {
            // Dropping the handle ends this instance; the file stays mapped for the process
            // (the test's other windows may still run its code).
            instancje.erase(it);
            ++zwolnione;
        }
    }
    return true;
}

int dodaj_tarcze(int typ_dnia, int cyfrowy) {
    TarczaReczna t;
    t.typ_dnia = typ_dnia;
    t.cyfrowy = cyfrowy;
    return dodajTarczeReczna(t);
}

int ile_wierszy_sesji(int idt) {
    host::Query q(QStringLiteral(
        "select count(*) as ile from sesja where id_ = :id_ and nazwa_dll = 'lista_tacho.dll'"));
    q.setParam(QStringLiteral("id_"), idt);
    q.open();
    return q.asInteger(QStringLiteral("ile"));
}
