#include "host/db/StoredProc.h"

#include "host/db/DbValues.h"
#include "host/db/Procedures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace host {

namespace {

QString key(const QString& atName) {
    QString k = atName.toLower();
    if (!k.startsWith(QLatin1Char('@'))) k.prepend(QLatin1Char('@'));
    return k;
}

using Impl = void (*)(StoredProc&);

const std::map<QString, Impl>& registry() {
    static const std::map<QString, Impl> procs = {
        {QStringLiteral("pzaptacho"), proc::PZapTacho},
        {QStringLiteral("pzappozzdarz"), proc::PZapPozZdarz},
        {QStringLiteral("pzappktspec"), proc::PZapPktSpec},
        {QStringLiteral("pzaptachoopisy"), proc::PZapTachoOpisy},
        {QStringLiteral("pzapdokplik"), proc::PZapDokPlik},
        {QStringLiteral("pusunw"), proc::PUsunW},
        {QStringLiteral("pzapimportpowiazania"), proc::PZapImportPowiazania},
        {QStringLiteral("speed_zapiszpozzdarz"), proc::SPEED_ZapiszPozZdarz},
        {QStringLiteral("speed_usunpozzdarz"), proc::SPEED_UsunPozZdarz},
        {QStringLiteral("speed_zmienkierpozzdarz"), proc::SPEED_ZmienKierPozZdarz},
    };
    return procs;
}

// Runs the statement (kept prepared by the connection on SQLite: the procedures run once per
// row of a save); throws the backend's message on failure.
void run(Statement& s, const QString& sql, const std::vector<QVariant>& values) {
    if (s.exec(values)) return;
    QString why = s.query().lastError().databaseText().trimmed();
    if (why.isEmpty()) why = s.query().lastError().text();
    throw DbError(why, sql);
}

// Takes back what a failed procedure wrote: its own transaction, or its savepoint in the
// caller's transaction.
// A failure of the undo itself leaves the caller to roll back; the first error is the one
// worth reporting.
void undo(Connection& c, bool own, const QString& savepoint) {
    try {
        if (own)
            c.RollbackTrans();
        else
            c.RollbackToSavepoint(savepoint);
    } catch (const DbError&) {
    }
}

} // namespace

StoredProc::StoredProc(const QString& name, Connection& connection)
    : name_(name), conn_(&connection) {}

void StoredProc::setParam(const QString& atName, const QVariant& value) {
    params_[key(atName)] = value;
}

QVariant StoredProc::param(const QString& atName) const {
    const auto it = params_.find(key(atName));
    return it == params_.end() || it->second.isNull() ? QVariant() : it->second;
}

bool StoredProc::hasParam(const QString& atName) const {
    return params_.count(key(atName)) > 0;
}

void ExecProc(StoredProc& proc) {
    QString name = proc.name().trimmed();
    name.remove(QStringLiteral("[dbo]."), Qt::CaseInsensitive);
    name.remove(QStringLiteral("dbo."), Qt::CaseInsensitive);
    name.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    // ADO's "name;1": the group number goes. Cut by hand: this runs for every call, often
    // once per row of a save.
    const qsizetype semicolon = name.lastIndexOf(QLatin1Char(';'));
    if (semicolon >= 0 && semicolon + 1 < name.size() &&
        std::all_of(name.cbegin() + semicolon + 1, name.cend(),
                    [](QChar c) { return c.isDigit(); }))
        name.truncate(semicolon);
    const auto it = registry().find(name.toLower());
    if (it == registry().end())
        throw DbError(QStringLiteral("Unknown stored procedure %1").arg(proc.name()), proc.name());

    Connection& c = proc.connection();
    c.countStatement(proc.name());
    const bool own = !c.InTransaction();
    QString savepoint;
    if (own)
        c.BeginTrans();
    else
        savepoint = c.Savepoint();
    try {
        proc.setReturnValue(0);
        it->second(proc);
        if (own)
            c.CommitTrans();
        else
            c.ReleaseSavepoint(savepoint);
    } catch (const DbError& e) {
        undo(c, own, savepoint);
        throw DbError(QStringLiteral("%1: %2").arg(proc.name(), e.message), e.statement);
    } catch (...) {
        undo(c, own, savepoint);
        throw;
    }
    proc.setParam(QStringLiteral("@RETURN_VALUE"), proc.ReturnValue());
}

void SPEED_ZapiszPozZdarz(int id_tpz, int id_k, double czas_od, double czas_do, int czy_praca,
                          int rodzaj, Connection& c) {
    StoredProc p(QStringLiteral("SPEED_ZapiszPozZdarz"), c);
    p.setParam(QStringLiteral("@id_tpz"), id_tpz);
    p.setParam(QStringLiteral("@id_k"), id_k);
    p.setParam(QStringLiteral("@czas_od"), TDateTime(czas_od));
    p.setParam(QStringLiteral("@czas_do"), TDateTime(czas_do));
    p.setParam(QStringLiteral("@czy_praca"), czy_praca);
    p.setParam(QStringLiteral("@rodzaj"), rodzaj);
    ExecProc(p);
}

void SPEED_UsunPozZdarz(int id_tarczy, int id_k, Connection& c) {
    StoredProc p(QStringLiteral("SPEED_UsunPozZdarz"), c);
    p.setParam(QStringLiteral("@id_t"), id_tarczy);
    p.setParam(QStringLiteral("@id_k"), id_k);
    ExecProc(p);
}

void SPEED_ZmienKierPozZdarz(int id_tarczy, int id_k_stary, int id_k_nowy, Connection& c) {
    StoredProc p(QStringLiteral("SPEED_ZmienKierPozZdarz"), c);
    p.setParam(QStringLiteral("@id_t"), id_tarczy);
    p.setParam(QStringLiteral("@id_k_stary"), id_k_stary);
    p.setParam(QStringLiteral("@id_k_nowy"), id_k_nowy);
    ExecProc(p);
}

namespace proc {

QVariant Args::integer(const char* n) const {
    const QVariant v = p_.param(QLatin1String(n));
    if (v.isNull()) return QVariant();
    if (v.metaType().id() == QMetaType::QString) {
        bool ok = false;
        v.toString().trimmed().toDouble(&ok);
        if (!ok) {
            if (v.toString().trimmed().isEmpty()) return QVariant();
            throw DbError(QStringLiteral("Parameter %1 is not a number: %2")
                              .arg(QLatin1String(n), v.toString()));
        }
    }
    return db::variantToInt(v);
}

QVariant Args::floating(const char* n) const {
    const QVariant v = p_.param(QLatin1String(n));
    if (v.isNull()) return QVariant();
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok) {
        if (v.metaType().id() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        throw DbError(
            QStringLiteral("Parameter %1 is not a number: %2").arg(QLatin1String(n), v.toString()));
    }
    return d;
}

QVariant Args::dateTime(const char* n) const {
    const QVariant v = p_.param(QLatin1String(n));
    if (v.isNull()) return QVariant();
    if (auto t = db::variantDateTime(v)) return QVariant::fromValue(*t);
    bool ok = false;
    const double days = v.toDouble(&ok); // TDateTime passed as a plain number of days
    if (ok) return QVariant::fromValue(TDateTime(days));
    throw DbError(
        QStringLiteral("Parameter %1 is not a date-time: %2").arg(QLatin1String(n), v.toString()));
}

QVariant Args::text(const char* n) const {
    const QVariant v = p_.param(QLatin1String(n));
    return v.isNull() ? QVariant() : QVariant(db::variantToString(v));
}

QVariant Args::flag(const char* n) const {
    const QVariant v = integer(n);
    return v.isNull() ? QVariant() : QVariant(v.toInt() != 0 ? 1 : 0);
}

int Args::intOr(const char* n, int fallback) const {
    const QVariant v = integer(n);
    return v.isNull() ? fallback : v.toInt();
}

bool Args::isNull(const char* n) const {
    return p_.param(QLatin1String(n)).isNull();
}

QVariant insertRow(Connection& c, const QString& table, const Columns& values,
                   const QString& keyColumn) {
    QStringList names, marks;
    std::vector<QVariant> bound;
    for (const auto& [name, value] : values) {
        names << QLatin1String(name);
        marks << QStringLiteral("?");
        bound.push_back(value);
    }
    QString sql =
        QStringLiteral("insert into %1 (%2) values (%3)")
            .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    const bool returning = !keyColumn.isEmpty() && c.backend() == Backend::PostgreSQL;
    if (returning) sql += QStringLiteral(" returning ") + keyColumn;
    Statement s(c, sql);
    run(s, sql, bound);
    if (keyColumn.isEmpty()) return QVariant();
    QSqlQuery& q = s.query();
    if (returning) return q.next() ? QVariant(q.value(0).toInt()) : QVariant();
    return q.lastInsertId().toInt();
}

int updateRow(Connection& c, const QString& table, const Columns& values, const QString& keyColumn,
              const QVariant& keyValue) {
    QStringList sets;
    std::vector<QVariant> bound;
    for (const auto& [name, value] : values) {
        sets << QLatin1String(name) + QStringLiteral(" = ?");
        bound.push_back(value);
    }
    bound.push_back(keyValue);
    const QString sql = QStringLiteral("update %1 set %2 where %3 = ?")
                            .arg(table, sets.join(QStringLiteral(", ")), keyColumn);
    Statement s(c, sql);
    run(s, sql, bound);
    return s.query().numRowsAffected();
}

int execRows(Connection& c, const QString& sql, const std::vector<QVariant>& values) {
    Statement s(c, sql);
    run(s, sql, values);
    return s.query().numRowsAffected();
}

QVariant scalar(Connection& c, const QString& sql, const std::vector<QVariant>& values) {
    Statement s(c, sql);
    run(s, sql, values);
    QSqlQuery& q = s.query();
    if (!q.next() || q.value(0).isNull()) return QVariant();
    return q.value(0);
}

} // namespace proc

} // namespace host
