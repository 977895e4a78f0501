#pragma once
// A parameterised query bound to a connection, in the manner of the host's query objects:
// portable SQL (it runs unchanged on SQLite and PostgreSQL) with ":name" parameters, opened
// (select) or executed (other statements).

#include "host/TDateTime.h"
#include "host/db/Connection.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <map>
#include <type_traits>
#include <vector>

namespace host {

class Query {
public:
    explicit Query(Connection& connection = GetConnection());
    Query(const QString& sql, Connection& connection = GetConnection());

    void setSql(const QString& sql);
    QString sql() const { return sql_; }
    // Binds ":name" (names are not case-sensitive); a null QVariant binds SQL null, and so
    // does a parameter never set. Date-times are bound as TDateTime via QVariant::fromValue or
    // QDateTime / QDate and stored in the backend's canonical form. A plain double stays a
    // number: pass date-times typed.
    void setParam(const QString& name, const QVariant& value);
    // Convenience: setParam("data", someTDateTime) binds a date-time, other values as QVariant.
    template <typename T>
    requires(!std::is_same_v<std::decay_t<T>, QVariant>) void setParam(const QString& name,
                                                                       const T& value) {
        if constexpr (std::is_same_v<std::decay_t<T>, TDateTime>)
            setParam(name, QVariant::fromValue(value));
        else if constexpr (std::is_same_v<std::decay_t<T>, std::nullptr_t>)
            setParam(name, QVariant());
        else
            setParam(name, QVariant(value));
    }
    QVariant param(const QString& name) const;

    void open(); // runs a select; positions on the first row (Eof when none)
    void exec(); // runs any other statement
    void close();

    bool Eof() const { return eof_; }
    void Next();
    QVariant field(const QString& name) const; // null QVariant for SQL null
    bool isNull(const QString& name) const;
    // Typed reads: a date-time column reads as days since 30 Dec 1899 whatever the backend
    // keeps (timestamp or text); null reads as 0.
    double asFloat(const QString& name) const;
    int asInteger(const QString& name) const;
    TDateTime asDateTime(const QString& name) const;
    QString asString(const QString& name) const;
    int RecordCount(); // rows of the open result

    int numRowsAffected() const;
    QVariant lastInsertId() const;
    // The statement as last sent to the backend ("?" marks on SQLite, values on PostgreSQL).
    QString backendSql() const { return backendSql_; }

private:
    void run(bool select);
    int column(const QString& name) const;

    Connection* conn_;
    QString sql_;
    QString backendSql_;
    QString markedFor_;          // SQLite: the text backendSql_ and names_ were made from
    QString preparedFor_;        // SQLite: the text q_ is prepared for
    std::vector<QString> names_; // the parameter of each "?", in order
    std::map<QString, QVariant> params_;
    QSqlQuery q_;
    bool eof_ = true;
};

void OpenQuery(Query& q);
void ExecQuery(Query& q);
void ExecQuery(const QString& sql, Connection* connection = nullptr);

// First row's column as text (empty when no row) / as an integer (0 when no row or null).
QString GetStringDB(const QString& sql, const QString& column, Connection* connection = nullptr);
int GetIntDB(const QString& sql, const QString& column, Connection* connection = nullptr);

} // namespace host
