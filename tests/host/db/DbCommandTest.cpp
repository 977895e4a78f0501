// "tacho db" on a temporary data folder.

#include "../../../apps/cli/DbCommand.h"

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
