#pragma once
// Inside of the stored procedures: typed reading of "@" parameters and row writes in the
// backend's own dialect. Not part of the host's interface.

#include "host/db/StoredProc.h"

#include <QVariant>

#include <utility>
#include <vector>

namespace host::proc {

// Parameter values converted to what a column of that type stores; null stays null.
class Args {
public:
    explicit Args(StoredProc& p) : p_(p) {}
    QVariant integer(const char* atName) const; // whole number (fractions rounded)
    QVariant floating(const char* atName) const;
    QVariant dateTime(const char* atName) const; // TDateTime, QDateTime, QDate, text or days
    QVariant text(const char* atName) const;
    QVariant flag(const char* atName) const; // 0/1
    int intOr(const char* atName, int fallback) const;
    bool isNull(const char* atName) const;

private:
    StoredProc& p_;
};

using Columns = std::vector<std::pair<const char*, QVariant>>;

// insert into table (columns) values (...); returns the new identity key when keyColumn is
// given, else null.
QVariant insertRow(Connection& c, const QString& table, const Columns& values,
                   const QString& keyColumn = {});
// update table set columns where keyColumn = key; returns the number of rows changed.
int updateRow(Connection& c, const QString& table, const Columns& values, const QString& keyColumn,
              const QVariant& key);
// A statement in the backend's dialect with "?" values; returns the rows changed.
int execRows(Connection& c, const QString& sql, const std::vector<QVariant>& values);
// First column of the first row, null when there is none.
QVariant scalar(Connection& c, const QString& sql, const std::vector<QVariant>& values);

// The procedures, dispatched by ExecProc.
void PZapTacho(StoredProc& p);
void PZapPozZdarz(StoredProc& p);
void PZapPktSpec(StoredProc& p);
void PZapTachoOpisy(StoredProc& p);
void PZapDokPlik(StoredProc& p);
void PUsunW(StoredProc& p);
void PZapImportPowiazania(StoredProc& p);
void SPEED_ZapiszPozZdarz(StoredProc& p);
void SPEED_UsunPozZdarz(StoredProc& p);
void SPEED_ZmienKierPozZdarz(StoredProc& p);

} // namespace host::proc
