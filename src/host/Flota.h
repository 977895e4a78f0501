#pragma once
// The host's fleet: names of drivers and vehicles by id, a driver's usual co-drivers, and the
// record editors of drivers and vehicles, which live in side libraries.

#include "host/db/Query.h"

#include <QDate>
#include <QString>

#include <cstdint>

class QWidget;

namespace host {

// "Nazwisko Imie" of the driver, empty when there is no such driver.
QString ZwrocKierowce(int id_k);
// Registration of the vehicle, empty when there is no such vehicle.
QString ZwrocSamochod(int id_s);

// Drivers employed on the day (no employment date bounds them) whom user id_u may see, by
// name: id_k, nazwisko_imie, id_f; to be opened by the caller.
Query KierowcyZatrudnieni(const QDate& dzien, int id_u);

// The co-drivers who accompany a driver (kierowca.id_konwojenta, id_konwojenta2); an id of 0
// is no co-driver.
struct Konwojenci {
    int id1 = 0, id2 = 0;
    QString nazwisko1, nazwisko2;
};
Konwojenci ZwrocKonwojenta(int id_k);

// Entry point of a record editor library: edits the record of this id (0: a new record) in a
// modal form owned by owner; returns the record's id when saved, 0 when cancelled.
using EdytujRekord_fn = std::int32_t (*)(QWidget* owner, std::int32_t id);
inline constexpr const char* kEdytujRekord = "_EdytujRekord";

// Opens a record editor: the library modul ("dane\Flota\samochody.dll") through
// LoadLibrary_main, its entry _EdytujRekord with the id. nazwa names the editor in the message
// shown when the library or its entry is missing. Returns the saved record's id, 0 otherwise.
int NewRecordKomunikaty(const QString& modul, const QString& nazwa, int id, QWidget* owner);

} // namespace host
