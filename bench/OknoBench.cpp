// Creating and showing one chart window (the module's entry points, as the host calls them,
// into an MDI area under offscreen Qt, without a chart) against decoding one 1000-class chart
// picture, with their ratio. Goal: the window costs less than three decodings.

#include "UruchomBenchOkna.h"

#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/SampleCharts.h"
#include "host/Biblioteki.h"
#include "host/Bitmap32.h"
#include "host/Dialogi.h"
#include "host/HostMessages.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "module/KxAbi.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Srodowisko {
    QTemporaryDir dir;
    QString png;
    std::shared_ptr<QLibrary> modul;
    kx::Execute_fn Execute = nullptr;
    kx::CreateChild_fn CreateChild = nullptr;
    kx::Ustaw_Child_fn Ustaw_Child = nullptr;
    std::vector<std::shared_ptr<QLibrary>> boczne;
    std::unique_ptr<QMdiArea> obszar;
};

std::unique_ptr<Srodowisko>& srodowisko() {
    static std::unique_ptr<Srodowisko> s;
    return s;
}

bool przygotuj() {
    auto s = std::make_unique<Srodowisko>();
    QString blad;
    const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g = k ? chartgen::ChartGeometry::from(*k, &blad) : std::nullopt;
    chartgen::ChartSpec spec = chartgen::sampleCharts().front().spec;
    spec.rozmiar = 1000;
    const auto c = g ? chartgen::drawChart(spec, *g, &blad) : std::nullopt;
    s->png = s->dir.filePath(QStringLiteral("wykres_1000.png"));
    if (!c || !c->image.image().convertToFormat(QImage::Format_Mono).save(s->png, "PNG")) {
        std::fprintf(stderr, "tacho_window_bench: no chart: %s\n", qPrintable(blad));
        return false;
    }
    s->modul = host::LoadLibrary_main(QStringLiteral("dane\\Korvix\\Child.dll"));
    if (!s->modul) {
        std::fprintf(stderr, "tacho_window_bench: libChild.so not loaded\n");
        return false;
    }
    s->Execute = reinterpret_cast<kx::Execute_fn>(s->modul->resolve("_Execute"));
    s->CreateChild = reinterpret_cast<kx::CreateChild_fn>(s->modul->resolve("_CreateChild"));
    s->Ustaw_Child = reinterpret_cast<kx::Ustaw_Child_fn>(s->modul->resolve("_Ustaw_Child"));
    if (!s->Execute || !s->CreateChild || !s->Ustaw_Child) return false;
    // As tacho-host does, the side libraries every window loads stay loaded between windows.
    for (const char* nazwa :
         {"UstDll.dll", "SharedData.dll", "dane.dll", "dane\\Korvix\\KxZamianaZdarzen.dll"})
        if (auto b = host::LoadLibrary_main(QLatin1String(nazwa))) s->boczne.push_back(b);
    s->obszar = std::make_unique<QMdiArea>();
    s->obszar->resize(1280, 800);
    s->obszar->show();
    srodowisko() = std::move(s);
    return true;
}

void BM_OknoIDekodowanie(benchmark::State& state) {
    Srodowisko& s = *srodowisko();
    using zegar = std::chrono::steady_clock;
    double okno = 0, dekodowanie = 0, tworzenie = 0, ustawienie = 0;
    for (auto _ : state) {
        const auto t0 = zegar::now();
        host::Bitmap32 bmp;
        if (!bmp.LoadFromFile(s.png)) {
            state.SkipWithError("cannot decode the chart");
            return;
        }
        const auto t1 = zegar::now();
        s.Execute(nullptr, kx::kTrybNowa);
        QWidget* w = s.CreateChild(nullptr, true, true, 0);
        if (!w) {
            state.SkipWithError("no window");
            return;
        }
        const auto tc = zegar::now();
        QMdiSubWindow* ramka = s.obszar->addSubWindow(w);
        ramka->showMaximized();
        s.Ustaw_Child(w, 0, QStringLiteral("Tarcza"), nullptr);
        const auto tu = zegar::now();
        QCoreApplication::processEvents(); // layout and first paint
        const auto t2 = zegar::now();
        tworzenie += std::chrono::duration<double>(tc - t1).count();
        ustawienie += std::chrono::duration<double>(tu - tc).count();
        delete ramka;
        QCoreApplication::sendPostedEvents();
        dekodowanie += std::chrono::duration<double>(t1 - t0).count();
        okno += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["window_ms"] = okno / n * 1e3;
    state.counters["decode_ms"] = dekodowanie / n * 1e3;
    // Where the window's time goes: construction, framing and show, first layout and paint.
    state.counters["create_ms"] = tworzenie / n * 1e3;
    state.counters["show_ms"] = ustawienie / n * 1e3;
    state.counters["ratio"] = dekodowanie > 0 ? okno / dekodowanie : 0.0;
}
BENCHMARK(BM_OknoIDekodowanie)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return uruchom_benchmarki_okna(argc, argv, przygotuj, [] { srodowisko().reset(); });
}
