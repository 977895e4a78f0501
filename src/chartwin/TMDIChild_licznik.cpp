// Header data: the odometer readings, their difference and its check against the distance
// read from the chart.

#include "chartwin/TMDIChild.h"

#include "chartwin/KontrolaLicznika.h"
#include "host/TComboPopup.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

namespace {

constexpr int kKolorNiezgodny = 2228674; // the host's colour values: 0x00BBGGRR
constexpr int kKolorZgodny = 3815994;

QColor kolor(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void ustaw_kolor(QWidget* w, QPalette::ColorRole rola, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(rola, c);
    w->setPalette(p);
}

void zero_gdy_puste(QLineEdit* e) {
    if (e->text().isEmpty()) e->setText(QStringLiteral("0"));
}

void zaznacz_zero(QLineEdit* e) {
    if (e->text() == QLatin1String("0")) e->selectAll();
}

} // namespace

void TMDIChild::ustaw_licznik(std::int32_t km_pocz, std::int32_t km_kon) {
    km_od->setText(QString::number(km_pocz));
    km_do->setText(QString::number(km_kon));
    sprawdz_licznik(); // a value written again changes no text, yet the distance may have
}

void TMDIChild::km_od_Change() {
    km_od1->setText(km_od->text());
    oznacz_zmiane();
    sprawdz_licznik();
}

void TMDIChild::km_doChange() {
    km_do1->setText(km_do->text());
    oznacz_zmiane();
    km_od_Change();
}

void TMDIChild::roznica_kmChange() {
    roznica_km1->setText(roznica_km->text());
}

void TMDIChild::km_od_Click() {
    zaznacz_zero(km_od);
}

void TMDIChild::km_doClick() {
    zaznacz_zero(km_do);
}

void TMDIChild::km_od_Exit() {
    zero_gdy_puste(km_od);
}

void TMDIChild::km_doEnter() {
    zero_gdy_puste(km_do);
    const int pojazd = host::TComboPopup::WybraneId(nr_rej);
    if (km_od->text() != QLatin1String("0") || nr_rej->currentIndex() <= 0 || pojazd == 0) return;
    // The start reading proposed from the vehicle's last chart before this one.
    host::Query q(QStringLiteral("SELECT max(km_kon) as km\n"
                                 "from tacho \n"
                                 "where data = (select max(data) from tacho where id_s = :id_s "
                                 "and data <= :data and id_t <> :id_t1)\n"
                                 " and id_s=:id_s_\n"
                                 " and id_t <> :id_t2"));
    q.setParam(QStringLiteral("data"), host::TDateTime::fromDate(data_tacho->date()));
    q.setParam(QStringLiteral("id_s"), pojazd);
    q.setParam(QStringLiteral("id_s_"), pojazd);
    q.setParam(QStringLiteral("id_t1"), id_tarczy);
    q.setParam(QStringLiteral("id_t2"), id_tarczy);
    q.open();
    if (!q.Eof() && !q.isNull(QStringLiteral("km")))
        km_od->setText(QString::number(q.asInteger(QStringLiteral("km"))));
}

void TMDIChild::sprawdz_licznik() {
    const int tolerancja =
        czytnik_ust ? ustawienie(QStringLiteral("roz_km"), QStringLiteral("KX"), 5).toInt()
                    : KontrolaLicznika::kBezUstawien;
    const auto wynik =
        KontrolaLicznika(tolerancja)
            .sprawdz(km_od->text(), km_do->text(), suma_km->text(), zaloga->isChecked());
    if (!wynik) return;
    {
        const QSignalBlocker cicho(roznica_km);
        roznica_km->setText(QString::number(wynik->roznica_km));
    }
    roznica_kmChange();
    const bool zle = wynik->porownano && !wynik->zgodne;
    // The summary panels' colours are their text's (as the driving total's red and dark grey).
    ustaw_kolor(st_km, QPalette::WindowText, kolor(zle ? kKolorNiezgodny : kKolorZgodny));
    ustaw_kolor(roznica_km, QPalette::Text, zle ? kolor(kKolorNiezgodny) : QColor(Qt::black));
    Image13->setVisible(zle);
    Image8->setVisible(!zle);
    st_km->setProperty("niezgodny", zle);
}
