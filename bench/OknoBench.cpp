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
    ModulOkien m;
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
    if (!s->m.zaladuj("tacho_window_bench")) return false;
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
        s.m.Execute(nullptr, kx::kTrybNowa);
        QWidget* w = s.m.CreateChild(nullptr, true, true, 0);
        if (!w) {
            state.SkipWithError("no window");
            return;
        }
        const auto tc = zegar::now();
        QMdiSubWindow* ramka = s.m.obszar->addSubWindow(w);
        ramka->showMaximized();
        s.m.Ustaw_Child(w, 0, QStringLiteral("Tarcza"), nullptr);
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
