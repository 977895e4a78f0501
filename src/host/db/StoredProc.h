#pragma once
// Stored procedures of the host, called by name with "@" parameters. They are host-side
// implementations run inside the caller's transaction; outputs are read back from the
// parameters, the return value from ReturnValue().
//
// Procedures: PZapTacho, PZapPozZdarz, PZapPktSpec, PZapTachoOpisy, PZapDokPlik, PUsunW,
// PZapImportPowiazania, and the speed-record functions below under their own names.
// A procedure that fails leaves nothing behind: inside the caller's transaction it rolls back
// to a savepoint taken before it (the caller's transaction stays usable), outside one it runs
// in a transaction of its own.

#include "host/TDateTime.h"
#include "host/db/Connection.h"

#include <QString>
#include <QVariant>

#include <map>
#include <type_traits>

namespace host {

class StoredProc {
public:
    explicit StoredProc(const QString& name, Connection& connection = GetConnection());

    QString name() const { return name_; }
    void setParam(const QString& atName, const QVariant& value); // "@id_t"; not case-sensitive
    template <typename T>
    requires(!std::is_same_v<std::decay_t<T>, QVariant>) void setParam(const QString& atName,
                                                                       const T& value) {
        if constexpr (std::is_same_v<std::decay_t<T>, TDateTime>)
            setParam(atName, QVariant::fromValue(value));
        else if constexpr (std::is_same_v<std::decay_t<T>, std::nullptr_t>)
            setParam(atName, QVariant());
        else
            setParam(atName, QVariant(value));
    }
    QVariant param(const QString& atName) const; // input or output value; null when unset
    bool hasParam(const QString& atName) const;
    int ReturnValue() const { return ret_; }

    Connection& connection() { return *conn_; }
    void setReturnValue(int v) { ret_ = v; }

private:
    QString name_;
    Connection* conn_;
    std::map<QString, QVariant> params_;
    int ret_ = 0;
};

// Runs the procedure; throws DbError for an unknown name or a failure of the backend.
// "@RETURN_VALUE" is set to the return value as well.
void ExecProc(StoredProc& proc);

// Speed records of the host kept in step with the saved periods: one row per saved period
// (key id_tpz) with the chart, the driver, the period's times, its activity code and a kind.
void SPEED_ZapiszPozZdarz(int id_tpz, int id_k, double czas_od, double czas_do, int czy_praca,
                          int rodzaj, Connection& c = GetConnection());
// Removes the chart's rows of that driver.
void SPEED_UsunPozZdarz(int id_tarczy, int id_k, Connection& c = GetConnection());
// Moves the chart's rows from one driver to another.
void SPEED_ZmienKierPozZdarz(int id_tarczy, int id_k_stary, int id_k_nowy,
                             Connection& c = GetConnection());

} // namespace host
