// The module's entry points: the only symbols libChild.so exports.

#include "chartwin/TMDIChild.h"
#include "module/KxAbi.h"
#include "module/TarczaZArkusza.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Uprawnienia.h"

#define KX_EXPORT extern "C" __attribute__((visibility("default")))

// The file version _GetVersionA reads back from the installed file.
__attribute__((used)) static const char kWersjaPliku[] = "KXFILEVERSION=" TACHO_FILE_VERSION;

namespace {

// Mode for the next windows, set by _Execute.
std::int32_t tryb_modulu = 0;

TMDIChild* okno(QWidget* w) {
    return static_cast<TMDIChild*>(w);
}

void glowna_na_wierzch() {
    if (auto* w = qobject_cast<QWidget*>(host::MainForm())) {
        w->raise();
        w->activateWindow();
    }
}

} // namespace

KX_EXPORT QWidget* _CreateChild(QWidget* owner, bool czy_sprawdz_rodzaj, bool mdi_child,
                                std::int32_t wartosc_hosta) {
    if (czy_sprawdz_rodzaj && host::get_analog_didital(true, false)) {
        glowna_na_wierzch();
        return nullptr;
    }
    try {
        // The host owns the window from here: it deletes an MDI child on 0x491; a free-standing
        // form deletes itself on close.
        auto* w = new TMDIChild(owner, mdi_child);
        w->wartosc_hosta = wartosc_hosta;
        glowna_na_wierzch();
        return w;
    } catch (const analysis::BladKalibracji& e) {
        host::InfoBox(e.komunikat(), host::MB_OK);
        return nullptr;
    }
}

KX_EXPORT void _Execute(QObject*, std::int32_t tryb) {
    tryb_modulu = tryb;
}

KX_EXPORT std::int32_t _Show(QWidget* w) {
    TMDIChild* o = okno(w);
    if (!o->mdi_child && !o->isVisible()) o->show();
    o->FormShow();
    return 0;
}

KX_EXPORT std::int32_t _Ustaw_Child(QWidget* w, std::int32_t idt, const QString& podpis,
                                    host::Query* wiersz) {
    okno(w)->ustaw(tryb_modulu, idt, podpis, wiersz);
    // A chart that could not be opened has asked to be closed: it is not shown.
    if (!okno(w)->otwarcie_nieudane) _Show(w);
    return 0;
}

KX_EXPORT void _OtworzChild(bool kilka_tarcz, QWidget* w, QLibrary* modul, std::int32_t,
                            std::int32_t lewo, std::int32_t gora, std::int32_t selektor_obrotu,
                            std::int32_t, float kat, std::int32_t srodek_x, std::int32_t srodek_y,
                            std::int32_t polowa_boku, std::int32_t promien, host::Bitmap32* arkusz,
                            kx::KxRect prost1, kx::KxRect, std::int32_t nr_tarczy, std::int32_t,
                            const QString& podpis, std::int32_t id_k, std::int32_t id_s,
                            double data, std::int32_t km_od, std::int32_t km_do, double czas_od,
                            std::int32_t ile_zamknij, const QString& plik_zrodlowy) {
    kx::TarczaZArkusza t;
    t.kilka_tarcz = kilka_tarcz;
    t.lewo = lewo;
    t.gora = gora;
    t.selektor_obrotu = selektor_obrotu;
    t.kat = kat;
    t.srodek_x = srodek_x;
    t.srodek_y = srodek_y;
    t.polowa_boku = polowa_boku;
    t.promien = promien;
    t.arkusz = arkusz;
    t.zrodlo = prost1;
    t.nr_tarczy = nr_tarczy;
    t.podpis = podpis;
    t.id_k = id_k;
    t.id_s = id_s;
    t.data = data;
    t.km_od = km_od;
    t.km_do = km_do;
    t.czas_od = czas_od;
    t.ile_zamknij = ile_zamknij;
    t.plik_zrodlowy = plik_zrodlowy;
    // The window is shown and closed through the instance the host named, as the host would.
    auto wywolaj = [modul](const char* nazwa) { return modul ? modul->resolve(nazwa) : nullptr; };
    okno(w)->otworz_z_arkusza(
        t, tryb_modulu,
        [&] {
            if (auto show = reinterpret_cast<kx::Show_fn>(wywolaj("_Show"))) show(w);
        },
        [&] {
            if (auto zamknij = reinterpret_cast<kx::CloseChild_fn>(wywolaj("_CloseChild")))
                zamknij(w, false);
        });
}

KX_EXPORT void _GetModuleName(QString* wynik) {
    *wynik = QStringLiteral("KX");
}

KX_EXPORT void _GetDllCode(QString* wynik) {
    *wynik = QStringLiteral("KX_CW");
}

KX_EXPORT void _GetVersionA(QString* wynik) {
    (void)kWersjaPliku;
    *wynik = host::GetFileVersion(host::MapLibraryPath(QStringLiteral("dane\\Korvix\\child.dll")));
}

KX_EXPORT void _GetNazwaUpr(QByteArray* wynik) {
    *wynik = QByteArray("");
}

KX_EXPORT std::int32_t _CloseChild(QWidget* w, bool wymus) {
    TMDIChild* o = okno(w);
    if (wymus) o->bez_samochodu = o->bez_kierowcy = o->bez_potwierdzenia = 1;
    o->zamknij_po_zapisie();
    return 0;
}

KX_EXPORT void _OdswiezBuf(QWidget* w, kx::KxRekordHosta* rekord) {
    okno(w)->odswiez_bufor(rekord);
}

KX_EXPORT void _ChildCzysc(QWidget* w) {
    okno(w)->wyczysc();
}
