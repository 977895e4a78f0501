// Header data: the driver, co-driver and vehicle boxes, filled for the chart date with the
// active-firm filters, the driver's default vehicle and co-drivers, and the fleet editors.

#include "chartwin/TMDIChild.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/Flota.h"
#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/TComboPopup.h"
#include "host/TDateTime.h"
#include "host/Uprawnienia.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

using host::TComboPopup;

namespace {

QVariant ustawienie_all(const char* nazwa) {
    return host::GetZm(QLatin1String(nazwa), QStringLiteral("ALL"));
}

// The active firm when the list is limited to it, else 0.
int filtr_firmy(const char* filtracja) {
    return ustawienie_all(filtracja).toBool() ? ustawienie_all("aktywna_firma").toInt() : 0;
}

// Adds the item when its id is missing; returns its index.
int dodaj_brakujacy(QComboBox* box, int id, const QString& tekst) {
    int i = TComboPopup::Znajdz(box, id);
    if (i >= 0) return i;
    box->addItem(tekst, id);
    return box->count() - 1;
}

int firma_kierowcy(int id) {
    host::Query q(QStringLiteral("select id_f from kierowca where id_k = :id_k"));
    q.setParam(QStringLiteral("id_k"), id);
    q.open();
    return q.Eof() ? 0 : q.asInteger(QStringLiteral("id_f"));
}

void wybierz(QComboBox* box, int id) {
    box->setCurrentIndex(id == 0 ? -1 : TComboPopup::Znajdz(box, id));
}

} // namespace

void TMDIChild::wypelnij_konwojenta(QComboBox* box, const QDate& dzien, int firma) {
    const int zapamietany = TComboPopup::WybraneId(box);
    host::Query q = host::KierowcyZatrudnieni(dzien, host::AktIdU());
    {
        const QSignalBlocker cicho(box);
        TComboPopup::InitComboSam(box, q, QStringLiteral("id_k"), QStringLiteral("nazwisko_imie"),
                                  firma, true);
        const int zapisany = box == konwojent ? id_konwojenta_tarczy : id_konwojenta2_tarczy;
        if (wczytana && zapisany > 0) dodaj_brakujacy(box, zapisany, host::ZwrocKierowce(zapisany));
        wybierz(box, zapamietany);
        if (box->currentIndex() >= 0) return;
        box->setCurrentIndex(0);
    }
    if (zapamietany != 0)
        host::InfoBox(host::LoadResstrings(QStringLiteral("Resstrings_IDS_konwojent_nie_zatr")),
                      host::MB_OK, this);
}

void TMDIChild::wypelnij_kierowcow(const QDate& dzien) {
    const int firma = filtr_firmy("filtracja_kierowcow");
    const int zapamietany = TComboPopup::WybraneId(kierowca);
    host::Query q(QStringLiteral("select distinct id_k, nazwisko_imie, id_f\n"
                                 "from VListaKierAll\n"
                                 "order by nazwisko_imie"));
    {
        const QSignalBlocker cicho(kierowca);
        TComboPopup::InitComboSam(kierowca, q, QStringLiteral("id_k"),
                                  QStringLiteral("nazwisko_imie"), firma, false);
        if (wczytana && id_k_tarczy > 0)
            dodaj_brakujacy(kierowca, id_k_tarczy, host::ZwrocKierowce(id_k_tarczy));
        wybierz(kierowca, zapamietany);
    }
    kierowcaChange(nullptr);
    edytuj_kier->setEnabled(kierowca->currentIndex() >= 0);
    // A driver of another firm than the active one is not reported: the filter left him out.
    if (zapamietany != 0 && kierowca->currentIndex() < 0) {
        const int aktywna = ustawienie_all("aktywna_firma").toInt();
        const int jego = firma_kierowcy(zapamietany);
        if (aktywna == 0 || jego == 0 || jego == aktywna)
            host::InfoBox(host::LoadResstrings(QStringLiteral("Resstrings_IDS_kier_nie_zatr")),
                          host::MB_OK, this);
    }
    wypelnij_konwojenta(konwojent, dzien, firma);
    wypelnij_konwojenta(konwojent2, dzien, firma);
}

void TMDIChild::wypelnij_samochody() {
    const int zapamietany = TComboPopup::WybraneId(nr_rej);
    host::Query q(QStringLiteral("select id as id_s, nr_rej, id_f\n"
                                 "from VListaSam \n"
                                 "where (czy_maly = 0 or czy_maly is null)\n"
                                 "order by nr_rej"));
    {
        const QSignalBlocker cicho(nr_rej);
        TComboPopup::InitComboSam(nr_rej, q, QStringLiteral("id_s"), QStringLiteral("nr_rej"),
                                  filtr_firmy("filtracja_samochodow"), true);
        if (wczytana && id_s_tarczy > 0)
            dodaj_brakujacy(nr_rej, id_s_tarczy, host::ZwrocSamochod(id_s_tarczy));
        nr_rej->setCurrentIndex(std::max(0, TComboPopup::Znajdz(nr_rej, zapamietany)));
    }
    nr_rejSelect();
}

void TMDIChild::kierowcaChange(QObject* nadawca) {
    kierowca1->setText(kierowca->currentText());
    (void)nadawca; // the error description follows the driver once it exists
}

void TMDIChild::kierowcaCloseUp() {
    oznacz_zmiane();
    const int id = TComboPopup::WybraneId(kierowca);
    if (id == 0) return;
    host::Query q(QStringLiteral("SELECT k.domyslny_sam, s.nr_rej from kierowca AS k left join "
                                 "samochod as s on s.id_s = k.domyslny_sam where id_k=:idk"));
    q.setParam(QStringLiteral("idk"), id);
    q.open();
    if (!q.Eof() && q.asInteger(QStringLiteral("domyslny_sam")) > 0) {
        const QSignalBlocker cicho(nr_rej);
        nr_rej->setCurrentIndex(dodaj_brakujacy(nr_rej, q.asInteger(QStringLiteral("domyslny_sam")),
                                                q.asString(QStringLiteral("nr_rej"))));
    }
    edytuj_kier->setEnabled(kierowca->isEnabled());
    nr_rejSelect();
    const host::Konwojenci k = host::ZwrocKonwojenta(id);
    const std::pair<QComboBox*, std::pair<int, QString>> pary[] = {
        {konwojent, {k.id1, k.nazwisko1}}, {konwojent2, {k.id2, k.nazwisko2}}};
    for (const auto& [box, konw] : pary) {
        if (konw.first == 0) continue;
        const QSignalBlocker cicho(box);
        box->setCurrentIndex(dodaj_brakujacy(box, konw.first, konw.second));
    }
}

void TMDIChild::konwojentSelect() {
    oznacz_zmiane();
}

void TMDIChild::nr_rejSelect() {
    edytuj_sam->setEnabled(nr_rej->currentIndex() > 0 && nr_rej->isEnabled());
    nr_rejChange();
}

void TMDIChild::nr_rejChange() {
    nr_rej1->setText(nr_rej->currentText());
}

void TMDIChild::nr_rejCloseUp() {
    oznacz_zmiane();
    wypelnij_kierowcow(data_tacho->date());
    nr_rejSelect();
}

namespace {

// The host's record editor: its full fleet module when the user may use it and it is there,
// else the fleet record editor of the data libraries.
int edytuj_rekord(const QString& modul, const QString& edytor, int id, QWidget* okno) {
    if (host::SprawdzUpr(modul) > 0 && host::LoadLibrary_main(modul))
        return host::NewRecordKomunikaty(modul, modul, id, okno);
    const QString plik = edytor.section(QLatin1Char('\\'), -1);
    return host::NewRecordKomunikaty(edytor, plik, id, okno);
}

} // namespace

void TMDIChild::dodaj_kierClick() {
    const int id = edytuj_rekord(QStringLiteral("kierowca.dll"),
                                 QStringLiteral("dane\\Flota\\pracownik.dll"), 0, this);
    wypelnij_kierowcow(data_tacho->date());
    if (id > 0) {
        wybierz(kierowca, id);
        kierowcaChange(nullptr);
        edytuj_kier->setEnabled(kierowca->currentIndex() >= 0);
    }
    raise();
    activateWindow();
}

void TMDIChild::edytuj_kierClick() {
    const int wybrany = TComboPopup::WybraneId(kierowca);
    if (wybrany == 0) return;
    edytuj_rekord(QStringLiteral("kierowca.dll"), QStringLiteral("dane\\Flota\\pracownik.dll"),
                  wybrany, this);
    wypelnij_kierowcow(data_tacho->date());
    raise();
    activateWindow();
}

void TMDIChild::dodaj_samClick() {
    const int id = edytuj_rekord(QStringLiteral("samochod.dll"),
                                 QStringLiteral("dane\\Flota\\samochody.dll"), 0, this);
    wypelnij_samochody();
    if (id > 0) {
        nr_rej->setCurrentIndex(std::max(0, TComboPopup::Znajdz(nr_rej, id)));
        nr_rejSelect();
    }
    raise();
    activateWindow();
}

void TMDIChild::edytuj_samClick() {
    const int wybrany = TComboPopup::WybraneId(nr_rej);
    if (wybrany == 0) return;
    edytuj_rekord(QStringLiteral("samochod.dll"), QStringLiteral("dane\\Flota\\samochody.dll"),
                  wybrany, this);
    wypelnij_samochody();
    raise();
    activateWindow();
}
