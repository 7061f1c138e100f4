// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of each handler on the real widgets of a shown window.
#include "window/application_setup.h"
#include "window/puzzle_form.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

window::PuzzleForm* form = nullptr;

void BM_DealPuzzle(benchmark::State& state) {
    for (auto _ : state)
        form->puzzle().DealPuzzle();
}
BENCHMARK(BM_DealPuzzle);

void BM_Label2_Click(benchmark::State& state) {
    std::int16_t box = 0;
    for (auto _ : state) {
        form->puzzle().Label2_Click(box);
        box = static_cast<std::int16_t>((box + 1) % 15);
    }
}
BENCHMARK(BM_Label2_Click);

void BM_CheckPuzzle(benchmark::State& state) {
    for (auto _ : state)
        form->puzzle().CheckPuzzle();
}
BENCHMARK(BM_CheckPuzzle);

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    window::SetUpApplication(app);
    window::PuzzleForm shown;
    shown.show();
    QApplication::processEvents();
    form = &shown;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
