// The scan import on a 300-dpi A4 page of three scan-like discs: the time to decode the page's
// JPEG and the time to find, binarise and cut its discs, side by side with their ratio. The
// import should cost less than twice the decoding (ratio below 2).

#include "TwoStageTimer.h"

#include "chartgen/ChartGeometry.h"
#include "chartgen/ScanLikeSheet.h"
#include "skan/WczytajSkan.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

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
    TwoStageTimer timer;
    std::size_t discs = 0;
    for (auto _ : state) {
        const QImage page = timer.first([&] { return QImage::fromData(jpeg, "JPEG"); });
        discs = timer.second(
            [&] { return host::WczytajObraz(page, 300, QStringLiteral("a4.jpg")).size(); });
        benchmark::DoNotOptimize(discs);
    }
    timer.report(state, "decode", "import");
    state.counters["discs"] = double(discs);
}
BENCHMARK(BM_ImportA4Page)->Unit(benchmark::kMillisecond);

} // namespace
