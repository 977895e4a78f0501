// Header data: the driver's previous or next chart, opened in a window of its own or brought
// to the front when a window already shows it.

#include "chartwin/TMDIChild.h"

#include "activity/SasiedniaTarcza.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/Resstrings.h"
#include "host/TComboPopup.h"
#include "host/TDateTime.h"
#include "host/Uprawnienia.h"
#include "host/db/Query.h"
#include "module/KxAbi.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const QString kModul = QStringLiteral("dane\\Korvix\\Child.dll");
const QString kModulCyfrowy = QStringLiteral("dane\\Korvix\\ChildCyfra.dll");

// Entries of the digital-chart library: the day the next window shows, then the opening mode
// and the window, as the analogue module's own.
using NowyChildCyfr_fn = void (*)(std::int32_t id_t);
using IdzDoDnia_fn = void (*)(QWidget* okno, std::int32_t id_t);

void na_wierzch(QWidget* w) {
    if (auto* ramka = qobject_cast<QMdiSubWindow*>(w->parentWidget()); ramka && ramka->mdiArea())
        ramka->mdiArea()->setActiveSubWindow(ramka);
    w->show();
    w->raise();
    w->activateWindow();
}

// The product window showing this chart, if any: the host's MDI children are product windows
// wherever the host keeps them.
TOknoKXMDIChild* okno_tarczy(int idt) {
    for (QWidget* w : QApplication::allWidgets())
        if (w->inherits("TOknoKXMDIChild"))
            if (auto* p = static_cast<TOknoKXMDIChild*>(w); p->CzyTarcza(idt)) return p;
    return nullptr;
}

// Gives the handle back from the event loop on every way out: released here, the last handle
// would unload the code still running.
struct OddajPozniej {
    std::shared_ptr<QLibrary>& uchwyt;
    ~OddajPozniej() { host::ZwolnijPozniej(std::move(uchwyt)); }
};

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

} // namespace

void TMDIChild::znajdz_dzien_f(QObject* nadawca) {
    const int kierowca_id = host::TComboPopup::WybraneId(kierowca);
    if (kierowca_id == 0) return;
    const bool poprzedni = nadawca == pop_dzien || nadawca == pop_dzien1 || nadawca == actPoprz;
    std::optional<SasiedniaTarcza> s;
    try {
        s = sasiednia_tarcza(kierowca_id, host::TDateTime::fromDate(data_tacho->date()), id_tarczy,
                             poprzedni, czytnik_jezyka ? czytnik_jezyka() : host::GetLanguageId());
    } catch (const std::exception& e) {
        host::InfoBox(QString::fromUtf8(e.what()), host::MB_OK, this);
        return;
    }
    if (!s) return;
    otworz_inna_tarcze(s->id_t, s->cyfrowy);
    if (s->drugi_id_t) otworz_inna_tarcze(s->drugi_id_t, s->drugi_cyfrowy);
    if (ustawienie(QStringLiteral("zamykaj_tarcze"), QStringLiteral("KX"), false).toBool())
        Button6Click();
}

void TMDIChild::otworz_inna_tarcze(int idt, int cyfrowy) {
    if (TOknoKXMDIChild* okno = okno_tarczy(idt)) {
        if (QLatin1String(okno->metaObject()->className()) == QLatin1String("TChildCyfr")) {
            auto* modul = reinterpret_cast<QLibrary*>(okno->GetTag());
            if (auto idz =
                    modul ? reinterpret_cast<IdzDoDnia_fn>(modul->resolve("_IdzDoDnia")) : nullptr)
                idz(okno, idt);
        }
        na_wierzch(okno);
        return;
    }
    const bool cyfr = tarcza_cyfrowa(cyfrowy);
    // The handle keeps the library loaded while the window is made; a host frames the window
    // and takes a handle of its own when it hears of it (0x490).
    std::shared_ptr<QLibrary> lib = host::LoadLibrary_main(cyfr ? kModulCyfrowy : kModul);
    const OddajPozniej oddaj{lib};
    auto wez = [&lib](const char* nazwa) { return lib ? lib->resolve(nazwa) : nullptr; };
    const auto execute = reinterpret_cast<kx::Execute_fn>(wez("_Execute"));
    const auto create = reinterpret_cast<kx::CreateChild_fn>(wez("_CreateChild"));
    const auto nowy = reinterpret_cast<NowyChildCyfr_fn>(wez("_NowyChildCyfr"));
    const auto ustaw_child = reinterpret_cast<kx::Ustaw_Child_fn>(wez("_Ustaw_Child"));
    if (!execute || !create || (cyfr ? !nowy : !ustaw_child)) {
        host::InfoBox(
            R(cyfr ? "Resstrings_IDS_brak_modulu_cyfrowego" : "Resstrings_IDS_brak_modulu")
                .arg(host::MapLibraryPath(cyfr ? kModulCyfrowy : kModul)),
            host::MB_OK, this);
        return;
    }
    if (cyfr) nowy(idt);
    try {
        host::Query wiersz(QStringLiteral(
            "select km_pocz, km_kon, id_s, data, id_k, kat_rozp, zespol, adnotacje, rodzaj, "
            "typ_dnia, km_obl, ps, cyfrowy, status, id_konwojenta, id_konwojenta2, nieczytelna, "
            "blad_obsl_t, niekompletne, przerysowana, status_tacho, czy_reczna, kilka_wykr, "
            "nieprawidlowa, niezgodnosc_cz, brak_wr, wirtualne_przem from tacho where id_t = "
            ":idt"));
        wiersz.setParam(QStringLiteral("idt"), idt);
        wiersz.open();
        if (wiersz.Eof()) return;
        execute(nullptr, host::SprawdzUpr(QStringLiteral("lista_tacho.dll")) > 0 ? 2 : 0);
        QWidget* w =
            create(nullptr, wiersz.asInteger(QStringLiteral("typ_dnia")) == 0, true, cyfrowy);
        if (!w) return;
        if (w->inherits("TOknoKXMDIChild"))
            static_cast<TOknoKXMDIChild*>(w)->SetTag(reinterpret_cast<kx::HostTag>(lib.get()));
        // The window holds a handle of its own: a host that takes none must not see the file
        // unloaded under it.
        if (auto* nowe = qobject_cast<TMDIChild*>(w)) nowe->modul_okna = lib;
        if (!cyfr)
            ustaw_child(w, idt,
                        QStringLiteral("%1 - %2").arg(
                            host::TDateTime(wiersz.asFloat(QStringLiteral("data")))
                                .date()
                                .toString(QStringLiteral("yyyy-MM-dd")),
                            kierowca->currentText()),
                        &wiersz);
        na_wierzch(w);
    } catch (const std::exception& e) {
        host::InfoBox(QString::fromUtf8(e.what()), host::MB_OK, this);
    }
}
