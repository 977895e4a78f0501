#pragma once
// Delphi-style date-time: days since 30 December 1899 as a double, the fraction being the
// time of day. The module's arithmetic on times (end - start + 1 day, rounding to minutes)
// is plain double arithmetic, so the type converts freely to and from double.

#include <QDate>
#include <QDateTime>
#include <QString>

#include <utility>

namespace host {

struct TDateTime {
    double value = 0.0;

    constexpr TDateTime() = default;
    constexpr TDateTime(double v) : value(v) {} // NOLINT: implicit on purpose
    constexpr operator double() const { return value; }

    static TDateTime fromDate(const QDate& d);
    static TDateTime fromQDateTime(const QDateTime& dt);
    static TDateTime encode(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0, int msec = 0);

    QDate date() const;            // date part (floor toward minus infinity, as Delphi)
    QDateTime toQDateTime() const; // local time
    // Calendar date and wall-clock time, rounded to the millisecond, with no time zone.
    std::pair<QDate, QTime> dateAndTime() const;
    double timeOfDay() const; // fractional part, 0..1
    double datePart() const;  // whole-day part
};

constexpr double kMinutaDnia = 1.0 / 1440.0; // one minute as a fraction of a day

// Delphi FormatDateTime with the tokens the module uses: yyyy yy mm m dd d hh h nn n ss s zzz
// and literal text; "mm" right after "hh"/"h" means minutes, as in Delphi.
QString FormatDateTime(const QString& pattern, TDateTime t);
// FormatDateTime("hh:nn", t) without reading a pattern: the grid and the reports write it for
// every period.
QString CzasHHNN(TDateTime t);

// "hh:nn" or "hh:nn:ss" to a time of day; throws std::invalid_argument on bad text.
TDateTime StrToTime(const QString& text);

} // namespace host
