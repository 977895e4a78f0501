#pragma once
// The main of the benchmarks that read and save charts without a window: a GUI application
// for the image codecs, the benchmark's own preparation, the settings store created and the
// event-conversion library loaded before the timing starts (as `tacho read` keeps it loaded
// for a batch), the run, and the benchmark's own clean-up.

#include "activity/Lista_zdarz.h"
#include "host/Ustawienia.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int uruchom_benchmarki_odczytu(int argc, char** argv, const std::function<bool()>& przygotuj,
                                      const std::function<void()>& sprzatnij) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!przygotuj()) return 1;
    host::GetZm(QStringLiteral("min_zd_po"), QStringLiteral("KX"));
    const auto biblioteka = Lista_zdarz::biblioteka_zamiany();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sprzatnij();
    return 0;
}
