// Where a full-scale click's time goes (Span1 = 16777215: 16,777,216 passes,
// 33,554,432 points), and what this machine allows. Prints one line per
// figure, <name> [<setting>] <value>, each the best of 3 runs:
//   phase_x_ms, phase_sampling_certified_ms, phase_sampling_extended_ms,
//   phase_storing_ms, phase_lod_ms   each phase on its own, one thread
//   open_samples                     samples the bound leaves open
//   extended_samples                 of those, the ones left to the extended arithmetic
//   phase_drawing_ms                 the window drawn after a full-scale click
//   floor_plain_store_ms threads=N   the click's bytes written into fresh memory
//   floor_bare_vector_loop_ms threads=N  the sampling arithmetic alone, widest vectors
//   click_to_drawn_ms span=S threads=N   the real window offscreen: OK clicked and drawn
// Usage: click_bench [--no-window | --window-only]

#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "bench/bench_support.h"
#include "bench/click_phases.h"
#include "bench/machine_floor.h"

namespace {

using bench::Clock;
using bench::msSince;

constexpr int kRuns = 3;

template <class Measure>
double bestOf(Measure measure) {
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < kRuns; ++run) best = std::min(best, measure());
    return best;
}

void drawWindow(QWidget* window) {
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    window->render(&image);
}

struct WindowClick {
    double clickToDrawnMs, drawingMs;
};

// A fresh window, its Span1 set, one OK click and the window drawn.
WindowClick clickOnce(const char* span, unsigned threads) {
    TForm1 window(nullptr);
    window.SetSamplingThreads(threads);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "window not shown\n");
    window.findChild<TEdit*>("Span1")->SetText(span);
    drawWindow(&window);
    const auto start = Clock::now();
    QTest::mouseClick(window.findChild<TButton*>("Button1"), Qt::LeftButton);
    const auto drawStart = Clock::now();
    drawWindow(&window);
    return {msSince(start), msSince(drawStart)};
}

void printPhases(const plot::Coefficients& c, std::uint64_t passes) {
    bench::ClickPhases best;
    best.xMs = best.certifiedMs = best.extendedMs = best.storingMs = best.lodMs =
        std::numeric_limits<double>::infinity();
    std::uint32_t sink = 0;
    for (int run = 0; run < kRuns; ++run) {
        const bench::ClickPhases p = bench::measureClickPhases(c, passes);
        best.xMs = std::min(best.xMs, p.xMs);
        best.certifiedMs = std::min(best.certifiedMs, p.certifiedMs);
        best.extendedMs = std::min(best.extendedMs, p.extendedMs);
        best.storingMs = std::min(best.storingMs, p.storingMs);
        best.lodMs = std::min(best.lodMs, p.lodMs);
        best.openSamples = p.openSamples;
        best.extendedSamples = p.extendedSamples;
        sink ^= p.sink;
    }
    std::printf("phase_x_ms %.1f\n", best.xMs);
    std::printf("phase_sampling_certified_ms %.1f\n", best.certifiedMs);
    std::printf("phase_sampling_extended_ms %.1f\n", best.extendedMs);
    std::printf("open_samples %zu\n", best.openSamples);
    std::printf("extended_samples %zu\n", best.extendedSamples);
    std::printf("phase_storing_ms %.1f\n", best.storingMs);
    std::printf("phase_lod_ms %.1f\n", best.lodMs);
    for (const unsigned threads : {1u, 2u}) {
        std::printf("floor_plain_store_ms threads=%u %.1f\n", threads,
                    bestOf([&] { return bench::plainStoreMs(2 * passes, threads); }));
        std::printf("floor_bare_vector_loop_ms threads=%u %.1f\n", threads,
                    bestOf([&] { return bench::bareVectorLoopMs(c, passes, threads, sink); }));
    }
    std::fflush(stdout);
    std::fprintf(stderr, "(sink %u)\n", sink);
}

void printWindowClicks() {
    const auto application = bench::offscreenApplication();
    double drawing = std::numeric_limits<double>::infinity();
    struct Row {
        const char* span;
        unsigned threads;
    };
    for (const Row row : {Row{"16777215", 2}, Row{"16777215", 1}, Row{"1000000", 2}}) {
        const double ms = bestOf([&] {
            const WindowClick click = clickOnce(row.span, row.threads);
            if (std::strcmp(row.span, "16777215") == 0)
                drawing = std::min(drawing, click.drawingMs);
            return click.clickToDrawnMs;
        });
        std::printf("click_to_drawn_ms span=%s threads=%u %.1f\n", row.span, row.threads, ms);
        std::fflush(stdout);
    }
    std::printf("phase_drawing_ms %.1f\n", drawing);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string option = argc > 1 ? argv[1] : "";
    const plot::Parameters parameters{10, 16777215, 10, 10};
    if (option != "--window-only")
        printPhases(plot::deriveCoefficients(parameters), plot::passCount(parameters));
    if (option != "--no-window") printWindowClicks();
}
