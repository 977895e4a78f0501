// "tacho db" on a temporary data folder.

#include "../../../apps/cli/DbCommand.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(init.out.contains(QLatin1String("Demo fleet added")));

    Outcome again =
        db({QStringLiteral("init"), QStringLiteral("--data=") + data, QStringLiteral("--demo")});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.out.contains(QLatin1String("not added")));

    Outcome info = db({QStringLiteral("info"), QStringLiteral("--data"), data});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("kierowca +6\\n"))));
    EXPECT_TRUE(info.out.contains(QStringLiteral("Kowalski Jan")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("WX 4521K")));
}

TEST(DbCommand, FailuresNameTheFileAndExitWithOne) {
    QTemporaryDir tmp;
    const QString missing = tmp.filePath(QStringLiteral("brak"));
    Outcome info = db({QStringLiteral("info"), QStringLiteral("--data"), missing});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.err.contains(missing + QStringLiteral("/tacho.sqlite")));
    EXPECT_FALSE(QFile::exists(missing)); // info creates nothing

    const QString blocker = tmp.filePath(QStringLiteral("plik"));
    QFile(blocker).open(QIODevice::WriteOnly);
    Outcome notFolder =
        db({QStringLiteral("init"), QStringLiteral("--data"), blocker + QStringLiteral("/dane")});
    EXPECT_EQ(notFolder.status, 1);
    EXPECT_TRUE(notFolder.err.contains(blocker));

    QDir(tmp.path()).mkpath(QStringLiteral("zepsuta"));
    QFile junk(tmp.filePath(QStringLiteral("zepsuta/tacho.sqlite")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Outcome broken = db({QStringLiteral("info"), QStringLiteral("--data"),
                         tmp.filePath(QStringLiteral("zepsuta"))});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.err.contains(junk.fileName()));

    EXPECT_EQ(db({QStringLiteral("info"), QStringLiteral("--demo")}).status, 2);
    EXPECT_EQ(db({QStringLiteral("drop")}).status, 2);
    EXPECT_EQ(db({QStringLiteral("init"), QStringLiteral("--data")}).status, 2);
}
