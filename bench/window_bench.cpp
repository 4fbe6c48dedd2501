// Drives the real main window on the offscreen platform: for each Span1 it
// types the four fields, clicks OK and renders the window into an image.
// Prints one line per figure: <name> span=<Span1> <value>
//   click_to_drawn_ms  from the click to the window drawn with the new points (median of 3)
//   redraw_ms          a full redraw after a resize (median of 5)
//   zoom_redraw_ms     a redraw with the bottom axis on the middle tenth (median of 5)
//   bytes_per_point    resident memory grown across the click / points appended (median of 3)
//   peak_rss_mib       (largest span only) the process's peak resident memory
//                      after one such click in a fresh window
//   key_pan_ms         (largest span only) an arrow key's pan, drawn (median of 5)
//   history_step_ms    (largest span only) Back or Forward, drawn (median of 5)
//   typed_range_ms     (largest span only) a typed view range applied, drawn (median of 5)
// and then, for the largest table a spreadsheet takes:
//   copy_data_ms points=1048575  Copy data of that many points in view
//
// Usage: window_bench [--threads N] [SPAN…]: N sampling threads (default: one
// per core); the spans given (default: 10 to 16777215) and no copy benchmark.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "bench/bench_support.h"
#include "platform/chart/ChartCommands.h"
#include "platform/chart/ChartView.h"
#include "platform/toolkit/Application.h"
#include "plot/curves.h"

namespace {

using bench::Clock;
using bench::msSince;

void drawWindow(QWidget* window) {
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    window->render(&image);
}

template <class Action>
double medianMs(Action action) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        action(i);
        times.push_back(msSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

struct Click {
    std::unique_ptr<TForm1> window;
    double ms = 0;
    double bytesPerPoint = 0;
};

// A fresh window, its Span1 set, one OK click and the window drawn.
Click clickOnce(const char* span, unsigned threads) {
    Click click{std::make_unique<TForm1>(nullptr)};
    TForm1* window = click.window.get();
    window->SetSamplingThreads(threads);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) std::fprintf(stderr, "window not shown\n");
    window->findChild<TEdit*>("Span1")->SetText(span);
    drawWindow(window);
    const long before = bench::residentBytes();
    const auto start = Clock::now();
    QTest::mouseClick(window->findChild<TButton*>("Button1"), Qt::LeftButton);
    drawWindow(window);
    click.ms = msSince(start);
    const std::size_t appended = window->findChild<TLineSeries*>("Series1")->Points().size() +
                                 window->findChild<TLineSeries*>("Series2")->Points().size();
    click.bytesPerPoint =
        static_cast<double>(bench::residentBytes() - before) / static_cast<double>(appended);
    return click;
}

// Clicks are timed three times, each in a fresh window, and the medians
// printed: the first touch of fresh memory costs a virtual machine more.
void benchSpan(const char* span, bool largest, unsigned threads) {
    std::vector<double> ms, bytes;
    Click click;
    double peakMiB = 0;
    for (int run = 0; run < 3; ++run) {
        click = {};
        if (run == 0) bench::resetPeakResident();
        click = clickOnce(span, threads);
        if (run == 0) peakMiB = static_cast<double>(bench::peakResidentBytes()) / (1 << 20);
        ms.push_back(click.ms);
        bytes.push_back(click.bytesPerPoint);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(bytes.begin(), bytes.end());
    TForm1* window = click.window.get();
    auto* chart = window->findChild<TChart*>("Chart1");
    const auto& points1 = window->findChild<TLineSeries*>("Series1")->Points();

    const QSize size = chart->size();
    const double redraw = medianMs([&](int i) {
        chart->resize(size + QSize(i % 2, 0));
        drawWindow(window);
    });
    const double count = static_cast<double>(points1.size());
    const double zoomRedraw = medianMs([&](int i) {
        const double shift = (i % 2) * 0.01 * count;
        chart->View().show(
            {{0.45 * count + shift, 0.55 * count + shift}, chart->View().ranges().values});
        QCoreApplication::processEvents();  // the chart's queued replot
        drawWindow(window);
    });

    double keyPan = 0, historyStep = 0, typedRange = 0;
    if (largest) {
        chart->setFocus();
        keyPan = medianMs([&](int i) {
            QTest::keyClick(chart, i % 2 ? Qt::Key_Left : Qt::Key_Right);
            QCoreApplication::processEvents();  // the chart's queued replot
            drawWindow(window);
        });
        historyStep = medianMs([&](int i) {
            QTest::keyClick(chart, i % 2 ? Qt::Key_Right : Qt::Key_Left, Qt::AltModifier);
            QCoreApplication::processEvents();
            drawWindow(window);
        });
        typedRange = medianMs([&](int i) {
            const double first = 1000.0 * i;
            chart->View().showTyped({first, first + 5000000, std::nullopt, std::nullopt});
            QCoreApplication::processEvents();
            drawWindow(window);
        });
    }

    std::printf("click_to_drawn_ms span=%s %.1f\n", span, ms[1]);
    std::printf("redraw_ms span=%s %.2f\n", span, redraw);
    std::printf("zoom_redraw_ms span=%s %.2f\n", span, zoomRedraw);
    std::printf("bytes_per_point span=%s %.1f\n", span, bytes[1]);
    if (largest) {
        std::printf("peak_rss_mib span=%s %.0f\n", span, peakMiB);
        std::printf("key_pan_ms span=%s %.2f\n", span, keyPan);
        std::printf("history_step_ms span=%s %.2f\n", span, historyStep);
        std::printf("typed_range_ms span=%s %.2f\n", span, typedRange);
    }
    std::fflush(stdout);
}

void benchCopy() {
    constexpr std::size_t kPoints = 1'048'575;
    TChart chart;
    chart.resize(400, 250);
    auto* series = new TLineSeries(&chart);
    series->setObjectName("Series1");
    series->ReserveMore(kPoints);
    std::vector<float> values(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) values[i] = static_cast<float>(i % 1000) * 0.5f;
    series->AddBatch(kPoints, {0, 16777216}, clBlue).Write(0, values);
    drawWindow(&chart);
    const auto start = Clock::now();
    chart::ChartCommands(chart).copyData();
    std::printf("copy_data_ms points=%zu %.1f\n", kPoints, msSince(start));
}

}  // namespace

int main(int argc, char** argv) {
    const auto application = bench::offscreenApplication();
    std::vector<std::string> spans;
    unsigned threads = 0;  // one per core
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--threads" && i + 1 < argc)
            threads = static_cast<unsigned>(std::stoul(argv[++i]));
        else
            spans.emplace_back(argv[i]);
    }
    const bool allSpans = spans.empty();
    if (allSpans) spans = {"10", "1000", "100000", "1000000", "16777215"};
    for (const std::string& span : spans) benchSpan(span.c_str(), span == spans.back(), threads);
    if (allSpans) benchCopy();
}
