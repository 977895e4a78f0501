// "tacho db" on a temporary data folder.

#include "../../../apps/cli/DbCommand.h"

#include "host/db/Connection.h"
#include "host/db/Schema.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome db(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runDbCommand(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

} // namespace

TEST(DbCommand, InitWithDemoThenInfo) {
    QTemporaryDir tmp;
    const QString data = tmp.filePath(QStringLiteral("dane/nowe"));
    Outcome init =
        db({QStringLiteral("init"), QStringLiteral("--data"), data, QStringLiteral("--demo")});
    ASSERT_EQ(init.status, 0) << init.err.toStdString();
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("/tacho.sqlite")));
    Outcome again =
        db({QStringLiteral("init"), QStringLiteral("--data=") + data, QStringLiteral("--demo")});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.out.contains(QLatin1String("not added")));
    Outcome info = db({QStringLiteral("info"), QStringLiteral("--data"), data});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("kierowca +6\\n"))));
}

TEST(DbCommand, FailuresNameTheFileAndExitWithOne) {
    QTemporaryDir tmp;
    const QString missing = tmp.filePath(QStringLiteral("brak"));
    Outcome info = db({QStringLiteral("info"), QStringLiteral("--data"), missing});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.err.contains(missing + QStringLiteral("/tacho.sqlite")));
    EXPECT_FALSE(QFile::exists(missing)); // info creates nothing
    EXPECT_EQ(db({QStringLiteral("info"), QStringLiteral("--demo")}).status, 2);
    EXPECT_EQ(db({QStringLiteral("init"), QStringLiteral("--data")}).status, 2);
}

namespace {

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A database file made with raw statements (no schema check).
void database(const QString& file, const std::vector<QString>& sql,
              host::SchemaUse use = host::SchemaUse::Ignore) {
    host::ConnectionParams p;
    p.database = file;
    p.schemaUse = use;
    host::Connection c(p);
    for (const QString& s : sql)
        c.execNative(s);
}

} // namespace

// The refusals and their texts are the connection's (DbBackendTest); here: which action
// creates, which refuses, and that a refused file is left as it was.
TEST(DbCommand, OnlyOurDatabaseIsReadAndOnlyAnEmptyOneIsCreated) {
    using Prepare = std::function<void(const QString& file)>;
    const QString untouched = QStringLiteral("; nothing was written to it");
    struct Case {
        const char* name;
        Prepare prepare;
        int initStatus;
        QString initText; // on stdout when 0, else on stderr after the file's name
        int infoStatus;
        QString infoText;
    };
    const Case cases[] = {
        {"empty file", [](const QString& f) { writeFile(f, {}); }, 0,
         QStringLiteral("Database created: "), 1,
         QStringLiteral(": it holds no tacho schema (an empty database)")},
        {"foreign tables",
         [](const QString& f) {
             database(f, {QStringLiteral("create table faktura (nr integer, kwota real)")});
         },
         1,
         QStringLiteral(": it is not a tacho database: it holds other tables (faktura) and no "
                        "schema version") +
             untouched,
         1,
         QStringLiteral(": it is not a tacho database: it holds other tables (faktura) and no "
                        "schema version") +
             untouched},
        {"ours", [](const QString& f) { database(f, {}, host::SchemaUse::Create); }, 0,
         QStringLiteral("Database already present: "), 0,
         QStringLiteral("(SQLite, schema version %1)").arg(host::db::kSchemaVersion)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* action : {"init", "info"}) {
            SCOPED_TRACE(action);
            const bool init = QLatin1String(action) == QLatin1String("init");
            QTemporaryDir tmp;
            const QString file = tmp.filePath(QStringLiteral("tacho.sqlite"));
            c.prepare(file);
            const QByteArray before = contents(file);
            const Outcome o = db({QLatin1String(action), QStringLiteral("--data"), tmp.path()});
            const int status = init ? c.initStatus : c.infoStatus;
            const QString text = init ? c.initText : c.infoText;
            EXPECT_EQ(o.status, status) << o.err.toStdString();
            if (status == 0) {
                EXPECT_TRUE(o.out.contains(text)) << o.out.toStdString();
                continue;
            }
            EXPECT_TRUE(o.err.contains(file + text)) << o.err.toStdString();
            EXPECT_EQ(contents(file), before);
        }
    }
}
