#include "host/db/Connection.h"

#include "host/db/DbValues.h"
#include "host/db/Schema.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace host {

namespace {

QString composeWhat(const QString& message, const QString& statement) {
    return statement.isEmpty() ? message : message + QStringLiteral("\nStatement: ") + statement;
}

std::shared_ptr<Connection>& installed() {
    static std::shared_ptr<Connection> connection;
    return connection;
}

QString errorText(const QSqlError& e) {
    QString text = e.databaseText().trimmed();
    if (text.isEmpty()) text = e.driverText().trimmed();
    return text.isEmpty() ? e.text().trimmed() : text;
}

QString withStatement(const DbError& e) {
    return e.statement.isEmpty()
               ? e.message
               : e.message + QStringLiteral(" (statement: ") + e.statement + QLatin1Char(')');
}

} // namespace

DbError::DbError(const QString& message_, const QString& statement_)
    : std::runtime_error(composeWhat(message_, statement_).toStdString()), message(message_),
      statement(statement_) {}

Connection::Connection(const ConnectionParams& params) : params_(params), backend_(params.backend) {
    static QAtomicInt counter;
    name_ = QStringLiteral("tacho_db_%1").arg(counter.fetchAndAddRelaxed(1));
    open();
}

Connection::~Connection() {
    statements_.clear();
    if (db_.isOpen()) {
        if (depth_ > 0) db_.rollback();
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QString Connection::describe() const {
    if (backend_ == Backend::SQLite)
        return QStringLiteral("SQLite database %1").arg(params_.database);
    QString d = QStringLiteral("PostgreSQL database %1 on %2:%3")
                    .arg(params_.database, params_.host)
                    .arg(params_.port);
    if (!params_.schema.isEmpty()) d += QStringLiteral(" (schema %1)").arg(params_.schema);
    return d;
}

void Connection::failOpen(const QString& what) {
    const QString msg = QStringLiteral("Cannot open %1: %2").arg(describe(), what);
    statements_.clear();
    // The constructor throws, so the destructor will not unregister the connection.
    if (db_.isOpen()) db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw DbError(msg);
}

void Connection::open() {
    const QString driver =
        backend_ == Backend::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver))
        failOpen(QStringLiteral("the Qt SQL driver %1 is not installed").arg(driver));
    db_ = QSqlDatabase::addDatabase(driver, name_);
    db_.setDatabaseName(params_.database);
    if (backend_ == Backend::SQLite) {
        if (params_.database.isEmpty()) failOpen(QStringLiteral("no file given"));
        if (params_.database != QLatin1String(":memory:")) {
            const QFileInfo dir(QFileInfo(params_.database).absolutePath());
            if (!dir.isDir())
                failOpen(QStringLiteral("folder %1 does not exist").arg(dir.filePath()));
            // Opening would create it.
            if (params_.schemaUse == SchemaUse::Require && !QFileInfo::exists(params_.database))
                failOpen(QStringLiteral("the file does not exist"));
        }
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db_.setHostName(params_.host);
        db_.setPort(params_.port);
        db_.setUserName(params_.user);
        db_.setPassword(params_.password);
        db_.setConnectOptions(QStringLiteral("connect_timeout=5"));
    }
    if (!db_.open()) failOpen(errorText(db_.lastError()));

    try {
        if (backend_ == Backend::SQLite) {
            execNative(QStringLiteral("PRAGMA foreign_keys = ON"));
            // A commit is on disk when it returns, in either journal mode.
            execNative(QStringLiteral("PRAGMA synchronous = FULL"));
        } else {
            execNative(QStringLiteral("set client_min_messages to warning"));
            // Literals are written with doubled quotes only: backslashes must stay plain.
            execNative(QStringLiteral("set standard_conforming_strings to on"));
            if (!params_.schema.isEmpty())
                execNative(QStringLiteral("set search_path to \"%1\"").arg(params_.schema));
        }
    } catch (const DbError& e) {
        failOpen(withStatement(e));
    }
    if (params_.schemaUse != SchemaUse::Ignore) {
        prepareSchema();
        if (backend_ == Backend::SQLite) useWriteAheadLog();
    }
}

void Connection::useWriteAheadLog() {
    if (params_.database == QLatin1String(":memory:")) return;
    // The mode is kept in the file. A file that cannot take it (read-only, a file system
    // without shared memory) stays with the rollback journal, which is just as safe.
    QSqlQuery q(db_);
    if (q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) q.finish();
}

void Connection::prepareSchema() {
    db::SchemaState state;
    try {
        state = db::inspectSchema(*this);
    } catch (const DbError& e) {
        failOpen(e.message); // e.g. a file that is no SQLite database
    }
    const QString untouched = QStringLiteral("; nothing was written to it");
    switch (state.kind) {
    case db::SchemaState::Empty:
        if (params_.schemaUse == SchemaUse::Require)
            failOpen(QStringLiteral("it holds no tacho schema (an empty database)"));
        try {
            db::installSchema(*this, params_.schemaScript.isEmpty()
                                         ? db::schemaScript(backend_)
                                         : db::fillIdentityKeys(params_.schemaScript, backend_));
        } catch (const DbError& e) {
            failOpen(withStatement(e));
        }
        return;
    case db::SchemaState::Foreign:
        failOpen(QStringLiteral("it is not a tacho database: it holds other tables (%1) and no "
                                "schema version")
                     .arg(state.tables.join(QStringLiteral(", "))) +
                 untouched);
    case db::SchemaState::NoVersion:
        failOpen(QStringLiteral("it is not a complete tacho database: the table wersja_bazy holds "
                                "no schema version") +
                 untouched);
    case db::SchemaState::Ours:
        if (state.version > db::kSchemaVersion)
            failOpen(QStringLiteral("its schema version %1 is newer than this program's (%2); use "
                                    "a newer version of the program")
                         .arg(state.version)
                         .arg(db::kSchemaVersion));
        if (state.version < db::kSchemaVersion)
            failOpen(QStringLiteral("its schema version %1 is older than this program's (%2) and "
                                    "cannot be upgraded")
                         .arg(state.version)
                         .arg(db::kSchemaVersion));
        return;
    }
}

void Connection::execNative(const QString& sql) {
    QSqlQuery q(db_);
    if (!q.exec(sql)) throw DbError(errorText(q.lastError()), sql);
}

void Connection::BeginTrans() {
    if (depth_ == 0 && !db_.transaction())
        throw DbError(QStringLiteral("Cannot begin a transaction: ") + errorText(db_.lastError()));
    ++depth_;
}

void Connection::CommitTrans() {
    if (depth_ == 0) throw DbError(QStringLiteral("CommitTrans without a transaction"));
    if (depth_ == 1) countStatement(QStringLiteral("commit"));
    if (depth_ == 1 && !db_.commit()) {
        const QString why = errorText(db_.lastError());
        db_.rollback();
        depth_ = 0;
        throw DbError(QStringLiteral("Cannot commit: ") + why);
    }
    --depth_;
}

void Connection::RollbackTrans() {
    if (depth_ == 0) return;
    depth_ = 0;
    savepoints_ = 0;
    if (!db_.rollback())
        throw DbError(QStringLiteral("Cannot roll back: ") + errorText(db_.lastError()));
}

void Connection::execKept(const QString& sql) {
    if (backend_ != Backend::SQLite) {
        execNative(sql);
        return;
    }
    Statement s(*this, sql);
    if (!s.exec({})) throw DbError(errorText(s.query().lastError()), sql);
}

// Every stored procedure call inside a transaction takes and releases one: the few names
// repeat, so their statements are kept.
QString Connection::Savepoint() {
    const QString name = QStringLiteral("tacho_sp%1").arg(++savepoints_);
    execKept(QStringLiteral("savepoint ") + name);
    return name;
}

void Connection::ReleaseSavepoint(const QString& name) {
    execKept(QStringLiteral("release savepoint ") + name);
    --savepoints_;
}

void Connection::RollbackToSavepoint(const QString& name) {
    execKept(QStringLiteral("rollback to savepoint ") + name);
    ReleaseSavepoint(name);
}

std::shared_ptr<Connection::Prepared> Connection::takeStatement(const QString& sql) {
    if (backend_ == Backend::SQLite) {
        const auto it = statements_.find(sql);
        if (it != statements_.end() && !it->second->inUse) {
            it->second->inUse = true;
            return it->second;
        }
    }
    auto p = std::make_shared<Prepared>();
    p->query = QSqlQuery(db_);
    p->inUse = true;
    return p;
}

void Connection::giveBack(const QString& sql, const std::shared_ptr<Prepared>& p, bool ok) {
    // Reset: a select read only in part would otherwise keep its read snapshot.
    p->query.finish();
    p->inUse = false;
    const auto it = statements_.find(sql);
    if (!ok || !p->prepared) {
        if (it != statements_.end() && it->second == p) statements_.erase(it);
        return;
    }
    if (it != statements_.end()) return; // kept already (this one ran nested)
    // Statements are written out in the code, with few texts built at run time; a bound
    // keeps an unforeseen stream of texts from piling up.
    constexpr std::size_t kKept = 200;
    if (statements_.size() >= kKept) statements_.clear();
    statements_.emplace(sql, p);
}

Statement::Statement(Connection& c, const QString& backendSql)
    : c_(c), sql_(backendSql), p_(c.takeStatement(backendSql)) {}

Statement::~Statement() {
    c_.giveBack(sql_, p_, ok_);
}

bool Statement::exec(const std::vector<QVariant>& values) {
    QSqlQuery& q = p_->query;
    // PostgreSQL gets the values in place: see Query.
    if (c_.backend() == Backend::PostgreSQL) return ok_ = q.exec(db::inlineValues(sql_, values));
    if (!p_->prepared) {
        ok_ = p_->prepared = q.prepare(sql_);
        if (!ok_) return false;
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        q.bindValue(static_cast<int>(i), db::bindValue(values[i]));
    return ok_ = q.exec();
}

void Connection::failStatement(int n) {
    counting_ = true;
    failAt_ = n;
    counted_.clear();
}

void Connection::stopCounting() {
    counting_ = false;
    failAt_ = 0;
    counted_.clear();
}

void Connection::countStatement(const QString& what) {
    if (!counting_) return;
    counted_.push_back(what);
    if (failAt_ > 0 && counted_.size() == failAt_) {
        failAt_ = 0;
        throw DbError(QStringLiteral("Injected fault at statement %1").arg(counted_.size()), what);
    }
}

void InstallConnection(std::shared_ptr<Connection> connection) {
    installed() = std::move(connection);
}

Connection& GetConnection() {
    if (!installed()) throw DbError(QStringLiteral("No database connection is open"));
    return *installed();
}

} // namespace host
