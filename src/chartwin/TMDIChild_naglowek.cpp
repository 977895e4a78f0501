// Header data of the chart: date, driver, co-drivers, vehicle, odometer, crew, type, status
// and annotations. The handlers are filled by the header layer; until then they do nothing.

#include "chartwin/TMDIChild.h"

void TMDIChild::data_tachoChange(QObject*) {}
void TMDIChild::data_tachoCloseUp() {}
void TMDIChild::kierowcaChange(QObject*) {}
void TMDIChild::kierowcaCloseUp() {}
void TMDIChild::konwojentSelect() {}
void TMDIChild::nr_rejSelect() {}
void TMDIChild::nr_rejChange() {}
void TMDIChild::nr_rejCloseUp() {}
void TMDIChild::km_od_Change() {}
void TMDIChild::km_doChange() {}
void TMDIChild::km_od_Click() {}
void TMDIChild::km_doClick() {}
void TMDIChild::km_doEnter() {}
void TMDIChild::km_od_Exit() {}
void TMDIChild::roznica_kmChange() {}
void TMDIChild::zalogaClick() {}
void TMDIChild::typyClick() {}
void TMDIChild::cb_statusClick(QObject*) {}
void TMDIChild::cb_statusSelect() {}
void TMDIChild::slownik_statusClick() {}
void TMDIChild::slownik_adnotClick() {}
void TMDIChild::adnotacjeChange() {}
void TMDIChild::BlueButton_dodaj_adnotClick() {}
void TMDIChild::dodaj_kierClick() {}
void TMDIChild::edytuj_kierClick() {}
void TMDIChild::dodaj_samClick() {}
void TMDIChild::edytuj_samClick() {}
void TMDIChild::znajdz_dzien_f(QObject*) {}
void TMDIChild::wypelnij_kierowcow(const QDate&) {}
void TMDIChild::wypelnij_samochody() {}
void TMDIChild::ustaw_licznik(std::int32_t, std::int32_t) {}
