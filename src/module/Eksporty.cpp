// The module's entry points: the only symbols libChild.so exports.

#include "chartwin/TMDIChild.h"
#include "module/KxAbi.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/Uprawnienia.h"
#include "host/Ustawienia.h"

#include <QFont>
#include <QPainter>

#include <cmath>

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
    TMDIChild* o = okno(w);
    o->tryb_otwarcia = tryb_modulu != 0 ? kx::kTrybNowa : kx::kTrybZArkusza;
    o->wczytana = 0;
    if (kilka_tarcz) {
        o->promien_nom = promien;
        o->srednica_nom = 2 * promien;
    }
    o->srodek_x =
        float(srodek_x - promien >= 0 ? promien : (srodek_x - lewo) - (polowa_boku - promien));
    o->srodek_y =
        float(srodek_y - promien >= 0 ? promien : (srodek_y - gora) - (polowa_boku - promien));

    const double obrot = (selektor_obrotu == 0 ? 180.0 : 90.0) + kat;
    if (arkusz) {
        for (ImgView32* v : {o->Image2, o->Image4, o->Image1}) {
            v->Bitmap() = TMDIChild::wytnij_tarcze(*arkusz, prost1, promien, obrot);
            v->Changed();
        }
    }
    o->kat24 = 180.0f;

    if (arkusz && !arkusz->empty()) {
        QPainter p(&arkusz->image());
        QFont f(QString::fromLatin1("Arial"), 40); // not a literal: font caches outlive the module
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(255, 0, 0, 255));
        p.drawText(QRect(srodek_x - 200, srodek_y - 100, 400, 200), Qt::AlignCenter,
                   QString::number(nr_tarczy + 1));
    }

    o->setWindowTitle(podpis);
    if (kilka_tarcz && o->rekord_hosta) {
        const kx::KxRekordHosta& r = *o->rekord_hosta;
        QString t = r.opis1;
        if (!r.opis2.isEmpty()) t += QLatin1Char(' ') + r.opis2;
        if (r.data != 0.0)
            t += QLatin1Char(' ') + host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), r.data);
        if (t.trimmed().isEmpty())
            t = host::LoadResstrings(QStringLiteral("Resstrings_IDS_wykresowka"));
        o->setWindowTitle(QStringLiteral("* ") + t);
        host::SendMessage(kx::kMsgUstawiono, reinterpret_cast<std::intptr_t>(w), 0);
    }

    double start =
        (kilka_tarcz && o->rekord_hosta)
            ? o->rekord_hosta->minuty_startu / 1440.0
            : host::GetZm(QStringLiteral("czas_od"), QStringLiteral("KX")).toDouble() / 1440.0;
    if (czas_od > -1.0) {
        start = czas_od;
        o->czas_podany = 1;
    }
    if (o->lista) o->lista->ustaw_kat_rozp((start - std::floor(start)) * 360.0 + 180.0);

    for (QWidget* b : {static_cast<QWidget*>(o->pop_dzien), static_cast<QWidget*>(o->nast_dzien),
                       static_cast<QWidget*>(o->pop_dzien1), static_cast<QWidget*>(o->nast_dzien1)})
        b->setEnabled(false);

    if (modul)
        if (auto show = reinterpret_cast<kx::Show_fn>(modul->resolve("_Show"))) show(w);

    if (!kilka_tarcz) {
        if (id_s > 0)
            o->nr_rej->setCurrentIndex(o->nr_rej->findData(id_s));
        else if (id_s == 0)
            o->bez_samochodu = 1;
        if (id_k == 0)
            o->bez_kierowcy = 1;
        else if (id_k > 0)
            o->kierowca->setCurrentIndex(o->kierowca->findData(id_k));
        if (data > 0) o->data_tacho->setDate(host::TDateTime(std::floor(data)).date());
        if (km_od > 0) o->km_od->setText(QString::number(km_od));
        if (km_do > 0) o->km_do->setText(QString::number(km_do));
    }
    if (!plik_zrodlowy.isEmpty()) o->plik_zrodlowy = plik_zrodlowy;
    if (ile_zamknij > 0) {
        o->ile_zamknij = ile_zamknij;
        if (modul)
            if (auto zamknij = reinterpret_cast<kx::CloseChild_fn>(modul->resolve("_CloseChild")))
                zamknij(w, false);
    }
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
