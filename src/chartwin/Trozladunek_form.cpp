#include "chartwin/Trozladunek_form.h"

#include "chartwin/JezykFormy.h"
#include "host/Flota.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/db/Query.h"

#include <QCompleter>
#include <QEvent>

#include <cmath>

namespace {

QTime czas_z_tekstu(const QString& t) {
    return QTime::fromString(t, QStringLiteral("hh:mm"));
}

} // namespace

QString Trozladunek_form::nazwa_typu(int typ) {
    const char* klucze[] = {"Resstrings_IDS_przejscie_graniczne", "Resstrings_IDS_zaladunek",
                            "Resstrings_IDS_rozladunek"};
    return host::LoadResstrings(QLatin1String(klucze[std::clamp(typ, 0, 2)]));
}

Trozladunek_form::Trozladunek_form(QWidget* owner, int typ, double dzien_tarczy, double kat24,
                                   double kat_startu)
    : QDialog(owner), typ_(typ), dzien_(std::floor(dzien_tarczy)), kat24_(kat24),
      kat_startu_(kat_startu) {
    setupUi(this);
    setLocale(host::JezykLocale()); // the tonnage with the language's decimal mark
    if (host::GetKeyLang() != QLatin1String("pl"))
        InitializeLanguage(QStringLiteral("Child.dll"), this);
    connect(godz, &QLineEdit::textChanged, this, [this] { godzChange(); });
    godz->installEventFilter(this);
    // Typing searches the cities by any part of the name.
    miasto->completer()->setFilterMode(Qt::MatchContains);
    miasto->completer()->setCompletionMode(QCompleter::PopupCompletion);
    connect(miasto, &QComboBox::currentIndexChanged, this, [this] { miastoSelect(); });
    connect(dodaj_m, &QPushButton::clicked, this, [this] { dodaj_mClick(); });
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Anuluj, &QPushButton::clicked, this, &QDialog::reject);
}

bool Trozladunek_form::eventFilter(QObject* o, QEvent* e) {
    if (o == godz && e->type() == QEvent::FocusIn) godzEnter();
    if (o == godz && e->type() == QEvent::FocusOut) godzExit();
    return QDialog::eventFilter(o, e);
}

void Trozladunek_form::FormShow() {
    setWindowTitle(nazwa_typu(typ_));
    // A border crossing carries no load: the cargo panel goes and the dialog shrinks.
    Panel1->setVisible(typ_ != kPrzejscieGraniczne);
    adjustSize();
    wczytaj_miasta(0);
    godzChange();
}

void Trozladunek_form::wczytaj_miasta(int wybrane) {
    const QSignalBlocker cicho(miasto);
    miasto->clear();
    miasto->addItem(QString(), 0);
    try {
        host::Query q(
            QStringLiteral("select id as id_m, miasto, kod_pocz,nazwa from vlistamiast "
                           "where id_jezyka = :id_jezyka and widoczne=1 order by miasto"));
        q.setParam(QStringLiteral("id_jezyka"), host::GetLanguageId());
        for (q.open(); !q.Eof(); q.Next()) {
            miasto->addItem(q.asString(QStringLiteral("miasto")),
                            q.asInteger(QStringLiteral("id_m")));
            const int i = miasto->count() - 1;
            miasto->setItemData(i, q.asString(QStringLiteral("kod_pocz")), Qt::UserRole + 1);
            miasto->setItemData(i, q.asString(QStringLiteral("nazwa")), Qt::UserRole + 2);
        }
    } catch (const std::exception& e) {
        qWarning("Trozladunek_form: cities not read: %s", e.what());
    }
    miasto->setCurrentIndex(std::max(0, miasto->findData(wybrane)));
    miastoSelect();
}

void Trozladunek_form::godzChange() {
    const QTime t = czas_z_tekstu(godz->text());
    if (!t.isValid()) {
        OK->setEnabled(false);
        return;
    }
    ostatnia_godz = godz->text();
    // Whole minutes on both sides: the start read from an angle is a minute only to rounding.
    const int minuta = t.msecsSinceStartOfDay() / 60000;
    const auto start =
        std::lround(host::KatNaGodz(kat_startu_, kat24_).timeOfDay() * 1440.0) % 1440;
    // The chart runs past midnight: a time before its start is on the next day.
    data_punktu = host::TDateTime(dzien_ + (minuta < start ? 1.0 : 0.0));
    if (data_punktu.value > 0)
        Ui::Trozladunek_form::data->setText(data_punktu.date().toString(
            QStringLiteral("yyyy-MM-dd"))); // as the chart date shows it
    OK->setEnabled(true);
}

void Trozladunek_form::godzExit() {
    if (!OK->isEnabled() && !ostatnia_godz.isEmpty()) godz->setText(ostatnia_godz);
}

void Trozladunek_form::miastoSelect() {
    const bool jest = miasto->currentData().toInt() > 0;
    kod_pocz->setText(jest ? miasto->currentData(Qt::UserRole + 1).toString() : QString());
    kraj->setText(jest ? miasto->currentData(Qt::UserRole + 2).toString() : QString());
}

void Trozladunek_form::dodaj_mClick() {
    // The host's city module; it tells the user itself when it is missing.
    const int id = host::NewRecordKomunikaty(QStringLiteral("miasto.dll"),
                                             QStringLiteral("_EdytujRekord"), 0, this);
    if (id > 0) wczytaj_miasta(id);
}

void Trozladunek_form::pokaz(const rozladunek& r) {
    godz->setText(
        QTime::fromMSecsSinceStartOfDay(int(std::lround(r.data.timeOfDay() * 1440.0)) * 60000)
            .toString(QStringLiteral("hh:mm")));
    licznik->setValue(r.stan_licznika);
    if (r.ma_ladunek()) {
        kod->setText(r.kod_ladunku);
        rozl->setValue(r.tonaz);
    }
    miasto->setCurrentIndex(std::max(0, miasto->findData(r.id_adr)));
    godzChange();
}

rozladunek Trozladunek_form::punkt() const {
    rozladunek r;
    const QTime t = czas_z_tekstu(godz->text());
    r.typ = typ_;
    r.kat = host::GodzNaKat(godz->text(), kat24_);
    r.data = host::TDateTime(data_punktu.datePart() + t.msecsSinceStartOfDay() / 86400000.0);
    r.stan_licznika = licznik->value();
    r.id_adr = std::max(0, miasto->currentData().toInt());
    r.miasto = r.id_adr > 0 ? miasto->currentText() : QString();
    if (r.ma_ladunek()) {
        r.tonaz = float(rozl->value());
        r.kod_ladunku = kod->text();
    }
    return r;
}
