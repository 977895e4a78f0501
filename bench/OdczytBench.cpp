// For each image size class: the time to decode a chart's PNG file and the time to read the
// decoded chart (centre and rings, activity, distance, periods with their kilometres, the
// summary and the rule check), side by side with their ratio. The reading should cost less than the
// decoding (ratio below 1).
//
// The charts come from the chart generator and are written as 1-bit PNG files, the form a
// black-and-white scan takes, into a temporary folder at start.

#include "TwoStageTimer.h"
#include "UruchomBenchOdczytu.h"
#include "WykresProbny.h"

#include "activity/OdczytTarczy.h"
#include "host/Bitmap32.h"
#include "host/Ustawienia.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>

namespace {

struct Wykresy {
    QTemporaryDir dir;
    analysis::Kalibracja kalibracja;
    std::map<int, QString> png; // size class -> file
    std::map<int, float> kat24;
};

std::unique_ptr<Wykresy>& wykresy() {
    static std::unique_ptr<Wykresy> w;
    return w;
}

// The sample day, drawn once for every size class.
bool przygotuj() {
    auto w = std::make_unique<Wykresy>();
    for (int rozmiar : {800, 1000, 1500}) {
        const auto wykres = narysuj_wykres_probny(rozmiar, 120.0, "tacho_bench");
        if (!wykres) return false;
        w->kalibracja = wykres->kalibracja;
        const QString plik = w->dir.filePath(QStringLiteral("wykres_%1.png").arg(rozmiar));
        // A one-bit PNG, as a black-and-white scan is stored.
        if (!wykres->obraz.image().convertToFormat(QImage::Format_Mono).save(plik, "PNG")) {
            std::fprintf(stderr, "tacho_bench: cannot write %s\n", qPrintable(plik));
            return false;
        }
        w->png[rozmiar] = plik;
        w->kat24[rozmiar] = wykres->kat24;
    }
    wykresy() = std::move(w);
    return true;
}

// One reading as a new chart gets it (up to the summary and the rule check); returns the
// kilometres read.
std::int64_t czytaj(const host::Bitmap32& bmp, const analysis::Kalibracja& kal, float kat24) {
    WejscieTarczy we;
    we.x0 = bmp.width() / 2.0f;
    we.y0 = bmp.height() / 2.0f;
    we.kat24 = kat24;
    we.data = host::TDateTime::encode(2024, 3, 5);
    return odczytaj_tarcze(bmp, kal, we).podsumowanie.suma_km;
}

void BM_DekodowanieIOdczyt(benchmark::State& state) {
    const int rozmiar = int(state.range(0));
    const Wykresy& w = *wykresy();
    const QString plik = w.png.at(rozmiar);
    TwoStageTimer czas;
    std::int64_t km = 0;
    for (auto _ : state) {
        host::Bitmap32 bmp;
        if (!czas.first([&] { return bmp.LoadFromFile(plik); })) {
            state.SkipWithError("cannot decode the chart");
            return;
        }
        km = czas.second([&] { return czytaj(bmp, w.kalibracja, w.kat24.at(rozmiar)); });
        benchmark::DoNotOptimize(km);
    }
    czas.report(state, "decode", "analysis");
    state.counters["km"] = double(km);
}
BENCHMARK(BM_DekodowanieIOdczyt)->Arg(800)->Arg(1000)->Arg(1500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return uruchom_benchmarki_odczytu(argc, argv, przygotuj, [] { wykresy().reset(); });
}
