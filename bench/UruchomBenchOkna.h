#pragma once
// The main of the window benchmarks: an offscreen application with the host's settings,
// scripted dialogs and an in-memory database, the benchmark's own preparation, the run, and
// the benchmark's own clean-up before the host services go.

#include "host/Dialogi.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

inline int uruchom_benchmarki_okna(int argc, char** argv, const std::function<bool()>& przygotuj,
                                   const std::function<void()>& sprzatnij) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    host::InstallSettings(std::make_shared<host::Ustawienia>(QString()));
    host::InstallDialogs(std::make_shared<host::ScriptedDialogs>());
    host::ConnectionParams p;
    p.database = QStringLiteral(":memory:");
    host::InstallConnection(std::make_shared<host::Connection>(p));
    if (!przygotuj()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sprzatnij();
    host::InstallConnection(nullptr);
    return 0;
}
