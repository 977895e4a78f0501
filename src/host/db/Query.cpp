#include "host/db/Query.h"

#include "host/db/DbValues.h"
#include "host/db/SqlText.h"

#include <QSqlDriver>
#include <QSqlError>

namespace host {

namespace {

QString errorText(const QSqlError& e) {
    QString text = e.databaseText().trimmed();
    if (text.isEmpty()) text = e.driverText().trimmed();
    return text.isEmpty() ? e.text().trimmed() : text;
}

} // namespace

Query::Query(Connection& connection) : conn_(&connection), q_(connection.db()) {}

Query::Query(const QString& sql, Connection& connection) : Query(connection) {
    sql_ = sql;
}

void Query::setSql(const QString& sql) {
    close();
    sql_ = sql;
}

void Query::setParam(const QString& name, const QVariant& value) {
    QString key = name.toLower();
    if (key.startsWith(QLatin1Char(':'))) key.remove(0, 1);
    params_[key] = value;
}

QVariant Query::param(const QString& name) const {
    const auto it = params_.find(name.toLower());
    return it == params_.end() ? QVariant() : it->second;
}

void Query::run(bool select) {
    close();
    conn_->countStatement(sql_);
    // ":name" becomes a positional "?" so that a name used twice is bound twice and literals
    // that contain colons are left alone. PostgreSQL gets the values in place: a server-side
    // prepared statement would cost two more round trips and cannot be freed once an error
    // has aborted the transaction. On SQLite the statement stays prepared for the next run of
    // the same text (a row loop runs one Query again and again).
    const bool inlined = conn_->backend() == Backend::PostgreSQL;
    if (inlined || markedFor_ != sql_) {
        markedFor_.clear();
        preparedFor_.clear();
        names_.clear();
        try {
            const std::vector<db::ValueMark> marks = db::valueMarks(sql_);
            backendSql_ = db::replaceMarks(sql_, marks, [&](const db::ValueMark& m) {
                if (m.name.isEmpty())
                    throw DbError(QStringLiteral("A value mark \"?\" where \":name\" is expected"));
                names_.push_back(m.name);
                return inlined ? db::sqlLiteral(param(m.name)) : QStringLiteral("?");
            });
        } catch (const DbError& e) {
            throw DbError(e.message, sql_);
        }
        if (!inlined) markedFor_ = sql_;
    }
    bool ok;
    if (inlined) {
        q_ = QSqlQuery(conn_->db());
        ok = q_.exec(backendSql_);
    } else {
        ok = preparedFor_ == sql_;
        if (!ok) {
            q_ = QSqlQuery(conn_->db());
            ok = q_.prepare(backendSql_);
            if (ok) preparedFor_ = sql_;
        }
        if (ok) {
            for (std::size_t i = 0; i < names_.size(); ++i)
                q_.bindValue(static_cast<int>(i), db::bindValue(param(names_[i])));
            ok = q_.exec();
        }
    }
    if (!ok) {
        const QString why = errorText(q_.lastError());
        q_ = QSqlQuery(conn_->db());
        preparedFor_.clear();
        throw DbError(why, sql_);
    }
    eof_ = !(select && q_.isSelect() && q_.first());
}

void Query::open() {
    run(true);
}

void Query::exec() {
    run(false);
}

void Query::close() {
    if (q_.isActive()) q_.finish();
    eof_ = true;
}

void Query::Next() {
    if (!eof_) eof_ = !q_.next();
}

int Query::column(const QString& name) const {
    if (eof_) throw DbError(QStringLiteral("No current row to read %1 from").arg(name), sql_);
    const int i = q_.record().indexOf(name);
    if (i < 0) throw DbError(QStringLiteral("The result has no column %1").arg(name), sql_);
    return i;
}

QVariant Query::field(const QString& name) const {
    const QVariant v = q_.value(column(name));
    return v.isNull() ? QVariant() : v;
}

bool Query::isNull(const QString& name) const {
    return q_.value(column(name)).isNull();
}

double Query::asFloat(const QString& name) const {
    return db::variantToFloat(field(name));
}

int Query::asInteger(const QString& name) const {
    return db::variantToInt(field(name));
}

TDateTime Query::asDateTime(const QString& name) const {
    const QVariant v = field(name);
    if (auto t = db::variantDateTime(v)) return *t;
    return TDateTime(db::variantToFloat(v));
}

QString Query::asString(const QString& name) const {
    return db::variantToString(field(name));
}

int Query::RecordCount() {
    if (!q_.isActive() || !q_.isSelect()) return 0;
    if (conn_->db().driver()->hasFeature(QSqlDriver::QuerySize)) return q_.size();
    const int pos = q_.at();
    int n = 0;
    if (q_.last()) n = q_.at() + 1;
    if (pos >= 0) {
        q_.seek(pos);
    } else if (n > 0) {
        q_.last();
        q_.next();
    }
    return n;
}

int Query::numRowsAffected() const {
    return q_.numRowsAffected();
}

QVariant Query::lastInsertId() const {
    if (conn_->backend() == Backend::SQLite) return q_.lastInsertId();
    // Identity keys come from sequences; the session's last one is the row just inserted.
    // Asking with no sequence used yet is an error, which must not end the caller's
    // transaction: hence the savepoint.
    QString savepoint;
    if (conn_->InTransaction()) savepoint = conn_->Savepoint();
    QVariant id;
    {
        QSqlQuery q(conn_->db());
        if (q.exec(QStringLiteral("select lastval()")) && q.next()) id = q.value(0);
    }
    if (!savepoint.isEmpty()) {
        if (id.isValid())
            conn_->ReleaseSavepoint(savepoint);
        else
            conn_->RollbackToSavepoint(savepoint);
    }
    return id;
}

void OpenQuery(Query& q) {
    q.open();
}

void ExecQuery(Query& q) {
    q.exec();
}

void ExecQuery(const QString& sql, Connection* connection) {
    Query q(sql, connection ? *connection : GetConnection());
    q.exec();
}

QString GetStringDB(const QString& sql, const QString& column, Connection* connection) {
    Query q(sql, connection ? *connection : GetConnection());
    q.open();
    return q.Eof() ? QString() : q.asString(column);
}

int GetIntDB(const QString& sql, const QString& column, Connection* connection) {
    Query q(sql, connection ? *connection : GetConnection());
    q.open();
    return q.Eof() ? 0 : q.asInteger(column);
}

} // namespace host
