// Opening a chart in its window, from _Ustaw_Child to the shown window (offscreen, in an MDI
// area), against what the opening cannot do without:
//   - a stored 1500-class chart with its periods against decoding its picture (goal < 4);
//   - a new 1000-class scan, read while it opens, against the reading alone (goal < 2). The
//     opening decodes the picture file too, so "the reading alone" is what `tacho read` does
//     for that file: decode it, find the disc in it, read the disc.
// The window's construction (_CreateChild) is outside both timings: OknoBench measures it.

#include "activity/OdczytTarczy.h"
#include "analysis/Kalibracja.h"
#include "chartgen/ChartGenerator.h"
#include "chartgen/ChartGeometry.h"
#include "chartgen/SampleCharts.h"
#include "host/Biblioteki.h"
#include "host/Bitmap32.h"
#include "host/Dialogi.h"
#include "host/HostContext.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "host/db/Query.h"
#include "module/KxAbi.h"
#include "skan/WczytajSkan.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using zegar = std::chrono::steady_clock;

struct Tarcza {
    int idt = 0;
    QString plik;
    WejscieTarczy wejscie;
};

struct Srodowisko {
    QTemporaryDir dir;
    std::shared_ptr<QLibrary> modul;
    kx::Execute_fn Execute = nullptr;
    kx::CreateChild_fn CreateChild = nullptr;
    kx::Ustaw_Child_fn Ustaw_Child = nullptr;
    std::vector<std::shared_ptr<QLibrary>> boczne;
    std::unique_ptr<QMdiArea> obszar;
    std::optional<analysis::Kalibracja> kalibracja;
    Tarcza zapisana, nowa;
};

std::unique_ptr<Srodowisko>& srodowisko() {
    static std::unique_ptr<Srodowisko> s;
    return s;
}

// A chart row with its analogue record and its picture in the image folder.
std::optional<Tarcza> dodaj(const QString& folder, const chartgen::ChartGeometry& g, int rozmiar,
                            bool z_okresami, QString* blad) {
    chartgen::ChartSpec spec = chartgen::sampleCharts().front().spec;
    spec.rozmiar = rozmiar;
    const auto c = chartgen::drawChart(spec, g, blad);
    if (!c) return std::nullopt;
    host::Query t(QStringLiteral("insert into tacho (data, id_k, id_s, typ_dnia) values "
                                 "(:data, 0, 0, 0)"));
    t.setParam(QStringLiteral("data"), host::TDateTime::encode(2024, 3, 12));
    t.exec();
    Tarcza w;
    w.idt = t.lastInsertId().toInt();
    w.wejscie.x0 = float(int(spec.centreX()));
    w.wejscie.y0 = float(int(spec.centreY()));
    w.wejscie.kat24 = float(spec.kat24);
    w.wejscie.data = host::TDateTime::encode(2024, 3, 12);
    host::Query a(QStringLiteral("insert into tacho_analog (id_t, kat24, x0, y0) "
                                 "values (:id, :k, :x, :y)"));
    a.setParam(QStringLiteral("id"), w.idt);
    a.setParam(QStringLiteral("k"), spec.kat24);
    a.setParam(QStringLiteral("x"), int(w.wejscie.x0));
    a.setParam(QStringLiteral("y"), int(w.wejscie.y0));
    a.exec();
    if (z_okresami) {
        // A day of eight periods, as a stored chart holds them.
        const double dzien = host::TDateTime::encode(2024, 3, 12);
        for (int i = 0; i < 8; ++i) {
            host::Query p(QStringLiteral("insert into poz_zdarz (id_t, czas_od, czas_do, km, "
                                         "czy_praca) values (:id, :od, :do, :km, :c)"));
            p.setParam(QStringLiteral("id"), w.idt);
            p.setParam(QStringLiteral("od"), host::TDateTime(dzien + i * 180 / 1440.0));
            p.setParam(QStringLiteral("do"), host::TDateTime(dzien + (i + 1) * 180 / 1440.0));
            p.setParam(QStringLiteral("km"), i % 2 ? 120.0 : 0.0);
            p.setParam(QStringLiteral("c"), i % 2 ? 2 : 0);
            p.exec();
        }
    }
    w.plik = QDir(folder).filePath(QStringLiteral("%1.bmp").arg(w.idt));
    if (!chartgen::saveMonoBmp(c->image, w.plik, blad)) return std::nullopt;
    return w;
}

bool przygotuj() {
    auto s = std::make_unique<Srodowisko>();
    host::SetDataFolder(s->dir.path());
    const QString folder = s->dir.filePath(QStringLiteral("Image"));
    QDir().mkpath(folder);
    // No notice may stop an opening.
    host::SetZm(QStringLiteral("cb_brak_skanu"), QStringLiteral("KX"), false);
    QString blad;
    s->kalibracja = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &blad);
    const auto g =
        s->kalibracja ? chartgen::ChartGeometry::from(*s->kalibracja, &blad) : std::nullopt;
    const auto zapisana = g ? dodaj(folder, *g, 1500, true, &blad) : std::nullopt;
    const auto nowa = g ? dodaj(folder, *g, 1000, false, &blad) : std::nullopt;
    if (!zapisana || !nowa) {
        std::fprintf(stderr, "tacho_open_bench: no chart: %s\n", qPrintable(blad));
        return false;
    }
    s->zapisana = *zapisana;
    s->nowa = *nowa;
    s->modul = host::LoadLibrary_main(QStringLiteral("dane\\Korvix\\Child.dll"));
    if (!s->modul) {
        std::fprintf(stderr, "tacho_open_bench: libChild.so not loaded\n");
        return false;
    }
    s->Execute = reinterpret_cast<kx::Execute_fn>(s->modul->resolve("_Execute"));
    s->CreateChild = reinterpret_cast<kx::CreateChild_fn>(s->modul->resolve("_CreateChild"));
    s->Ustaw_Child = reinterpret_cast<kx::Ustaw_Child_fn>(s->modul->resolve("_Ustaw_Child"));
    if (!s->Execute || !s->CreateChild || !s->Ustaw_Child) return false;
    for (const char* nazwa :
         {"UstDll.dll", "SharedData.dll", "dane.dll", "dane\\Korvix\\KxZamianaZdarzen.dll"})
        if (auto b = host::LoadLibrary_main(QLatin1String(nazwa))) s->boczne.push_back(b);
    s->obszar = std::make_unique<QMdiArea>();
    s->obszar->resize(1280, 800);
    s->obszar->show();
    srodowisko() = std::move(s);
    return true;
}

// Seconds from _Ustaw_Child on the chart's row to the shown, laid out window.
double otworz(Srodowisko& s, int idt, bool* ok) {
    s.Execute(nullptr, kx::kTrybZapisana);
    QWidget* w = s.CreateChild(nullptr, true, true, 0);
    *ok = w != nullptr;
    if (!w) return 0.0;
    QMdiSubWindow* ramka = s.obszar->addSubWindow(w);
    ramka->showMaximized();
    host::Query wiersz(QStringLiteral("select * from tacho where id_t = :idt"));
    wiersz.setParam(QStringLiteral("idt"), idt);
    wiersz.open();
    const auto t0 = zegar::now();
    s.Ustaw_Child(w, idt, QStringLiteral("Tarcza"), &wiersz);
    QCoreApplication::processEvents();
    const auto t1 = zegar::now();
    delete ramka;
    QCoreApplication::sendPostedEvents();
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_ZapisanaIDekodowanie(benchmark::State& state) {
    Srodowisko& s = *srodowisko();
    double okno = 0, dekodowanie = 0;
    for (auto _ : state) {
        const auto t0 = zegar::now();
        host::Bitmap32 bmp;
        if (!bmp.LoadFromFile(s.zapisana.plik)) {
            state.SkipWithError("cannot decode the chart");
            return;
        }
        dekodowanie += std::chrono::duration<double>(zegar::now() - t0).count();
        bool ok = false;
        okno += otworz(s, s.zapisana.idt, &ok);
        if (!ok) {
            state.SkipWithError("no window");
            return;
        }
    }
    const double n = double(state.iterations());
    state.counters["open_ms"] = okno / n * 1e3;
    state.counters["decode_ms"] = dekodowanie / n * 1e3;
    state.counters["ratio"] = dekodowanie > 0 ? okno / dekodowanie : 0.0;
}
BENCHMARK(BM_ZapisanaIDekodowanie)->Unit(benchmark::kMillisecond);

void BM_NowaIOdczyt(benchmark::State& state) {
    Srodowisko& s = *srodowisko();
    double okno = 0, odczyt = 0;
    for (auto _ : state) {
        const auto t0 = zegar::now();
        std::vector<host::TarczaZeSkanu> tarcze;
        try {
            tarcze = host::WczytajSkan(s.nowa.plik);
        } catch (const std::exception&) {
        }
        if (tarcze.empty()) {
            state.SkipWithError("cannot decode the chart or find its disc");
            return;
        }
        WejscieTarczy we = s.nowa.wejscie;
        we.x0 = float(tarcze.front().x0);
        we.y0 = float(tarcze.front().y0);
        const OdczytTarczy o = odczytaj_tarcze(tarcze.front().bitmapa, *s.kalibracja, we);
        benchmark::DoNotOptimize(o.lista.get());
        odczyt += std::chrono::duration<double>(zegar::now() - t0).count();
        bool ok = false;
        okno += otworz(s, s.nowa.idt, &ok);
        if (!ok) {
            state.SkipWithError("no window");
            return;
        }
    }
    const double n = double(state.iterations());
    state.counters["open_ms"] = okno / n * 1e3;
    state.counters["read_ms"] = odczyt / n * 1e3;
    state.counters["ratio"] = odczyt > 0 ? okno / odczyt : 0.0;
}
BENCHMARK(BM_NowaIOdczyt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
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
    srodowisko().reset();
    host::InstallConnection(nullptr);
    host::SetDataFolder({});
    return 0;
}
