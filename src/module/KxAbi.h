#pragma once
// The Linux ABI of the chart module libChild.so, shared by the module and every host that
// loads it. Entry points have C linkage and keep their exported names with the leading
// underscore; arguments that stand for the host's Windows-side types are the Qt types both
// sides link (docs/module-abi.md).

#include <QByteArray>
#include <QString>

#include <cstdint>

class QLibrary;
class QObject;
class QWidget;

namespace host {
class Bitmap32;
class Query;
} // namespace host

namespace kx {

// Messages the module sends or posts to the host's main form (host::SendMessage /
// host::PostMessage). The word parameter is the window (as QWidget*), except for
// kMsgZwolnijModul where it is the window's host tag.
constexpr unsigned kMsgUtworzono = 0x48E;    // posted: an MDI child was constructed
constexpr unsigned kMsgNiszczenie = 0x48F;   // sent: an MDI child is being destroyed
constexpr unsigned kMsgUstawiono = 0x490;    // sent: a chart was set into an MDI child
constexpr unsigned kMsgZamknij = 0x491;      // posted: an MDI child asks to be closed
constexpr unsigned kMsgRozmiar = 0x492;      // sent: an MDI child was resized
constexpr unsigned kMsgZwolnijModul = 0x7EF; // posted: a window is destroyed; unload tag
// Sent after a chart was saved (wParam the window, lParam the chart id): 136 the chart left
// the host's buffer of open charts, 135 the save is finishing.
constexpr unsigned kMsgZapisano = 136;
constexpr unsigned kMsgPoZapisie = 135;

// Opening modes.
constexpr std::int32_t kTrybPodglad = 0;
constexpr std::int32_t kTrybNowa = 1;
constexpr std::int32_t kTrybZapisana = 2;
constexpr std::int32_t kTrybDrugiSamochod = 4;
constexpr std::int32_t kTrybZArkusza = 5;

// A rectangle passed by value (four 32-bit integers).
struct KxRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The host's current scan record, owned by the host; the module keeps a pointer to it and
// never frees it. Only these members are read.
struct KxRekordHosta {
    std::int32_t id_k = 0;           // driver
    std::int32_t id_s = 0;           // vehicle
    QString opis1;                   // first caption part
    QString opis2;                   // second caption part
    double data = 0.0;               // chart date (TDateTime days), 0 = none
    std::int32_t minuty_startu = 0;  // start of the chart, minutes after midnight
    std::int32_t typ_tarczy = 0;     // chart type (item index of typy) of a new chart
    std::int32_t czy_szczeg = 0;     // detailed-chart flag of a new chart
    std::int32_t nr_skanu = 0;       // scan index handed to the period list
    std::int32_t id_konwojenta = 0;  // co-driver
    std::int32_t id_konwojenta2 = 0; // second co-driver
};

// The window handle is the window as QWidget*; the host's module handle is the QLibrary
// through which it loaded the module, and the host tag is that pointer as an integer.
using HostTag = std::uintptr_t;

using CreateChild_fn = QWidget* (*)(QWidget* owner, bool czy_sprawdz_rodzaj, bool mdi_child,
                                    std::int32_t wartosc_hosta);
using Execute_fn = void (*)(QObject* aplikacja, std::int32_t tryb);
using Ustaw_Child_fn = std::int32_t (*)(QWidget* okno, std::int32_t id_t, const QString& podpis,
                                        host::Query* wiersz);
using OtworzChild_fn = void (*)(bool kilka_tarcz, QWidget* okno, QLibrary* modul,
                                std::int32_t nieuzywany4, std::int32_t lewo, std::int32_t gora,
                                std::int32_t selektor_obrotu, std::int32_t nieuzywany8, float kat,
                                std::int32_t srodek_x, std::int32_t srodek_y,
                                std::int32_t polowa_boku, std::int32_t promien,
                                host::Bitmap32* arkusz, KxRect prost1, KxRect prost2,
                                std::int32_t nr_tarczy, std::int32_t nieuzywany18,
                                const QString& podpis, std::int32_t id_k, std::int32_t id_s,
                                double data, std::int32_t km_od, std::int32_t km_do, double czas_od,
                                std::int32_t ile_zamknij, const QString& plik_zrodlowy);
using Show_fn = std::int32_t (*)(QWidget* okno);
using GetString_fn = void (*)(QString* wynik); // _GetModuleName, _GetDllCode, _GetVersionA
using GetNazwaUpr_fn = void (*)(QByteArray* wynik);
using CloseChild_fn = std::int32_t (*)(QWidget* okno, bool wymus);
using OdswiezBuf_fn = void (*)(QWidget* okno, KxRekordHosta* rekord);
using ChildCzysc_fn = void (*)(QWidget* okno);

} // namespace kx
