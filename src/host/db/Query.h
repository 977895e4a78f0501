#pragma once
// A parameterised query bound to a connection, in the manner of the host's query objects:
// SQL Server text with ":name" parameters, opened (select) or executed (other statements).

#include "host/TDateTime.h"
#include "host/db/Connection.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <map>

namespace host {

class Query {
public:
    explicit Query(Connection& connection = GetConnection());
    Query(const QString& sql, Connection& connection = GetConnection());

    void setSql(const QString& sql);
    QString sql() const { return sql_; }
    // Binds ":name"; a null QVariant binds SQL null. Date-times are bound as TDateTime via
    // QVariant::fromValue or QDateTime and stored in the backend's canonical form.
    void setParam(const QString& name, const QVariant& value);

    void open();  // runs a select; positions on the first row (Eof when none)
    void exec();  // runs any other statement
    void close();

    bool Eof() const { return eof_; }
    void Next();
    QVariant field(const QString& name) const;   // null QVariant for SQL null
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

private:
    Connection* conn_;
    QString sql_;
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
