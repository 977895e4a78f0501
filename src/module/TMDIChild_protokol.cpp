// What the host's calls do to a window: setting a chart, the open-chart row, refreshing
// from the host record, clearing, and closing after a save.

#include "chartwin/TMDIChild.h"

#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/Sesja.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QFont>
#include <QPainter>

#include <cmath>

namespace {

const QString kNazwaDll = QStringLiteral("lista_tacho.dll");

bool ustawienie_all(const char* nazwa) {
    return host::GetZm(QLatin1String(nazwa), QStringLiteral("ALL")).toBool();
}

std::intptr_t jako_param(QWidget* w) {
    return reinterpret_cast<std::intptr_t>(w);
}

} // namespace

void TMDIChild::wpisz_wiersz_sesji(std::int32_t idt) {
    if (!ustawienie_all("cb_run_session")) return;
    // A database that refuses the row costs the user nothing: the row only tells other
    // users that the chart is open.
    try {
        host::ZapiszWierszSesji(kNazwaDll, idt, host::AktIdU());
    } catch (const std::exception& e) {
        qWarning("TMDIChild: open-chart row not written: %s", e.what());
    }
}

void TMDIChild::usun_wiersz_sesji() {
    if (!ustawienie_all("cb_run_session")) return;
    if (ustawienie_all("cb_save_session_closing") && ustawienie_all("cb_save_session")) return;
    try {
        host::UsunWierszSesji(kNazwaDll, id_tarczy, host::AktIdU());
    } catch (const std::exception&) {
        // The row is advisory; a failure must not stop the window going away.
    }
}

void TMDIChild::ustaw(std::int32_t tryb_modulu, std::int32_t idt, const QString& podpis,
                      host::Query* wiersz) {
    PageControl->setCurrentWidget(zak_dane_pod);
    wpisz_wiersz_sesji(idt);
    tryb_otwarcia = tryb_modulu;
    wczytana = 1;
    id_tarczy = idt;
    setWindowTitle(podpis);
    if (mdi_child) host::SendMessage(kx::kMsgUstawiono, jako_param(this), 0);
    if (wiersz && !wiersz->Eof()) typ_dnia_tag = wiersz->asInteger(QStringLiteral("typ_dnia"));
    otworz_tarcze(idt, wiersz);
}

void TMDIChild::odswiez_bufor(kx::KxRekordHosta* rekord) {
    rekord_hosta = rekord;
    if (!rekord) return;
    nr_skanu = rekord->nr_skanu;
    const int k = kierowca->findData(rekord->id_k);
    kierowca->setCurrentIndex(k);
    kierowcaChange(nullptr);
    const int s = nr_rej->findData(rekord->id_s);
    nr_rej->setCurrentIndex(s);
    nr_rejSelect();
    if (rekord->data > 0) data_tacho->setDate(host::TDateTime(rekord->data).date());
    data_tachoChange(nullptr);
    if (PageControl->currentWidget() != zak_dane_pod) PageControl->setCurrentWidget(zak_dane_pod);
}

void TMDIChild::zamknij_po_zapisie() {
    zap1Click();
    if (zap1->isEnabled()) {
        zapis_nieudany = 1;
        return;
    }
    Button6Click();
}

void TMDIChild::Button6Click() {
    if (mdi_child) {
        FormClose();
        host::PostMessage(kx::kMsgZamknij, jako_param(this), 0);
    } else {
        close();
    }
}

void TMDIChild::wyczysc() {
    zap1->setEnabled(false);
    zap_zam->setEnabled(false);
    lista = std::make_unique<Lista_zdarz>();
    przekroczenia.clear();
    punkty_spec = std::make_unique<lista_rozladunkow>();
    punkty_spec_cofnij = std::make_unique<lista_rozladunkow>();
    zdarz_grid->clearSelection();
    lb->clear();
    srodek_x = srodek_y = float(promien_nom);
    id_tarczy = 0;
    zmieniony = 0;
    for (QCheckBox* c : panel_bledy->findChildren<QCheckBox*>())
        c->setChecked(false);
    miDodajBladWirtuPrzemiesz->setChecked(false);
    for (QPlainTextEdit* m : edycja_tacho_opis_frame->findChildren<QPlainTextEdit*>())
        m->clear();
    for (QLineEdit* e : panel_bledy->findChildren<QLineEdit*>())
        e->clear();
    km_od->clear();
    km_do->clear();
    status_tarczy->setCurrentIndex(-1);
    cb_status->setProperty("Tag", 0);
    cb_statusClick(nullptr);
    sciezkaedit->clear();
    // The empty chart on screen: no periods in the grid, a zero summary, the bare disc.
    lista->ustaw_okno(&Image2->Bitmap(), &Image1->Bitmap());
    wypelnij_zdarz_grid();
    pokaz_podsumowanie();
    lista->rysuj_zdarzenia();
    Image2->Changed();
}

host::Bitmap32 TMDIChild::wytnij_tarcze(const host::Bitmap32& arkusz, const kx::KxRect& zrodlo,
                                        int promien, double obrot) {
    const int bok = std::max(1, 2 * promien);
    host::Bitmap32 wynik(bok, bok, host::clWhite32);
    QPainter p(&wynik.image());
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.translate(promien, promien);
    p.rotate(obrot);
    p.translate(-promien, -promien);
    const QRectF zr(zrodlo.Left, zrodlo.Top, zrodlo.Right - zrodlo.Left,
                    zrodlo.Bottom - zrodlo.Top);
    if (!arkusz.empty() && zr.width() > 0 && zr.height() > 0)
        p.drawImage(QRectF(0, 0, bok, bok), arkusz.image(), zr);
    return wynik;
}

void TMDIChild::otworz_z_arkusza(const kx::TarczaZArkusza& t, std::int32_t tryb_modulu,
                                 const std::function<void()>& pokaz,
                                 const std::function<void()>& zamknij) {
    tryb_otwarcia = tryb_modulu != 0 ? kx::kTrybNowa : kx::kTrybZArkusza;
    wczytana = 0;
    if (t.kilka_tarcz) {
        promien_nom = t.promien;
        srednica_nom = 2 * t.promien;
    }
    srodek_x =
        float(t.srodek_x - t.promien >= 0 ? t.promien
                                          : (t.srodek_x - t.lewo) - (t.polowa_boku - t.promien));
    srodek_y =
        float(t.srodek_y - t.promien >= 0 ? t.promien
                                          : (t.srodek_y - t.gora) - (t.polowa_boku - t.promien));

    const double obrot = (t.selektor_obrotu == 0 ? 180.0 : 90.0) + t.kat;
    if (t.arkusz) {
        for (ImgView32* v : {Image2, Image4, Image1}) {
            v->Bitmap() = wytnij_tarcze(*t.arkusz, t.zrodlo, t.promien, obrot);
            v->Changed();
        }
    }
    kat24 = 180.0f;

    if (t.arkusz && !t.arkusz->empty()) {
        QPainter p(&t.arkusz->image());
        QFont f(QString::fromLatin1("Arial"), 40); // not a literal: font caches outlive the module
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(255, 0, 0, 255));
        p.drawText(QRect(t.srodek_x - 200, t.srodek_y - 100, 400, 200), Qt::AlignCenter,
                   QString::number(t.nr_tarczy + 1));
    }

    setWindowTitle(t.podpis);
    if (t.kilka_tarcz && rekord_hosta) {
        const kx::KxRekordHosta& r = *rekord_hosta;
        QString tytul = r.opis1;
        if (!r.opis2.isEmpty()) tytul += QLatin1Char(' ') + r.opis2;
        if (r.data != 0.0)
            tytul += QLatin1Char(' ') + host::FormatDateTime(QStringLiteral("yyyy-mm-dd"), r.data);
        if (tytul.trimmed().isEmpty())
            tytul = host::LoadResstrings(QStringLiteral("Resstrings_IDS_wykresowka"));
        setWindowTitle(QStringLiteral("* ") + tytul);
        host::SendMessage(kx::kMsgUstawiono, jako_param(this), 0);
    }

    double start =
        (t.kilka_tarcz && rekord_hosta)
            ? rekord_hosta->minuty_startu / 1440.0
            : host::GetZm(QStringLiteral("czas_od"), QStringLiteral("KX")).toDouble() / 1440.0;
    if (t.czas_od > -1.0) {
        start = t.czas_od;
        czas_podany = 1;
    }
    if (lista) lista->ustaw_kat_rozp((start - std::floor(start)) * 360.0 + 180.0);

    for (QWidget* b : {static_cast<QWidget*>(pop_dzien), static_cast<QWidget*>(nast_dzien),
                       static_cast<QWidget*>(pop_dzien1), static_cast<QWidget*>(nast_dzien1)})
        b->setEnabled(false);

    pokaz();

    if (!t.kilka_tarcz) {
        if (t.id_s > 0)
            nr_rej->setCurrentIndex(nr_rej->findData(t.id_s));
        else if (t.id_s == 0)
            bez_samochodu = 1;
        if (t.id_k == 0)
            bez_kierowcy = 1;
        else if (t.id_k > 0)
            kierowca->setCurrentIndex(kierowca->findData(t.id_k));
        if (t.data > 0) data_tacho->setDate(host::TDateTime(std::floor(t.data)).date());
        if (t.km_od > 0) km_od->setText(QString::number(t.km_od));
        if (t.km_do > 0) km_do->setText(QString::number(t.km_do));
    }
    if (!t.plik_zrodlowy.isEmpty()) plik_zrodlowy = t.plik_zrodlowy;
    if (t.ile_zamknij > 0) {
        ile_zamknij = t.ile_zamknij;
        zamknij();
    }
}
