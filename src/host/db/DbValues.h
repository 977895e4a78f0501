#pragma once
// Values between the module and the backends. Date-times are TDateTime in the module; SQLite
// keeps them as canonical text "yyyy-MM-dd hh:mm:ss.zzz" (the text of double_to_sql_str, so
// text order is time order), PostgreSQL as timestamp.

#include "host/TDateTime.h"
#include "host/db/Connection.h"

#include <QVariant>

#include <optional>
#include <vector>

namespace host::db {

// "2024-03-05 14:30:00.000": the canonical text of a date-time, without quotes.
QString canonicalDateTime(TDateTime t);

// Reads "yyyy-MM-dd[ hh:mm[:ss[.zzz]]]" (also with "T" between date and time, or the compact
// "yyyyMMdd hh:mm:ss" of SQL Server). Nothing for any other text.
std::optional<TDateTime> parseDateTimeText(const QString& text);

// A date-time held by a variant: QDateTime, QDate, TDateTime, or canonical text.
std::optional<TDateTime> variantDateTime(const QVariant& v);

// Value to bind for the backend: bools as 0/1, date-times (TDateTime, QDateTime, QDate) as
// canonical text, null for an invalid or null variant.
QVariant bindValue(const QVariant& v);

// A bound value written as an SQL literal (for PostgreSQL, which gets statements with their
// values in place): NULL, a number (negative ones in parentheses), or a quoted text.
QString sqlLiteral(const QVariant& bound);
// Replaces the "?" marks of a statement, in order, by the values as literals.
QString inlineValues(const QString& sql, const std::vector<QVariant>& values);

// Conversions the typed readers share. Null reads as 0 / empty.
double variantToFloat(const QVariant& v);   // date-times as days since 30 Dec 1899
int variantToInt(const QVariant& v);        // fractions rounded half away from zero
QString variantToString(const QVariant& v); // date-times in canonical text

} // namespace host::db
