#pragma once
// A chart on its own (400×250, Series1 without markers, Series2 with them),
// with the curves' points appended as OK appends them, and every error report
// recorded instead of shown in a message box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartPlot.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/Colours.h"
#include "plot/curves.h"
#include "tests/qt_printers.h"

class ChartTest : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = [this](const std::string& message) {
            reports.push_back(message);
        };
        makeChart();
    }
    void TearDown() override { Application->OnException = nullptr; }

    // A fresh chart in place of the one there.
    void makeChart() {
        owned = std::make_unique<TChart>();
        owned->setLeftAxisVisible(false);  // as the window declares it
        owned->resize(400, 250);
        for (const bool markers : {false, true}) {
            auto* series = new TLineSeries(owned.get());
            series->setObjectName(markers ? "Series2" : "Series1");
            series->setPointerVisible(markers);
        }
        owned->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(owned.get()));
    }

    TChart* chart() const { return owned.get(); }
    TLineSeries* series(const char* name) const { return owned->findChild<TLineSeries*>(name); }
    // What draws the chart: its axes show the view.
    chart::ChartPlot& chartPlot() const { return chart::plotOf(*owned); }
    QRect plotArea() const { return chart()->PlotArea(); }

    // Appends the points OK appends for these parameters, and draws them.
    void plotCurves(const plot::Parameters& parameters) {
        const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
        const std::uint64_t passes = plot::passCount(parameters);
        TLineSeries* series1 = series("Series1");
        TLineSeries* series2 = series("Series2");
        series1->ReserveMore(passes);
        series2->ReserveMore(passes);
        constexpr auto kStop = static_cast<std::uint64_t>(plot::kCounterLimit);
        auto curve1 = series1->AddBatch(passes, {0, kStop}, clBlue);
        auto curve2 = series2->AddBatch(passes, {10, kStop}, clYellow);
        plot::sampleInParallel(
            coefficients, passes,
            [&](std::uint64_t first, std::span<const float> y1, std::span<const float> y2) {
                curve1.Write(first, y1);
                curve2.Write(first, y2);
            });
    }
    // Vramp, Omaga and Span2 as the window opens with them.
    void plotSpan(int span1) { plotCurves({10, span1, 10, 10}); }
    void draw() const { owned->grab(); }

    // Runs `act` on the next modal dialog of class Dialog, once it is open.
    template <class Dialog>
    void onDialog(std::function<void(Dialog*)> act) {
        auto* timer = new QTimer(chart());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                act(dialog);
            }
        });
        timer->start(20);
    }

    std::unique_ptr<TChart> owned;
    std::vector<std::string> reports;
};
