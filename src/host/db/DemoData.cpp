#include "host/db/DemoData.h"

#include "host/db/Query.h"
#include "host/db/Schema.h"
#include "host/db/SqlText.h"

#include <QFile>

namespace host::db {

namespace {

const char* const kContentTables[] = {"kierowca", "samochod", "miasto", "slownik", "tacho"};

} // namespace

bool isEmptyDatabase(Connection& c) {
    for (const char* table : kContentTables)
        if (GetIntDB(QStringLiteral("select count(*) as n from %1").arg(QLatin1String(table)),
                     QStringLiteral("n"), &c) > 0)
            return false;
    return true;
}

bool FillDemoData(Connection& c) {
    if (!isEmptyDatabase(c)) return false;
    QFile f(QStringLiteral(":/tacho/schema/demo.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The built-in demo data are missing"));
    const std::vector<QString> statements = splitStatements(QString::fromUtf8(f.readAll()));
    c.BeginTrans();
    try {
        for (const QString& s : statements)
            ExecQuery(s, &c);
        syncIdentityKeys(c);
        c.CommitTrans();
    } catch (const DbError&) {
        c.RollbackTrans();
        throw;
    }
    return true;
}

std::vector<std::pair<QString, int>> tableRowCounts(Connection& c) {
    std::vector<std::pair<QString, int>> counts;
    for (const QString& table : schemaTables())
        counts.emplace_back(table, GetIntDB(QStringLiteral("select count(*) as n from ") + table,
                                            QStringLiteral("n"), &c));
    return counts;
}

} // namespace host::db
