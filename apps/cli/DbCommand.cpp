#include "DbCommand.h"

#include "CommandLine.h"
#include "host/HostContext.h"
#include "host/db/DemoData.h"
#include "host/db/Query.h"
#include "host/db/Schema.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <optional>

namespace {

constexpr int kFailed = 1;

struct Options {
    QString action;
    QString data;
    bool demo = false;
};

// Parses the command line; nullopt with the exit status in `done` when the command is over
// (help shown, or a usage error reported).
std::optional<Options> parse(const QStringList& args, QTextStream& out, QTextStream& err,
                             int& done) {
    cli::CommandLine cl(QStringLiteral("tacho db"),
                        QStringLiteral("tacho db init|info [--data DIR] [--demo]"),
                        QStringLiteral("init creates the data folder's database (with --demo, a "
                                       "demo fleet in it); info describes it."));
    QCommandLineParser& p = cl.parser();
    const auto data = cl.option(QStringLiteral("data"),
                                QStringLiteral("The data folder (default: %1).")
                                    .arg(QDir::toNativeSeparators(host::DefaultDataFolder())),
                                QStringLiteral("DIR"));
    const auto demo =
        cl.option(QStringLiteral("demo"), QStringLiteral("With init: add the demo fleet."));
    cl.addArguments(QStringLiteral("ACTION"), QStringLiteral("init or info"), {});
    if (const auto d = cl.parse(args, out, err)) {
        done = *d;
        return std::nullopt;
    }
    Options o;
    const QStringList rest = p.positionalArguments();
    o.action = rest.value(0);
    o.demo = p.isSet(demo);
    o.data = p.isSet(data) ? p.value(data) : host::DefaultDataFolder();
    QString error;
    if (rest.size() > 1)
        error = QStringLiteral("unexpected argument %1").arg(rest.at(1));
    else if (o.action != QLatin1String("init") && o.action != QLatin1String("info"))
        error = o.action.isEmpty() ? QStringLiteral("init or info expected")
                                   : QStringLiteral("unknown action %1").arg(o.action);
    else if (o.demo && o.action != QLatin1String("init"))
        error = QStringLiteral("--demo belongs to init");
    else if (o.data.trimmed().isEmpty())
        error = QStringLiteral("the data folder is empty");
    if (!error.isEmpty()) {
        done = cl.error(error, err);
        return std::nullopt;
    }
    return o;
}

// init creates the schema in a new or empty file; info only reads a database that is ours.
// Both refuse any other database without writing to it.
std::unique_ptr<host::Connection> openDatabase(const QString& file, host::SchemaUse use) {
    host::ConnectionParams p;
    p.backend = host::Backend::SQLite;
    p.database = file;
    p.schemaUse = use;
    return std::make_unique<host::Connection>(p);
}

void printDriversAndVehicles(host::Connection& c, QTextStream& out) {
    const int drivers = host::GetIntDB(QStringLiteral("select count(*) as n from kierowca"),
                                       QStringLiteral("n"), &c);
    if (drivers > 0) {
        out << "Drivers (" << drivers << (drivers > 5 ? ", the first 5" : "") << "):\n";
        host::Query q(
            QStringLiteral(
                "select k.id_k, k.nazwisko, k.imie, k.data_od, k.data_do, f.nazwa_skrot from "
                "kierowca k left join firma f on f.id_f = k.id_f order by k.nazwisko, k.imie "
                "limit 5"),
            c);
        q.open();
        for (; !q.Eof(); q.Next()) {
            const QString name = (q.asString(QStringLiteral("nazwisko")) + QLatin1Char(' ') +
                                  q.asString(QStringLiteral("imie")))
                                     .trimmed();
            QString employed = q.isNull(QStringLiteral("data_od"))
                                   ? QStringLiteral("?")
                                   : q.asString(QStringLiteral("data_od")).left(10);
            employed += QStringLiteral(" - ");
            if (!q.isNull(QStringLiteral("data_do")))
                employed += q.asString(QStringLiteral("data_do")).left(10);
            out << QStringLiteral("  %1  %2  employed %3  %4\n")
                       .arg(q.asInteger(QStringLiteral("id_k")), 4)
                       .arg(name, -24)
                       .arg(employed, -25)
                       .arg(q.asString(QStringLiteral("nazwa_skrot")));
        }
    }
    const int vehicles = host::GetIntDB(QStringLiteral("select count(*) as n from samochod"),
                                        QStringLiteral("n"), &c);
    if (vehicles > 0) {
        out << "Vehicles (" << vehicles << (vehicles > 5 ? ", the first 5" : "") << "):\n";
        host::Query q(
            QStringLiteral("select id_s, nr_rej, marka from samochod order by nr_rej limit 5"), c);
        q.open();
        for (; !q.Eof(); q.Next())
            out << QStringLiteral("  %1  %2  %3\n")
                       .arg(q.asInteger(QStringLiteral("id_s")), 4)
                       .arg(q.asString(QStringLiteral("nr_rej")), -10)
                       .arg(q.asString(QStringLiteral("marka")));
    }
}

int info(host::Connection& c, const QString& file, QTextStream& out) {
    const int version = host::GetIntDB(QStringLiteral("select wersja from wersja_bazy"),
                                       QStringLiteral("wersja"), &c);
    out << "Database: " << QDir::toNativeSeparators(file) << " (SQLite, schema version " << version
        << ")\n";
    out << "Rows per table:\n";
    int total = 0;
    for (const auto& [table, rows] : host::db::tableRowCounts(c)) {
        out << QStringLiteral("  %1 %2\n").arg(table, -20).arg(rows, 6);
        total += rows;
    }
    out << QStringLiteral("  %1 %2\n").arg(QStringLiteral("(all)"), -20).arg(total, 6);
    printDriversAndVehicles(c, out);
    return 0;
}

} // namespace

int runDbCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    int done = 0;
    const std::optional<Options> parsed = parse(args, out, err, done);
    if (!parsed) return done;
    const Options& o = *parsed;
    const QString file = host::DatabaseFileIn(o.data);
    try {
        if (o.action == QLatin1String("init")) {
            if (!QDir().mkpath(o.data)) {
                err << "tacho db: cannot create the data folder "
                    << QDir::toNativeSeparators(o.data) << '\n';
                return kFailed;
            }
            const bool existed = QFileInfo(file).size() > 0; // an empty file is a new database
            auto c = openDatabase(file, host::SchemaUse::Create);
            out << (existed ? "Database already present: " : "Database created: ")
                << QDir::toNativeSeparators(file) << '\n';
            if (o.demo) {
                if (host::db::FillDemoData(*c))
                    out << "Demo fleet added.\n";
                else
                    out << "The database already holds data: demo fleet not added.\n";
            }
            return 0;
        }
        if (!QFileInfo(file).isFile()) {
            err << "tacho db: no database " << QDir::toNativeSeparators(file)
                << " (create it with: tacho db init --data " << QDir::toNativeSeparators(o.data)
                << ")\n";
            return kFailed;
        }
        auto c = openDatabase(file, host::SchemaUse::Require);
        return info(*c, file, out);
    } catch (const host::DbError& e) {
        err << "tacho db: " << e.message << '\n';
        if (!e.statement.isEmpty()) err << "statement: " << e.statement << '\n';
        return kFailed;
    }
}
