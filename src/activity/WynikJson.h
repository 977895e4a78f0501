#pragma once
// The JSON form of a chart's results, one writer for every tool: the periods, the day summary,
// the rule check, and the whole reading of a scanned chart.
//
//   period   {"nr", "czy_praca", "kat_od", "kat_do", "czas_od", "czas_do" ("hh:nn", rounded to
//             the minute), "km", "points" (distance points in the period), "czy_przerwa"}
//   summary  {"jazda", "praca", "dyzur", "brak", "postoj" (the labels' "hh:nn"), "km", "v",
//             "ostrzezenie" (the warning picture: driving above 10 hours), "minuty" (the
//             totals of "jazda" ... "brak" in minutes: 1440 for a whole day that a label
//             shows as "00:00")}
//   check    {"result", "ile_jazda_ciagla", "ile_przerwa_krotka", "findings"}
//   reading  {"size", "x0", "y0", "kat24", "pocz_sr_godz", "kat_rozp", "kat_zak" (null when
//             not set), "periods", "summary", "check", "no_trace" (stretches of 10 minutes or
//             more with no ink in the activity band: [{"od", "do"}] "hh:nn"), "warnings"
//             (texts; empty when nothing is doubtful)}

#include "activity/Kontrola.h"
#include "activity/Lista_zdarz.h"
#include "activity/OdczytTarczy.h"
#include "activity/Podsumowanie.h"

#include <QJsonArray>
#include <QJsonObject>

QJsonArray okresy_json(const Lista_zdarz& lista);
QJsonObject podsumowanie_json(const Podsumowanie& p);
// Of a check just made on the list.
QJsonObject kontrola_json(const Lista_zdarz& lista, const Kontrola& kontrola);
QJsonObject odczyt_json(const OdczytTarczy& odczyt);
