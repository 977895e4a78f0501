#pragma once
// The host's database connection: Qt SQL on SQLite (embedded default) or PostgreSQL (shared
// server). All SQL the module and the host write is portable: it runs unchanged on both (bound
// parameters, coalesce, limit, date arithmetic done in C++). Errors raise DbError with the
// backend's message and the statement.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace host {

class DbError : public std::runtime_error {
public:
    DbError(const QString& message, const QString& statement = {});
    QString message;   // the backend's message (or ours, for errors found before the backend)
    QString statement; // the statement as the caller wrote it
};

enum class Backend { SQLite, PostgreSQL };

// What opening a connection does about the schema. Create and Require both refuse a database
// that is not ours (other tables and no schema version, or an empty version table) and one
// whose schema version is not this program's, and write nothing to it.
enum class SchemaUse {
    Create,  // an empty database (or a new SQLite file) gets the schema
    Require, // an empty database is refused too; a missing SQLite file is not created
    Ignore   // no look at the schema: raw access for tools and tests
};

struct ConnectionParams {
    Backend backend = Backend::SQLite;
    QString database; // SQLite: file path or ":memory:"; PostgreSQL: database name
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    QString user;
    QString password;
    // PostgreSQL: the schema to work in, created together with the tables; empty: the
    // server's default search path.
    QString schema;
    // Script installed on first use instead of the built-in schema (same {ID} key word).
    QString schemaScript;
    SchemaUse schemaUse = SchemaUse::Create;
};

class Connection {
public:
    // Opens the database and checks or creates the schema as params.schemaUse says (creation
    // is one transaction). Throws DbError naming the database when it cannot be opened, is
    // refused, or the schema cannot be created.
    explicit Connection(const ConnectionParams& params);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Backend backend() const { return backend_; }
    QSqlDatabase& db() { return db_; }
    const ConnectionParams& params() const { return params_; }
    // "SQLite database /path/tacho.sqlite", "PostgreSQL database tacho on 127.0.0.1:5432".
    QString describe() const;

    // ADO-style transactions: nested BeginTrans calls count, the outermost CommitTrans
    // commits; RollbackTrans rolls everything back (and does nothing outside a transaction).
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return depth_ > 0; }

    // Runs a statement as it is, without parameters (session settings, savepoints, DDL).
    void execNative(const QString& backendSql);

    // Savepoints, for work that must vanish on failure without ending the caller's
    // transaction. Returns the savepoint's name.
    QString Savepoint();
    void ReleaseSavepoint(const QString& name);
    void RollbackToSavepoint(const QString& name);

    // Fault injection for tests: from now on statements are counted and their texts kept, and
    // the n-th one (1 = the next) fails with a DbError before it reaches the backend (n 0:
    // only count). Statements are queries opened or executed, stored procedures (one each,
    // whatever they run inside) and the outermost commit. stopCounting ends both.
    void failStatement(int n);
    void stopCounting();
    const QStringList& statementsCounted() const { return counted_; }
    // Called before each statement; throws the injected fault when its turn has come.
    void countStatement(const QString& what);

private:
    void open();
    void prepareSchema();
    // A file database of ours is switched to the write-ahead log: a commit appends its pages
    // to the log and syncs that one file, where the rollback journal syncs the journal, its
    // folder and the database in turn. Readers also go on while another connection writes.
    void useWriteAheadLog();
    void execKept(const QString& backendSql); // execNative through a Statement on SQLite
    [[noreturn]] void failOpen(const QString& what);

    ConnectionParams params_;
    Backend backend_;
    QString name_;
    QSqlDatabase db_;
    int depth_ = 0;
    int savepoints_ = 0;
    bool counting_ = false;
    int failAt_ = 0;
    QStringList counted_;
    // Prepared statements by text, for Statement.
    struct Prepared {
        QSqlQuery query;
        bool prepared = false;
        bool inUse = false;
    };
    friend class Statement;
    std::shared_ptr<Prepared> takeStatement(const QString& backendSql);
    void giveBack(const QString& backendSql, const std::shared_ptr<Prepared>& p, bool ok);
    std::unordered_map<QString, std::shared_ptr<Prepared>> statements_;
};

// One run of a statement in the backend's dialect with "?" values. On SQLite the prepared
// statement is kept by the connection for the next run of the same text, so a statement run
// once per row is parsed once; a text already running (a nested run) gets one of its own.
// The result can be read until the object goes; then it is reset (no read snapshot held).
// It lives within a call on its connection, never longer than the connection.
class Statement {
public:
    Statement(Connection& c, const QString& backendSql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds the values in order and runs the statement; false on failure (lastError()).
    bool exec(const std::vector<QVariant>& values);
    QSqlQuery& query() { return p_->query; }

private:
    Connection& c_;
    QString sql_;
    std::shared_ptr<Connection::Prepared> p_;
    bool ok_ = true;
};

// The host's open connection, shared by all queries. Module-wide, as in the host.
void InstallConnection(std::shared_ptr<Connection> connection);
Connection& GetConnection(); // throws DbError when none is open

} // namespace host
