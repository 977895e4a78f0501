#pragma once
// Angle and clock conversions of the chart disc. 360 degrees are 24 hours, clockwise from the
// angle of midnight (kat24); one minute of chart clock is 0.25 degree.

#include "host/TDateTime.h"

#include <QString>

namespace host {

// Folds an angle into 0..360 (360 itself folds to 0).
double Katdo360(double kat);

// Time of day of an angle, 360 degrees = 24 hours clockwise from kat24.
TDateTime KatNaGodz(double kat, double kat24);
// An angular length turned into a duration (360 degrees = one day).
TDateTime KatNaGodz(double dlugosc);
// Time of day of an angle measured from a reference angle, without folding the result
// into one day: a time after the reference's midnight may exceed 1.0.
TDateTime KatNaGodz_(double kat, double kat_odniesienia);

// Angle of a time of day (the date part is ignored).
double CzasNaKat(TDateTime czas, double kat24);
double GodzNaKat(TDateTime czas, double kat24);
// "hh:nn" text; throws std::invalid_argument on bad text.
double GodzNaKat(const QString& hhnn, double kat24);

// Angle of pixel (x, y) around centre (cx, cy), 0..360, clockwise on screen (y down).
double XYNaKat(double x, double y, double cx, double cy);

// Forward angular length from a to b, 0..360 (never negative).
double Roznica_katow(double a, double b);

// Non-zero when kat lies in od..do_ (inclusive), across 360 when do_ < od. All three are
// folded into 0..360 first, so a range given as 350..370 is the same as 350..10.
int Czy_w_zakr(double od, double kat, double do_);

// Rounds value to whole minutes. step 360: value is an angle, rounded so that its distance
// from baza (kat24) is a whole number of 0.25-degree steps; step 1: value is a TDateTime,
// rounded to a whole minute. tryb 0 rounds to nearest (half up), 1 down, 2 up.
double Zaokragl_Xm(double value, double step, int tryb, double baza);

// Rounds to the given number of decimals through decimal text, as the database reader does.
double round_str(double value, int decimals);

// A number of hours written as hours and minutes, hours past 24 allowed: tryb 1 "h:nn"
// ("27:05", "0:15"), tryb 0 "hh:nn" ("00:15"). Negative amounts get a leading "-".
QString FloatNaGodzStr_sum(double hours, int tryb);

// A date-time as a quoted SQL literal in the canonical text the connection stores:
// '2024-03-05 00:00:00.000' (understood by SQLite text comparison and by PostgreSQL).
QString double_to_sql_str(TDateTime value);

} // namespace host
