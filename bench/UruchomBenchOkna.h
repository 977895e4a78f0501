#pragma once
// The main of the window benchmarks: an offscreen application with the host's settings,
// scripted dialogs and an in-memory database, the benchmark's own preparation, the run, and
// the benchmark's own clean-up before the host services go.

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "module/KxAbi.h"

#include <QApplication>
#include <QLibrary>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// The module as tacho-host holds it: its entry points, the side libraries every window loads
// (kept loaded between windows, as the host keeps them) and the MDI area the windows go in.
struct ModulOkien {
    std::shared_ptr<QLibrary> modul;
    kx::Execute_fn Execute = nullptr;
    kx::CreateChild_fn CreateChild = nullptr;
    kx::Ustaw_Child_fn Ustaw_Child = nullptr;
    std::vector<std::shared_ptr<QLibrary>> boczne;
    std::unique_ptr<QMdiArea> obszar;

    // False (after a message naming the program) when the module or an entry point is missing.
    bool zaladuj(const char* program) {
        modul = host::LoadLibrary_main(QStringLiteral("dane\\Korvix\\Child.dll"));
        if (!modul) {
            std::fprintf(stderr, "%s: libChild.so not loaded\n", program);
            return false;
        }
        Execute = reinterpret_cast<kx::Execute_fn>(modul->resolve("_Execute"));
        CreateChild = reinterpret_cast<kx::CreateChild_fn>(modul->resolve("_CreateChild"));
        Ustaw_Child = reinterpret_cast<kx::Ustaw_Child_fn>(modul->resolve("_Ustaw_Child"));
        if (!Execute || !CreateChild || !Ustaw_Child) {
            std::fprintf(stderr, "%s: libChild.so lacks an entry point\n", program);
            return false;
        }
        for (const char* nazwa :
             {"UstDll.dll", "SharedData.dll", "dane.dll", "dane\\Korvix\\KxZamianaZdarzen.dll"})
            if (auto b = host::LoadLibrary_main(QLatin1String(nazwa))) boczne.push_back(b);
        obszar = std::make_unique<QMdiArea>();
        obszar->resize(1280, 800);
        obszar->show();
        return true;
    }
};

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
