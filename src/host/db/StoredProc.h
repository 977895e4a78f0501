#pragma once
// Stored procedures of the host, called by name with "@" parameters. They are host-side
// implementations run inside the caller's transaction; outputs are read back from the
// parameters, the return value from ReturnValue().

#include "host/db/Connection.h"

#include <QString>
#include <QVariant>

#include <map>

namespace host {

class StoredProc {
public:
    explicit StoredProc(const QString& name, Connection& connection = GetConnection());

    QString name() const { return name_; }
    void setParam(const QString& atName, const QVariant& value); // "@id_t"
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
void ExecProc(StoredProc& proc);

// Speed records of the host kept in step with the saved periods.
void SPEED_ZapiszPozZdarz(int id_tpz, int id_k, double czas_od, double czas_do, int czy_praca,
                          int rodzaj, Connection& c = GetConnection());
void SPEED_UsunPozZdarz(int id_t, int id_k, Connection& c = GetConnection());
void SPEED_ZmienKierPozZdarz(int id_t, int id_k_stary, int id_k_nowy,
                             Connection& c = GetConnection());

} // namespace host
