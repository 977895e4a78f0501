// The command lines of tacho and chartgen, and files that are not files, as a user meets them.
#include "UruchomTacho.h"
#include "chartgen/ChartgenTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Wynik {
    int status = -1;
    QString out, err;
};

Wynik tacho(const QStringList& args) {
    const WynikTacho r = uruchom_tacho(args, 60000);
    return {r.kod, QString::fromUtf8(r.out), QString::fromUtf8(r.err)};
}

Wynik chartgenTool(const QStringList& args) {
    Wynik r;
    QTextStream out(&r.out), err(&r.err);
    r.status = chartgen::runChartgen(args, out, err);
    return r;
}

QString fifo(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("pipe"));
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

} // namespace

TEST(CommandLine, HelpAndVersion) {
    const struct {
        QStringList args;
        const char* shows;
    } cases[] = {
        {{"--help"}, "usage: tacho COMMAND [arguments]"},
        {{"--version"}, "tacho 0.1\n"},
        {{"read", "--help"}, "usage: tacho read [options] IMAGE..."},
        {{"read", "-h"}, "--format <text|json>"},
        {{"check", "--help"}, "usage: tacho check FILE [--lang pl|en]"},
        {{"db", "--help"}, "--data <DIR>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Wynik r = tacho(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.contains(QLatin1String(c.shows))) << r.out.toStdString();
    }
    const Wynik help = chartgenTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("usage: chartgen --out DIR")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--grey <DPI>")) << help.out.toStdString();
    EXPECT_EQ(chartgenTool({"--version"}).out, "chartgen 0.1\n");
}

TEST(CommandLine, WhatCannotBeUnderstoodIsNamedAndExits2) {
    const struct {
        QStringList args;
        const char* message; // the line before the usage line
    } cases[] = {
        {{}, "tacho: a command is needed"},
        {{"reed"}, "tacho: unknown command reed"},
        {{"read"}, "tacho read: no image given"},
        {{"read", "--kat24=400", "x.png"},
         "tacho read: --kat24 takes an angle from 0 to 360, "
         "not 400"},
        {{"read", "--kind", "9", "x.png"}, "tacho read: --kind takes 0 to 4, not 9"},
        {{"read", "--format", "xml", "x.png"}, "tacho read: --format takes text or json, not xml"},
        {{"read", "--date", "2024-02-30", "x.png"},
         "tacho read: --date takes YYYY-MM-DD, not "
         "2024-02-30"},
        {{"read", "--bogus", "x.png"}, "tacho read: Unknown option 'bogus'."},
        {{"read", "x.png", "--kind"}, "tacho read: Missing value after '--kind'."},
        {{"check"}, "tacho check: a day file is needed"},
        {{"check", "a.json", "b.json"}, "tacho check: one day file at a time, not 2"},
        {{"check", "--lang", "de", "a.json"}, "tacho check: --lang takes pl or en, not de"},
        {{"db"}, "tacho db: init or info expected"},
        {{"db", "frob"}, "tacho db: unknown action frob"},
        {{"db", "info", "--demo"}, "tacho db: --demo belongs to init"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Wynik r = tacho(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        // Qt may warn about the environment first.
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message) + "\nusage: tacho"))
            << r.err.toStdString();
    }
    const struct {
        QStringList args;
        const char* message;
    } chartgenCases[] = {
        {{"--grey", "abc", "--spec", "a.json", "--out", "a.png"},
         "chartgen: --grey takes a resolution of 50..1200 dpi, not abc"},
        {{"--samples"}, "chartgen: --out is required"},
        {{"--out", "x", "stray"}, "chartgen: unexpected argument stray"},
    };
    for (const auto& c : chartgenCases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Wynik r = chartgenTool(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.startsWith(QLatin1String(c.message) + "\nusage: chartgen"))
            << r.err.toStdString();
    }
}

// A named pipe with no writer would block a reader for ever: both commands refuse it.
TEST(CommandLine, PipeIsRefusedNotWaitedFor) {
    QTemporaryDir dir;
    const QString pipe = fifo(dir);
    const Wynik read = tacho({"read", "--format", "json", pipe});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.out.trimmed(),
              QStringLiteral("{\"error\":\"is not a regular file (a pipe, socket or device); "
                             "save the scan to a file and give its name\",\"file\":\"%1\","
                             "\"ok\":false}")
                  .arg(pipe));
    const Wynik check = tacho({"check", pipe});
    EXPECT_EQ(check.status, 2);
    EXPECT_TRUE(
        check.err.endsWith(QStringLiteral("tacho check: %1 is not a regular file (a pipe, socket "
                                          "or device); give - to read the standard input\n")
                               .arg(pipe)))
        << check.err.toStdString();
}

TEST(CommandLine, CalibrationOutOfRangeStopsTheReadingBeforeAnyFile) {
    QTemporaryDir dir;
    QFile ini(dir.filePath("ust_tacho.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("rdolny_km=-5\n");
    ini.close();
    const Wynik r = tacho({"read", "--ini", ini.fileName(), "x.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(
        r.err.endsWith(QStringLiteral("tacho read: %1, line 1, key rdolny_km: value -5 is out of "
                                      "range (230..300)\n")
                           .arg(ini.fileName())))
        << r.err.toStdString();
}
