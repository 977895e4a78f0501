// Header data of the chart: the controls' wiring, the changed state, date, crew, type, status
// and annotations with their dictionaries. Drivers and vehicles are in TMDIChild_kierowcy.cpp,
// the odometer in TMDIChild_licznik.cpp, the driver's other days in TMDIChild_dzien.cpp.

#include "chartwin/TMDIChild.h"

#include "activity/Kontrola.h"
#include "host/Kontrolki.h"
#include "host/Resstrings.h"
#include "host/Slowniki.h"
#include "host/TComboPopup.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QTimer>

namespace {

// Clicks into and focus changes of the odometer fields, which the edits do not signal.
class FiltrLicznika : public QObject {
public:
    explicit FiltrLicznika(TMDIChild* okno) : QObject(okno), okno_(okno) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        const bool od = o == okno_->km_od;
        if (e->type() == QEvent::MouseButtonRelease) {
            od ? okno_->km_od_Click() : okno_->km_doClick();
        } else if (e->type() == QEvent::FocusIn && !od) {
            okno_->km_doEnter();
        } else if (e->type() == QEvent::FocusOut && od) {
            okno_->km_od_Exit();
        }
        return false;
    }

private:
    TMDIChild* okno_;
};

int jezyk(const TMDIChild& w) {
    return w.czytnik_jezyka ? w.czytnik_jezyka() : host::GetLanguageId();
}

// The status box: an empty entry, then the dictionary "tarcza_status" by name.
void wczytaj_statusy(TMDIChild& w) {
    host::Query q = host::StatusyTarczy(jezyk(w));
    const int wybrany = host::TComboPopup::WybraneId(w.status_tarczy);
    const QSignalBlocker cicho(w.status_tarczy);
    w.status_tarczy->clear();
    w.status_tarczy->addItem(QString(), 0);
    for (q.open(); !q.Eof(); q.Next())
        w.status_tarczy->addItem(q.asString(QStringLiteral("wartosc")),
                                 q.asInteger(QStringLiteral("id")));
    w.status_tarczy->setCurrentIndex(std::max(0, w.status_tarczy->findData(wybrany)));
}

host::Query lista_grup(const TMDIChild& w) {
    host::Query q(QStringLiteral(
        "select s1.id_slow, s1.id as id, s1.wartosc1 as wartosc, s1.wartosc2 as opis\n"
        "from VListaPozSlownika2 s1 \n"
        "where typ_slownika='tarcza_adnotacje' and id_jezyka=:id_jezyka and nazwa='nazwa' and "
        "nazwa2='opis'\n"
        "order by s1.wartosc1"));
    q.setParam(QStringLiteral("id_jezyka"), jezyk(w));
    return q;
}

// The annotation box: the dictionary "tarcza_adnotacje" by name; the description is appended.
void wczytaj_adnotacje(TMDIChild& w) {
    host::Query q = lista_grup(w);
    const int wybrany = host::TComboPopup::WybraneId(w.adnotacje_tarczy);
    const QSignalBlocker cicho(w.adnotacje_tarczy);
    w.adnotacje_tarczy->clear();
    for (q.open(); !q.Eof(); q.Next())
        w.adnotacje_tarczy->addItem(q.asString(QStringLiteral("wartosc")),
                                    q.asInteger(QStringLiteral("id")));
    w.adnotacje_tarczy->setCurrentIndex(w.adnotacje_tarczy->findData(wybrany));
}

} // namespace

void TMDIChild::polacz_naglowek() {
    host::Pusc_tylko_cyfry(km_od);
    host::Pusc_tylko_cyfry(km_do);
    auto* filtr = new FiltrLicznika(this);
    km_od->installEventFilter(filtr);
    km_do->installEventFilter(filtr);

    // Code sets the date as well as the user: only the user's change marks the chart changed.
    connect(data_tacho, &QDateEdit::dateChanged, this, [this] {
        const auto* kalendarz = data_tacho->findChild<QCalendarWidget*>();
        const bool z_kalendarza = kalendarz && kalendarz->isVisible();
        data_tachoChange(data_tacho->hasFocus() || z_kalendarza ? data_tacho : nullptr);
        if (z_kalendarza) QTimer::singleShot(0, this, [this] { data_tachoCloseUp(); });
    });
    connect(data_tacho, &QDateEdit::editingFinished, this, [this] {
        if (data_tacho->date() != data_tacho->property("data_list").toDate()) data_tachoCloseUp();
    });
    connect(kierowca, &QComboBox::currentIndexChanged, this, [this] { kierowcaChange(kierowca); });
    connect(kierowca, &QComboBox::activated, this, [this] { kierowcaCloseUp(); });
    connect(konwojent, &QComboBox::activated, this, [this] { konwojentSelect(); });
    connect(konwojent2, &QComboBox::activated, this, [this] { konwojentSelect(); });
    connect(nr_rej, &QComboBox::currentIndexChanged, this, [this] { nr_rejChange(); });
    connect(nr_rej, &QComboBox::activated, this, [this] { nr_rejCloseUp(); });
    // Typing marks the chart changed; a reading written by code only updates the check.
    connect(km_od, &QLineEdit::textEdited, this, [this] { km_od_Change(); });
    connect(km_do, &QLineEdit::textEdited, this, [this] { km_doChange(); });
    for (QLineEdit* e : {km_od, km_do})
        connect(e, &QLineEdit::textChanged, this, [this] {
            km_od1->setText(km_od->text());
            km_do1->setText(km_do->text());
            sprawdz_licznik();
        });
    connect(roznica_km, &QLineEdit::textChanged, this, [this] { roznica_kmChange(); });
    connect(zaloga, &QCheckBox::clicked, this, [this] { zalogaClick(); });
    connect(typy, &QComboBox::currentIndexChanged, this, [this] { typyClick(); });
    connect(cb_status, &QToolButton::clicked, this, [this] { cb_statusClick(cb_status); });
    connect(status_tarczy, &QComboBox::activated, this, [this] { cb_statusSelect(); });
    for (QCheckBox* b : {cb1, cb2, cb3_1, cb3_2, cb3_3, cb3_4, cb3_5, cb3_6, cb3_7, cb3_8, cb5, cb6,
                         cb7, cb8, cb9})
        connect(b, &QCheckBox::clicked, this, [this] { cb_statusSelect(); });
    connect(slownik_status, &QToolButton::clicked, this, [this] { slownik_statusClick(); });
    connect(slownik_adnot, &QToolButton::clicked, this, [this] { slownik_adnotClick(); });
    connect(adnotacje, &QPlainTextEdit::textChanged, this, [this] { adnotacjeChange(); });
    connect(BlueButton_dodaj_adnot, &QToolButton::clicked, this,
            [this] { BlueButton_dodaj_adnotClick(); });
    connect(dodaj_kier, &QToolButton::clicked, this, [this] { dodaj_kierClick(); });
    connect(edytuj_kier, &QToolButton::clicked, this, [this] { edytuj_kierClick(); });
    connect(dodaj_sam, &QToolButton::clicked, this, [this] { dodaj_samClick(); });
    connect(edytuj_sam, &QToolButton::clicked, this, [this] { edytuj_samClick(); });
    for (QToolButton* b : {pop_dzien, nast_dzien, pop_dzien1, nast_dzien1})
        connect(b, &QToolButton::clicked, this, [this, b] { znajdz_dzien_f(b); });
    for (QAction* a : {actPoprz, actNast})
        connect(a, &QAction::triggered, this, [this, a] { znajdz_dzien_f(a); });

    try {
        wczytaj_statusy(*this);
        wczytaj_adnotacje(*this);
    } catch (const std::exception& e) {
        // Without the dictionaries the boxes stay empty; the chart can still be worked on.
        qWarning("Header dictionaries not read: %s", e.what());
    }
    cb_statusClick(nullptr);
}

void TMDIChild::data_tachoChange(QObject* nadawca) {
    data_tacho1->setText(data_tacho->date().toString(data_tacho->displayFormat()));
    if (!nadawca || ladowanie) return;
    if (punkty_spec)
        punkty_spec->przelicz_czasy(host::TDateTime::fromDate(data_tacho->date()), kat24,
                                    lista ? lista->kat_rozp : 0.0);
    kontrolujClick();
    oznacz_zmiane();
    if (lista) lista->zmiana = 1;
}

void TMDIChild::data_tachoCloseUp() {
    if (ladowanie) return;
    oznacz_zmiane();
    data_tacho->setProperty("data_list", data_tacho->date());
    wypelnij_kierowcow(data_tacho->date());
    wypelnij_samochody();
}

void TMDIChild::zalogaClick() {
    sprawdz_licznik();
    oznacz_zmiane();
    if (Kontrola::wg_561(data_tacho->date())) {
        if (lista) lista->zmiana = 1;
        kontrolujClick();
    }
}

void TMDIChild::typyClick() {
    poziomy->setVisible(typy->currentIndex() == 3);
}

void TMDIChild::cb_statusClick(QObject* nadawca) {
    int tag = cb_status->property("Tag").toInt();
    if (nadawca) {
        tag = tag == 1 ? 0 : 1;
        cb_status->setProperty("Tag", tag);
    }
    const bool zamknieta = tag == 1;
    cb_status->setToolTip(
        host::LoadResstrings(zamknieta ? QStringLiteral("Resstrings_IDS_tacho_otworz_tarcze")
                                       : QStringLiteral("Resstrings_IDS_tacho_zamknij_tarcze")));
    const int obraz = zamknieta ? 14 : 5;
    cb_status->setProperty("glyph", obraz);
    cb_status->setIcon(host::IkonaListy(QStringLiteral("ilKorvixSmallButtons"), obraz));
    if (nadawca) cb_statusSelect();
}

void TMDIChild::cb_statusSelect() {
    policz_bledy();
    oznacz_zmiane();
}

int TMDIChild::policz_bledy() {
    // cb4 (hidden) and the km mismatch box are not errors of the chart.
    int n = 0;
    for (const QCheckBox* b : {cb1, cb2, cb3_1, cb3_2, cb3_3, cb3_4, cb3_5, cb3_6, cb3_7, cb3_8,
                               cb5, cb6, cb7, cb8, cb9})
        n += b->isChecked() ? 1 : 0;
    BlueButton_bledy->setText(n > 0 ? naglowek_bledow + QStringLiteral(" (%1)").arg(n)
                                    : naglowek_bledow);
    return n;
}

void TMDIChild::slownik_statusClick() {
    if (host::OpenRamka(QStringLiteral("tarcza_status"), this) == 0) return;
    wczytaj_statusy(*this);
    if (host::CzyCanFocus(status_tarczy)) status_tarczy->setFocus();
}

void TMDIChild::slownik_adnotClick() {
    if (host::OpenRamka(QStringLiteral("tarcza_adnotacje"), this) == 0) return;
    wczytaj_adnotacje(*this);
    if (host::CzyCanFocus(status_tarczy)) status_tarczy->setFocus();
}

void TMDIChild::adnotacjeChange() {
    oznacz_zmiane();
}

void TMDIChild::BlueButton_dodaj_adnotClick() {
    const int id = host::TComboPopup::WybraneId(adnotacje_tarczy);
    if (id == 0) return;
    host::Query q = lista_grup(*this);
    for (q.open(); !q.Eof(); q.Next()) {
        if (q.asInteger(QStringLiteral("id")) != id) continue;
        QString tekst = adnotacje->toPlainText();
        if (!tekst.isEmpty()) tekst += QLatin1Char('\n');
        adnotacje->setPlainText(tekst + q.asString(QStringLiteral("opis")));
        return;
    }
}
