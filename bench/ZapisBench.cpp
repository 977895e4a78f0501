// Saving a read chart against reading it: a 1000-class chart with 20 periods and about 100
// distance points, read by odczytaj_tarcze, then stored whole (chart row, periods, their
// distance points, the picture) in a SQLite database as a new chart. The save should cost
// less than the reading (ratio below 1).

#include "UruchomBenchOdczytu.h"
#include "WykresProbny.h"

#include "activity/OdczytTarczy.h"
#include "activity/ZapisTarczy.h"
#include "host/Dialogi.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

double hm(int h, int m) {
    return h * 60.0 + m;
}

// A busy day of twenty periods: seven drives of 35..80 km split by short work, availability
// and rest, 435 km in all (about a hundred distance points).
chartgen::ChartSpec dzien_20_okresow() {
    auto p = [](int kod, double od, double do_, int km = 0) {
        return chartgen::Period{kod, od, do_, km};
    };
    chartgen::ChartSpec s;
    s.periods = {p(0, hm(0, 0), hm(5, 0)),        p(1, hm(5, 0), hm(5, 20)),
                 p(2, hm(5, 20), hm(6, 50), 80),  p(1, hm(6, 50), hm(7, 5)),
                 p(2, hm(7, 5), hm(8, 30), 75),   p(0, hm(8, 30), hm(9, 15)),
                 p(2, hm(9, 15), hm(10, 35), 70), p(3, hm(10, 35), hm(11, 0)),
                 p(2, hm(11, 0), hm(12, 15), 65), p(0, hm(12, 15), hm(12, 45)),
                 p(1, hm(12, 45), hm(13, 15)),    p(2, hm(13, 15), hm(14, 25), 60),
                 p(3, hm(14, 25), hm(14, 40)),    p(0, hm(14, 40), hm(15, 0)),
                 p(2, hm(15, 0), hm(16, 0), 50),  p(1, hm(16, 0), hm(16, 30)),
                 p(3, hm(16, 30), hm(16, 45)),    p(2, hm(16, 45), hm(17, 30), 35),
                 p(1, hm(17, 30), hm(18, 0)),     p(0, hm(18, 0), hm(24, 0))};
    return s;
}

struct Dane {
    QTemporaryDir dir;
    analysis::Kalibracja kalibracja;
    std::optional<host::Bitmap32> obraz;
    float kat24 = 120.0f;
};

std::unique_ptr<Dane>& dane() {
    static std::unique_ptr<Dane> d;
    return d;
}

bool przygotuj() {
    auto d = std::make_unique<Dane>();
    auto wykres = narysuj_wykres_probny(dzien_20_okresow(), 1000, d->kat24, "tacho_zapis_bench");
    if (!wykres) return false;
    d->kalibracja = wykres->kalibracja;
    d->obraz = std::move(wykres->obraz);
    host::ConnectionParams p;
    p.database = d->dir.filePath(QStringLiteral("tacho.sqlite"));
    host::InstallConnection(std::make_shared<host::Connection>(p));
    dane() = std::move(d);
    return true;
}

OdczytTarczy czytaj(const Dane& d) {
    WejscieTarczy we;
    we.x0 = d.obraz->width() / 2.0f;
    we.y0 = d.obraz->height() / 2.0f;
    we.kat24 = d.kat24;
    we.data = host::TDateTime::encode(2024, 3, 5);
    return odczytaj_tarcze(*d.obraz, d.kalibracja, we);
}

void BM_ZapisOdczytanejTarczy(benchmark::State& state) {
    const Dane& d = *dane();
    using zegar = std::chrono::steady_clock;
    double odczyt = 0, zapis = 0;
    int okresy = 0, punkty = 0;
    for (auto _ : state) {
        const auto t0 = zegar::now();
        OdczytTarczy o = czytaj(d);
        const auto t1 = zegar::now();
        NaglowekTarczy n;
        n.data = host::TDateTime::encode(2024, 3, 5);
        n.id_k = n.id_k_zapisany = 1;
        n.id_s = 1;
        n.obraz = &*d.obraz;
        n.katalog_obrazow = d.dir.path();
        const WynikZapisu w = ZapisTarczy(n, *o.lista, lista_rozladunkow()).zapisz();
        const auto t2 = zegar::now();
        if (!w.zapisano) {
            state.SkipWithError("the chart was not saved");
            return;
        }
        odczyt += std::chrono::duration<double>(t1 - t0).count();
        zapis += std::chrono::duration<double>(t2 - t1).count();
        okresy = o.lista->liczba();
        punkty = o.lista->ile_punktow();
    }
    const double n = double(state.iterations());
    state.counters["read_ms"] = odczyt / n * 1e3;
    state.counters["save_ms"] = zapis / n * 1e3;
    state.counters["ratio"] = odczyt > 0 ? zapis / odczyt : 0.0;
    state.counters["periods"] = okresy;
    state.counters["points"] = punkty;
}
BENCHMARK(BM_ZapisOdczytanejTarczy)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return uruchom_benchmarki_odczytu(argc, argv, przygotuj, [] {
        host::InstallConnection(nullptr);
        dane().reset();
    });
}
