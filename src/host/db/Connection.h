#pragma once
// The host's database connection: Qt SQL on SQLite (embedded default) or PostgreSQL (shared
// server). The module's SQL is written in the SQL Server dialect; the connection adapts it
// for the backend in use (see SqlDialect). Errors raise DbError with the backend's message and
// the statement.

#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <stdexcept>

namespace host {

class DbError : public std::runtime_error {
public:
    DbError(const QString& message, const QString& statement = {});
    QString message;
    QString statement;
};

enum class Backend { SQLite, PostgreSQL };

struct ConnectionParams {
    Backend backend = Backend::SQLite;
    QString database; // SQLite: file path or ":memory:"; PostgreSQL: database name
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    QString user;
    QString password;
};

class Connection {
public:
    // Opens the database and creates the schema on first use (one transaction).
    explicit Connection(const ConnectionParams& params);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Backend backend() const { return backend_; }
    QSqlDatabase& db() { return db_; }

    // SQL Server text adapted for this backend.
    QString adapt(const QString& sqlServerText) const;

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return depth_ > 0; }

private:
    Backend backend_;
    QString name_;
    QSqlDatabase db_;
    int depth_ = 0;
};

// The host's open connection, shared by all queries. Module-wide, as in the host.
void InstallConnection(std::shared_ptr<Connection> connection);
Connection& GetConnection(); // throws DbError when none is open

} // namespace host
