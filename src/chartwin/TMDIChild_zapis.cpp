// Saving from the chart window: the header values from the controls, the checks, the writes
// in one transaction (activity/ZapisTarczy), then what the window and the host do after a
// save that completed. Deleting the stored chart and closing.

#include "chartwin/TMDIChild.h"

#include "activity/ZapisTarczy.h"
#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/TComboPopup.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"
#include "module/KxAbi.h"

#include <QCoreApplication>

namespace {

std::intptr_t jako_param(QWidget* w) {
    return reinterpret_cast<std::intptr_t>(w);
}

std::optional<int> liczba_pola(const QLineEdit* pole) {
    bool ok = false;
    const int v = pole->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

int id_wyboru(const QComboBox* box) {
    return std::max(0, host::TComboPopup::WybraneId(box));
}

// The user setting that lets a user edit closed charts, asked of the host's data library;
// without the library the user keeps editing (nothing the user could do is taken away).
bool wolno_edytowac_zamkniete() {
    const auto dane = host::LoadLibrary_main(QStringLiteral("dane.dll"));
    if (!dane) return true;
    using Fn = QVariant (*)(const QString&);
    const auto pobierz = reinterpret_cast<Fn>(dane->resolve("_PobierzUstawIdU"));
    return !pobierz || pobierz(QStringLiteral("edycja_zamknietych_tacho")).toBool();
}

} // namespace

NaglowekTarczy TMDIChild::naglowek_zapisu() const {
    NaglowekTarczy n;
    n.id_tarczy = id_tarczy;
    n.istnieje = id_tarczy > 0;
    if (data_tacho->date().isValid()) n.data = host::TDateTime::fromDate(data_tacho->date());
    n.kierowca = kierowca->currentText();
    n.pojazd = nr_rej->currentText();
    n.id_k = id_wyboru(kierowca);
    n.id_k_zapisany = id_tarczy > 0 ? id_k_tarczy : n.id_k;
    n.id_s = id_wyboru(nr_rej);
    n.id_konwojenta = id_wyboru(konwojent);
    n.id_konwojenta2 = id_wyboru(konwojent2);
    n.km_pocz = liczba_pola(km_od);
    n.km_kon = liczba_pola(km_do);
    n.km_obl = suma_km->text().trimmed().toInt();
    n.rodzaj = std::max(0, typy->currentIndex());
    // A free day added by option keeps its kind; the window counts it as a scanned day.
    n.typ_dnia = typ_dnia_tag == 6 ? 6 : rodzaj_dnia;
    n.status = cb_status->property("Tag").toInt();
    n.ps = ps->isChecked() ? 1 : 0;
    n.zespol = zaloga->isChecked() ? 1 : 0;
    if (const int s = id_wyboru(status_tarczy); s > 0) n.status_tacho = s;
    n.status_tarczy = status_tarczy->currentText();
    n.adnotacje = adnotacje->toPlainText();
    n.x0 = int(srodek_x);
    n.y0 = int(srodek_y);
    n.pocz_sr_godz = pocz_sr_godz;
    n.nieczytelna = cb1->isChecked();
    n.blad_obsl_t = cb2->isChecked();
    // Boxes 1..7 are bits 1..7; box 8 is 256 (as the opening reads them back).
    const std::array<QCheckBox*, 8> pola = {cb3_1, cb3_2, cb3_3, cb3_4, cb3_5, cb3_6, cb3_7, cb3_8};
    for (std::size_t i = 0; i < 7; ++i)
        if (pola[i]->isChecked()) n.niekompletne |= 1 << (i + 1);
    if (cb3_8->isChecked()) n.niekompletne |= 256;
    n.przerysowana = cb5->isChecked();
    n.brak_wr = cb6->isChecked();
    n.kilka_wykr = cb7->isChecked();
    n.nieprawidlowa = cb8->isChecked();
    n.niezgodnosc_cz = cb9->isChecked();
    n.wirtualne_przem = miDodajBladWirtuPrzemiesz->isChecked();
    n.czy_reczna = czy_reczna;
    n.id_u = host::AktIdU();
    // Only a scan is stored: a blank disc standing in for none would hide that it is missing.
    if (!czy_reczna && !obraz_zastepczy && !Image1->Bitmap().empty()) n.obraz = &Image1->Bitmap();
    n.katalog_obrazow = katalog_obrazow();
    // The speed-trace ranges are the window's speed-excess list, read from pv at opening or
    // by the reading: saved back as they are, or a save would drop them.
    for (const analysis::PrzekroczeniePredkosci& p : przekroczenia)
        n.pv.push_back({p.kat_od, p.kat_do, p.flaga});
    if (id_tarczy > 0) n.figury_przy_otwarciu = figury_otwarcia;
    return n;
}

void TMDIChild::zap1Click() {
    zapis_nieudany = 1;
    // A save that did not complete leaves zap1 enabled: save-and-close and the close question
    // keep the window open with the user's edits.
    const auto nie_zapisano = [this] {
        zap1->setEnabled(true);
        zap_zam->setEnabled(true);
    };
    const NaglowekTarczy n = naglowek_zapisu();
    std::vector<TarczaDoOtwarcia> do_otwarcia;
    try {
        if (!sprawdz_przed_zapisem(n, *lista, &do_otwarcia).isEmpty()) {
            for (const TarczaDoOtwarcia& t : do_otwarcia)
                otworz_inna_tarcze(t.id_t, t.cyfrowy);
            return nie_zapisano();
        }
    } catch (const std::exception& e) {
        // A check that cannot read the database writes nothing.
        host::InfoBox(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Nie_zap_tacho")),
                      host::MB_OK, this);
        qWarning("TMDIChild: save checks failed: %s", e.what());
        return nie_zapisano();
    }
    // On failure the message was shown and the list and points keep the edits.
    const WynikZapisu w = ZapisTarczy(n, *lista, *punkty_spec).zapisz();
    if (!w.zapisano) return nie_zapisano();
    zapis_nieudany = 0;
    po_zapisie(n, w.id_tarczy);
}

void TMDIChild::po_zapisie(const NaglowekTarczy& n, int id_zapisanej) {
    const QString ogon =
        QStringLiteral(". Data %1. Kierowca %2. Pojazd %3. ID %4")
            .arg(n.data.date().toString(QStringLiteral("yyyy-MM-dd")), n.kierowca, n.pojazd)
            .arg(id_zapisanej);
    lista->zapisz_log(QStringLiteral("Po zapisie wykresowki") + ogon);
    lista->zapisz_log(QStringLiteral("Usuwanie wykresówki z bufora"));
    lista->zapisz_log(QStringLiteral("Message 136"));
    host::SendMessage(kx::kMsgZapisano, jako_param(this), id_zapisanej);
    QCoreApplication::processEvents();
    lista->zapisz_log(QStringLiteral("Message 135"));
    host::SendMessage(kx::kMsgPoZapisie, jako_param(this), id_zapisanej);
    QCoreApplication::processEvents();
    lista->zapisz_log(QStringLiteral("Przed finalizacją zapisu. CzyZapisac=1"));
    lista->zapisz_log(QStringLiteral("Finalizacja zapisu (lok, ins, upd)"));

    id_tarczy = id_zapisanej;
    wczytana = 1;
    // The stored periods are now registered with this crew; the next save compares with them.
    id_k_tarczy = n.id_k;
    id_konwojenta_tarczy = n.id_konwojenta;
    id_konwojenta2_tarczy = n.id_konwojenta2;
    id_s_tarczy = n.id_s;
    figury_otwarcia = figury_zdarzen(*lista);
    lista->zmiana = 0;
    zmieniony = 0;
    zap1->setEnabled(false);
    zap_zam->setEnabled(false);
    if (n.status == 1 && !wolno_edytowac_zamkniete()) tylko_do_odczytu();
    bUsunZamknij->setVisible(rekord_hosta == nullptr);

    host::OdswiezListeTarczDni();
    lista->zapisz_log(QStringLiteral("Po finalizacji zapisu"));
    lista->zapisz_log(QStringLiteral("Odswiezenie naglowka zakladki"));
    setWindowTitle(podpis_tarczy());
    if (mdi_child) host::SendMessage(kx::kMsgUstawiono, jako_param(this), 0);
    lista->zapisz_log(QStringLiteral("############# KONIEC ############# (zapisu wykresowki)"));
}

QString TMDIChild::podpis_tarczy() const {
    return QStringLiteral("%1 %2 (%3)")
        .arg(data_tacho->date().toString(QStringLiteral("yyyy-MM-dd")), kierowca->currentText())
        .arg(id_tarczy)
        .simplified();
}

void TMDIChild::bUsunZamknijClick() {
    bool usunieto = false;
    if (const auto lib = host::LoadLibrary_main(QStringLiteral("dane\\Korvix\\lista_tacho.dll"))) {
        using Fn = bool (*)(int);
        if (const auto usun = reinterpret_cast<Fn>(lib->resolve("_UsunTarcze")))
            usunieto = usun(id_tarczy);
    }
    if (!usunieto) {
        raise();
        activateWindow();
        return;
    }
    host::OdswiezListeTarczDni();
    // Nothing is left to save: close without the save question.
    if (zap1->isEnabled()) zap1->setEnabled(false);
    zap_zam->setEnabled(false);
    Button6Click();
}
