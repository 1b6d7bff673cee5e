// The start window's cost: building it and painting its first frame, offscreen, with the game's
// theme and Japanese font. The target is twice an empty window's first frame on this machine
// (about 14 ms, 25 ms with a Japanese label).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "ui/screens/startup_window.h"
#include "ui/theme_qt.h"

namespace {

void BM_StartWindowFirstFrame(benchmark::State& state) {
    const QString folder = QStringLiteral(VARGO_SOURCE_DIR "/data");
    for (auto _ : state) {
        vargo::StartUpWindow w(folder);
        w.show();
        QPixmap frame = w.grab();
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(BM_StartWindowFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vargo::applyTheme(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
