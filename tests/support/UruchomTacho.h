#pragma once
// Runs the tacho program of the runtime tree as a user would, and collects what it printed.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

struct WynikTacho {
    int kod = -1;
    QByteArray out, err;
};

// A program still running after the time limit fails the calling test and is killed.
inline WynikTacho uruchom_tacho(const QStringList& args, int limit_ms = 120000) {
    QProcess p;
    p.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tacho")), args);
    EXPECT_TRUE(p.waitForFinished(limit_ms)) << "still running: " << args.join(' ').toStdString();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
