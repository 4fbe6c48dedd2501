// Saves the real main window's chart at full scale (Span1 = 16777215, two
// series of 16,777,216 points) on the offscreen platform. Prints:
//   save_image_ms span=16777215 format=<png|svg|pdf>     Save image (median of 3)
//   save_image_bytes span=16777215 format=<png|svg|pdf>  the file's size
//   save_data_mb_per_s span=16777215                     Save data of every point as CSV
//   save_data_s span=16777215                            the same, in seconds
//   save_data_peak_memory_growth_mb span=16777215        peak resident memory grown by it
// An optional argument sets Span1, for a quicker run.

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "bench/bench_support.h"
#include "platform/chart/ChartCommands.h"
#include "platform/toolkit/Application.h"

using bench::Clock;

int main(int argc, char** argv) {
    const auto application = bench::offscreenApplication();
    const std::string span = argc > 1 ? argv[1] : "16777215";
    QTemporaryDir folder;

    TForm1 window(nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "window not shown\n");
    window.findChild<TEdit*>("Span1")->SetText(span);
    QTest::mouseClick(window.findChild<TButton*>("Button1"), Qt::LeftButton);
    auto* chart = window.findChild<TChart*>("Chart1");
    chart->grab();

    for (const char* format : {"png", "svg", "pdf"}) {
        const QString file = folder.filePath(QString("chart.") + format);
        std::vector<double> ms;
        for (int run = 0; run < 3; ++run) {
            const auto start = Clock::now();
            RunGuarded([&] { chart::ChartCommands(*chart).saveImage(file); });
            ms.push_back(bench::msSince(start));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("save_image_ms span=%s format=%s %.1f\n", span.c_str(), format, ms[1]);
        std::printf("save_image_bytes span=%s format=%s %lld\n", span.c_str(), format,
                    static_cast<long long>(QFileInfo(file).size()));
        std::fflush(stdout);
    }

    const QString table = folder.filePath("points.csv");
    const long peakBefore = bench::peakResidentBytes();
    const auto start = Clock::now();
    RunGuarded([&] { chart::ChartCommands(*chart).saveData(table); });
    const double seconds = bench::msSince(start) / 1000;
    const double megabytes = static_cast<double>(QFileInfo(table).size()) / 1e6;
    std::printf("save_data_mb_per_s span=%s %.1f\n", span.c_str(), megabytes / seconds);
    std::printf("save_data_s span=%s %.2f\n", span.c_str(), seconds);
    std::printf("save_data_peak_memory_growth_mb span=%s %.1f\n", span.c_str(),
                static_cast<double>(bench::peakResidentBytes() - peakBefore) / 1e6);
}
