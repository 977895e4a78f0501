#pragma once
// Day files for the command-line tool: reading one into a period list, and checking it (the
// results written by activity/WynikJson.h).
//
// A day file is one JSON object:
//   "date"      "YYYY-MM-DD", required: the chart's date
//   "crew"      whole number, 0 when absent: the crew selector's index (not 0 = a crew)
//   "settings"  object of rule-check settings (tolerancja_15 ... tolerancja_odp in whole
//               minutes, kpkjc and wliczaj_dy true / false); the rest come from the host
//   "kat24"     angle of 00:00, required when the periods are given by angles, else 0
//   "kat_rozp"  start of recording, angle; the first period's start when absent
//   "kat_zak"   end of recording, angle; none when absent
//   "periods"   array, in order, each following on from the one before:
//               {"czy_praca": -1..3, "kat_od": a, "kat_do": b[, "km": n]} or
//               {"czy_praca": -1..3, "czas_od": "hh:nn", "czas_do": "hh:nn"[, "km": n]}
//               ("24:00" may end a period at midnight; km 0..32767, as the database keeps it)
// Any other field, at the top, in the settings or in a period, is refused.

#include "activity/Kontrola.h"
#include "activity/Lista_zdarz.h"
#include "activity/Podsumowanie.h"
#include "host/TDateTime.h"

#include <QByteArray>
#include <QJsonObject>
#include <QVariantMap>

struct DzienKontroli {
    host::TDateTime data;
    int zaloga = 0;
    QVariantMap ustawienia; // the file's settings, by key
};

// Fills the list (cleared first) through its own operations. False, with a message naming the
// offending field in blad, when the text is not a usable day; the list is then left empty.
bool wczytaj_dzien(const QByteArray& json, Lista_zdarz& lista, DzienKontroli& dzien, QString& blad);

// Answers the day's settings first and the host's for everything else.
CzytnikUstawien czytnik_dnia(const DzienKontroli& dzien);

// Checks a day read by wczytaj_dzien with its settings: {"date", "crew", "periods",
// "summary", "check"}.
QJsonObject sprawdz_dzien(Lista_zdarz& lista, const DzienKontroli& dzien);
