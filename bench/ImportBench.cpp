// The scan import on a 300-dpi A4 page of three scan-like discs: the time to decode the page's
// JPEG and the time to find, binarise and cut its discs, side by side with their ratio. The
// import should cost less than twice the decoding (ratio below 2).

#include "chartgen/ChartGeometry.h"
#include "chartgen/ScanLikeSheet.h"
#include "skan/WczytajSkan.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <optional>

namespace {

// The page as JPEG bytes, rendered once.
const QByteArray& a4Jpeg() {
    static const QByteArray bytes = [] {
        QString error;
        const auto k = chartgen::loadCalibration(chartgen::defaultCalibrationPath(), &error);
        const auto g = k ? chartgen::ChartGeometry::from(*k, &error) : std::nullopt;
        std::optional<chartgen::ScanLikePage> page;
        if (g) page = chartgen::renderScanLikeSheet(chartgen::threeDiscSheet(), *g, {}, &error);
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        if (!page || !page->image.save(&buffer, "JPEG", 85)) {
            std::fprintf(stderr, "tacho_bench: no A4 page: %s\n", qPrintable(error));
            out.clear();
        }
        return out;
    }();
    return bytes;
}

void BM_ImportA4Page(benchmark::State& state) {
    const QByteArray& jpeg = a4Jpeg();
    if (jpeg.isEmpty()) {
        state.SkipWithError("cannot render the page");
        return;
    }
    using clock = std::chrono::steady_clock;
    double decode = 0, import = 0;
    std::size_t discs = 0;
    for (auto _ : state) {
        const auto t0 = clock::now();
        const QImage page = QImage::fromData(jpeg, "JPEG");
        const auto t1 = clock::now();
        discs = host::WczytajObraz(page, 300, QStringLiteral("a4.jpg")).size();
        const auto t2 = clock::now();
        decode += std::chrono::duration<double>(t1 - t0).count();
        import += std::chrono::duration<double>(t2 - t1).count();
        benchmark::DoNotOptimize(discs);
    }
    const double n = double(state.iterations());
    state.counters["decode_ms"] = decode / n * 1e3;
    state.counters["import_ms"] = import / n * 1e3;
    state.counters["ratio"] = decode > 0 ? import / decode : 0.0;
    state.counters["discs"] = double(discs);
}
BENCHMARK(BM_ImportA4Page)->Unit(benchmark::kMillisecond);

} // namespace
