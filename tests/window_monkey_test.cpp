// Protects the window against any order of what a user does: random sessions
// of typing (numbers, junk, huge and tiny values), pasting (line breaks,
// digits of other scripts), OK, Clear, zooming, turning the wheel, panning,
// resetting, hovering, Copy data, Copy image and resizing, with a model of
// what must be there checked after every step. No exception reaches Qt; the
// fields hold what was typed (nothing after Clear); each series holds the
// passes of the OK clicks that succeeded, and an OK that reports an error
// appends nothing; after Clear nothing is drawn and nothing is read out; a
// copied table parses and holds exactly the points in view.
//
// It runs MONKEY_SECONDS seconds (20 by default, 10 under the sanitizers),
// sessions of 40 steps seeded MONKEY_SEED (default 1), MONKEY_SEED + 1, …
// A failure prints the session's seed and the shortest failing sequence of
// steps it can find, each shorter sequence replayed in a fresh window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QScopeGuard>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/chart/PointReadout.h"
#include "platform/conversions/Conversions.h"
#include "platform/toolkit/Application.h"
#include "plot/curves.h"
#include "series/PointTable.h"
#include "tests/curve_pixels.h"
#include "tests/split_mix.h"
#include "tests/table_parser.h"

namespace {

constexpr const char* kFieldNames[] = {"Vramp",  "Span1",  "Omaga", "Span2", "Edit5",
                                       "Edit6",  "Edit7",  "Edit8", "Edit9", "Edit10",
                                       "Edit11", "Edit12", "Edit13"};
constexpr std::size_t kFields = 13;
constexpr std::size_t kStepsPerSession = 40;

// --- Steps ----------------------------------------------------------------------

enum class Action {
    Type,
    Paste,
    Ok,
    Clear,
    Zoom,
    Wheel,
    Pan,
    Reset,
    Hover,
    CopyData,
    CopyImage,
    Resize
};

// Places on the chart are in thousandths of its width and height.
struct Step {
    Action action;
    std::size_t field = 0;      // Type, Paste
    int amount = 0;             // Wheel: notches; Reset, CopyData: which gesture
    std::string text = {};      // Type, Paste
    QPoint from = {}, to = {};  // Zoom, Pan; Wheel, Hover: from
    QSize size = {};            // Resize
};

std::string literal(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '"')
            out += "\\\"";
        else
            out += c;
    }
    return out + "\"";
}

std::string place(QPoint p) {
    return "(" + std::to_string(p.x()) + "‰, " + std::to_string(p.y()) + "‰)";
}

std::string describe(const Step& s) {
    const std::string field = kFieldNames[s.field];
    switch (s.action) {
        case Action::Type:
            return "type " + literal(s.text) + " into " + field;
        case Action::Paste:
            return "paste " + literal(s.text) + " into " + field;
        case Action::Ok:
            return "click OK";
        case Action::Clear:
            return "click Clear";
        case Action::Zoom:
            return "drag a zoom rectangle " + place(s.from) + " to " + place(s.to);
        case Action::Wheel:
            return "turn the wheel " + std::to_string(s.amount) + " at " + place(s.from);
        case Action::Pan:
            return "pan with the right button " + place(s.from) + " to " + place(s.to);
        case Action::Reset:
            return s.amount == 0 ? "double-click" : s.amount == 1 ? "press Home" : "press Escape";
        case Action::Hover:
            return "hover at " + place(s.from);
        case Action::CopyData:
            return s.amount == 0 ? "Copy data from the menu" : "Copy data with Ctrl+C";
        case Action::CopyImage:
            return "Copy image";
        case Action::Resize:
            return "resize the window to " + std::to_string(s.size.width()) + "x" +
                   std::to_string(s.size.height());
    }
    return "?";
}

template <std::size_t n>
std::string oneOf(SplitMix& random, const char* const (&texts)[n]) {
    return texts[random.below(static_cast<int>(n))];
}

std::string number(SplitMix& random, int from, int to) {
    std::string text = std::to_string(random.between(from, to));
    if (random.oneIn(3)) text += "." + std::to_string(random.between(0, 99));
    return text;
}

// Spans stay small (or fail), so that every OK is quick.
std::string fieldText(SplitMix& random, std::size_t field) {
    static const char* const kJunk[] = {"",  " ",   "abc", "1,5",  "1e",  "--1",
                                        ".", "inf", "nan", "0x10", "1 0", "1.2.3"};
    static const char* const kExtremes[] = {"1e30",  "-1e38",   "1e300",   "1e4000", "-1e5000",
                                            "1e-30", "1e-4000", "1e-5000", "0",      "-0"};
    static const char* const kSpanExtremes[] = {"1e5000", "-1e30", "1e-30", "1e-5000", "0", "-0"};
    const bool span = field == 1 || field == 3;
    switch (random.below(8)) {
        case 0:
            return oneOf(random, kJunk);
        case 1:
            return span ? oneOf(random, kSpanExtremes) : oneOf(random, kExtremes);
        default:
            return span ? number(random, -3, 150) : number(random, -200, 200);
    }
}

std::string pastedText(SplitMix& random, std::size_t field) {
    static const char* const kOtherScripts[] = {"１２", "٣٫٥", "१२", "−1", "12\u00a0", "½"};
    const std::string text = fieldText(random, field);
    switch (random.below(6)) {
        case 0:
            return text + "\n";
        case 1:
            return text + "\r\n";
        case 2:
            return "\n" + text + "\r\n";
        case 3:
            return text + "\n" + text;
        case 4:
            return oneOf(random, kOtherScripts);
        default:
            return text;
    }
}

QPoint somewhere(SplitMix& random) { return {random.between(0, 1000), random.between(0, 1000)}; }

Step randomStep(SplitMix& random) {
    // Mostly the four parameters: they are what OK reads.
    const auto field = static_cast<std::size_t>(
        random.oneIn(3) ? random.below(static_cast<int>(kFields)) : random.below(4));
    const int roll = random.below(100);
    if (roll < 24)
        return {.action = Action::Type, .field = field, .text = fieldText(random, field)};
    if (roll < 32)
        return {.action = Action::Paste, .field = field, .text = pastedText(random, field)};
    if (roll < 52) return {.action = Action::Ok};
    if (roll < 55) return {.action = Action::Clear};
    if (roll < 62)
        return {.action = Action::Zoom, .from = somewhere(random), .to = somewhere(random)};
    if (roll < 69) {
        const int notches = random.between(1, 3) * (random.coin() ? 1 : -1);
        return {.action = Action::Wheel, .amount = notches, .from = somewhere(random)};
    }
    if (roll < 75) {
        // Far enough to pan: a right click that does not move opens the menu.
        const QPoint from = somewhere(random);
        const QPoint by(random.between(60, 300) * (random.coin() ? 1 : -1),
                        random.between(-200, 200));
        return {.action = Action::Pan, .from = from, .to = from + by};
    }
    if (roll < 81) return {.action = Action::Reset, .amount = random.below(3)};
    if (roll < 88) return {.action = Action::Hover, .from = somewhere(random)};
    if (roll < 94) return {.action = Action::CopyData, .amount = random.below(2)};
    if (roll < 96) return {.action = Action::CopyImage};
    return {.action = Action::Resize,
            .size = {random.between(300, 1200), random.between(250, 900)}};
}

// --- The model ------------------------------------------------------------------

struct Model {
    std::array<std::string, kFields> fields;
    std::vector<std::uint64_t> batches;  // the passes of each OK that succeeded
    std::uint64_t points = 0;            // in each series: the sum of the batches
    bool shown = true;                   // the series are on the chart until Clear

    // Series1's point `index` has the label count1 of its pass, Series2's count2.
    std::string label(bool second, std::uint64_t index) const {
        for (const std::uint64_t passes : batches) {
            if (index < passes) {
                const std::uint64_t count = index + (second ? 10 : 0);
                return std::to_string(std::min<std::uint64_t>(count, 16777216));
            }
            index -= passes;
        }
        return "(none)";
    }

    // What OK must do with the four parameters typed: append this many passes
    // to each series, or nothing and report an error.
    std::optional<std::uint64_t> passesForOk() const {
        try {
            const plot::Parameters parameters{StrToFloat(fields[0]), StrToFloat(fields[1]),
                                              StrToFloat(fields[2]), StrToFloat(fields[3])};
            const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
            const std::uint64_t passes = plot::passCount(parameters);
            plot::checkSamplesFinite(coefficients, passes);
            return passes;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
};

// --- A session: a fresh window, the steps, the checks ----------------------------

// A value shown as text reads back to the point's value: as a double, or as
// a float where the value is one (shown in the float's shortest form).
bool readsBackTo(const std::string& text, double value) {
    double asDouble = 0;
    float asFloat = 0;
    const char* end = text.data() + text.size();
    const auto readDouble = std::from_chars(text.data(), end, asDouble);
    const auto readFloat = std::from_chars(text.data(), end, asFloat);
    return (readDouble.ptr == end && asDouble == value) ||
           (readFloat.ptr == end && static_cast<double>(asFloat) == value);
}

std::string joined(const Record& record) {
    std::string text;
    for (const std::string& field : record) text += (text.empty() ? "" : "\t") + field;
    return text;
}

class Session {
public:
    Session() : window_(std::make_unique<TForm1>(nullptr)) {
        Application->OnException = [this](const std::string& message) {
            reports_.push_back(message);
        };
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            ADD_FAILURE() << "the window never showed";
        for (std::size_t i = 0; i < kFields; ++i) model_.fields[i] = field(i)->Text();
    }
    ~Session() {
        Application->OnException = nullptr;
        QToolTip::hideText();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Takes the step and checks everything; says what is wrong, if anything.
    std::optional<std::string> run(const Step& step) {
        const std::size_t reportsBefore = reports_.size();
        bool reportExpected = false;
        try {
            reportExpected = take(step);
            QApplication::processEvents();
        } catch (const std::exception& e) {
            return std::string("an exception reached Qt: ") + e.what();
        } catch (...) {
            return "an exception reached Qt";
        }
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        return check(step, reportsBefore, reportExpected);
    }

private:
    TEdit* field(std::size_t i) const { return window_->findChild<TEdit*>(kFieldNames[i]); }
    TChart* chart() const { return window_->findChild<TChart*>("Chart1"); }
    TButton* button(const char* name) const { return window_->findChild<TButton*>(name); }
    TLineSeries* seriesNamed(const char* name) const {
        return window_->findChild<TLineSeries*>(name);
    }
    QPoint at(QPoint thousandths) const {
        return {thousandths.x() * (chart()->width() - 1) / 1000,
                thousandths.y() * (chart()->height() - 1) / 1000};
    }

    void drag(Qt::MouseButton button, QPoint from, QPoint to) const {
        QTest::mousePress(chart(), button, Qt::NoModifier, from);
        QTest::mouseMove(chart(), (from + to) / 2);
        QTest::mouseMove(chart(), to);
        QTest::mouseRelease(chart(), button, Qt::NoModifier, to);
    }
    void focusChart() const {
        QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, chart()->rect().center());
    }

    // Takes the step as a user would and updates the model; true when the
    // step must report an error.
    bool take(const Step& s) {
        switch (s.action) {
            case Action::Type:
                QTest::keyClick(field(s.field), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(field(s.field), Qt::Key_Backspace);
                QTest::keyClicks(field(s.field), QString::fromStdString(s.text));
                model_.fields[s.field] = s.text;
                return false;
            case Action::Paste:
                QApplication::clipboard()->setText(QString::fromStdString(s.text));
                QTest::keyClick(field(s.field), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(field(s.field), Qt::Key_V, Qt::ControlModifier);
                model_.fields[s.field] = s.text;
                return false;
            case Action::Ok: {
                const std::optional<std::uint64_t> passes = model_.passesForOk();
                QTest::mouseClick(button("Button1"), Qt::LeftButton);
                if (passes) {
                    model_.batches.push_back(*passes);
                    model_.points += *passes;
                }
                return !passes;
            }
            case Action::Clear:
                QTest::mouseClick(button("Button2"), Qt::LeftButton);
                model_.fields.fill("");
                model_.shown = false;
                return false;
            case Action::Zoom:
                drag(Qt::LeftButton, at(s.from), at(s.to));
                return false;
            case Action::Wheel: {
                const QPoint p = at(s.from);
                QWheelEvent event(p, chart()->mapToGlobal(p), QPoint(), QPoint(0, 120 * s.amount),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(chart(), &event);
                return false;
            }
            case Action::Pan:
                drag(Qt::RightButton, at(s.from), at(s.to));
                return false;
            case Action::Reset:
                if (s.amount == 0) {
                    QTest::mouseDClick(chart(), Qt::LeftButton, Qt::NoModifier,
                                       chart()->rect().center());
                } else {
                    focusChart();
                    QTest::keyClick(chart(), s.amount == 1 ? Qt::Key_Home : Qt::Key_Escape);
                }
                return false;
            case Action::Hover:
                QTest::mouseMove(chart(), at(s.from));
                return false;
            case Action::CopyData:
                QApplication::clipboard()->setText(kUntouched);
                if (s.amount == 0) {
                    chart()->findChild<QAction*>("CopyData")->trigger();
                } else {
                    focusChart();
                    QTest::keyClick(chart(), Qt::Key_C, Qt::ControlModifier);
                }
                return pointsInView() > series::kMaxTableRows;
            case Action::CopyImage:
                chart()->findChild<QAction*>("CopyImage")->trigger();
                return false;
            case Action::Resize:
                window_->resize(s.size);
                return false;
        }
        return false;
    }

    std::optional<std::string> check(const Step& s, std::size_t reportsBefore,
                                     bool reportExpected) {
        std::string reported;
        for (std::size_t i = reportsBefore; i < reports_.size(); ++i)
            reported += " '" + reports_[i] + "'";
        if (reports_.size() - reportsBefore != (reportExpected ? 1u : 0u))
            return (reportExpected ? "an error report expected, got:"
                                   : "no report expected, got:") +
                   reported;
        for (std::size_t i = 0; i < kFields; ++i)
            if (field(i)->Text() != model_.fields[i])
                return std::string(kFieldNames[i]) + " holds " + literal(field(i)->Text()) +
                       ", not " + literal(model_.fields[i]);
        for (const TLineSeries* series : {seriesNamed("Series1"), seriesNamed("Series2")})
            if (series->Points().size() != model_.points)
                return series->objectName().toStdString() + " has " +
                       std::to_string(series->Points().size()) + " points, not " +
                       std::to_string(model_.points);
        const std::vector<TLineSeries*> expected =
            model_.shown ? std::vector{seriesNamed("Series1"), seriesNamed("Series2")}
                         : std::vector<TLineSeries*>{};
        if (chart()->SeriesOnChart() != expected)
            return model_.shown ? "the series are not both on the chart"
                                : "a series is on the chart after Clear";
        if (!model_.shown && curvePixels(chart()) != 0) return "curves drawn after Clear";
        if (s.action == Action::Hover) return checkReadout(at(s.from));
        if (s.action == Action::CopyData) {
            const QString text = QApplication::clipboard()->text();
            if (reportExpected)
                return text == kUntouched ? std::nullopt
                                          : std::optional<std::string>(
                                                "a refused Copy data changed the clipboard");
            return checkTable(text.toStdString());
        }
        if (s.action == Action::CopyImage && QApplication::clipboard()->image().size() !=
                                                 chart()->size() * chart()->devicePixelRatio())
            return "Copy image is not the chart's size";
        return std::nullopt;
    }

    // In view: the point's index and value within the view's ranges, ends included.
    bool inView(const series::SeriesPoints& points, std::size_t index) const {
        const chart::Range keys = chart()->View().ranges().keys;
        const chart::Range values = chart()->View().ranges().values;
        const auto key = static_cast<double>(index);
        const double value = points.value(index);
        return key >= keys.lower && key <= keys.upper && value >= values.lower &&
               value <= values.upper;
    }
    std::size_t pointsInView() const {
        std::size_t count = 0;
        for (const TLineSeries* series : chart()->SeriesOnChart())
            for (std::size_t i = 0; i < series->Points().size(); ++i)
                count += inView(series->Points(), i);
        return count;
    }

    std::optional<std::string> checkTable(const std::string& text) const {
        const std::optional<std::vector<Record>> rows = parseTable(text, '\t', "\n");
        if (!rows || rows->empty() || rows->front() != Record{"series", "index", "label", "value"})
            return "Copy data's table does not parse: " + literal(text.substr(0, 200));
        std::size_t row = 1;
        for (const TLineSeries* series : chart()->SeriesOnChart()) {
            const series::SeriesPoints& points = series->Points();
            const std::string name = series->objectName().toStdString();
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (!inView(points, i)) continue;
                const Record expected{name, std::to_string(i),
                                      model_.label(series == seriesNamed("Series2"), i)};
                if (row >= rows->size())
                    return "Copy data's table ends before " + name + " point " + std::to_string(i);
                const Record& got = (*rows)[row++];
                if (got.size() != 4 || Record(got.begin(), got.begin() + 3) != expected ||
                    !readsBackTo(got[3], points.value(i)))
                    return "Copy data's row " + std::to_string(row - 1) + " is not " + name +
                           " point " + std::to_string(i) + ": " + literal(joined(got));
            }
        }
        if (row != rows->size()) return "Copy data's table has rows for points not in view";
        return std::nullopt;
    }

    // A readout names a shown series and one of its points within reach of the pointer.
    std::optional<std::string> checkReadout(QPoint pointer) const {
        const std::optional<QString> readout = chart::PointReadout::at(*chart(), pointer);
        if (!readout) return std::nullopt;
        if (!model_.shown) return "a readout after Clear: " + readout->toStdString();
        const QStringList parts = readout->split("  ");
        // The keys run across the plot area, as the axis shows them.
        const QRect area = chart()->PlotArea();
        const chart::Range keys = chart()->View().ranges().keys;
        const double key =
            (pointer.x() - area.left()) / static_cast<double>(area.width()) * keys.size() +
            keys.lower;
        const double reach = chart::PointReadout::kRadius * keys.size() / area.width();
        for (const TLineSeries* series : chart()->SeriesOnChart()) {
            if (parts.size() != 3 || parts[0] != series->objectName()) continue;
            const series::SeriesPoints& points = series->Points();
            for (double i = std::max(0.0, std::ceil(key - reach));
                 i <= key + reach && i < static_cast<double>(points.size()); ++i) {
                const auto index = static_cast<std::size_t>(i);
                if (parts[1].toStdString() ==
                        "label " + model_.label(series == seriesNamed("Series2"), index) &&
                    parts[2].startsWith("value ") &&
                    readsBackTo(parts[2].mid(6).toStdString(), points.value(index)))
                    return std::nullopt;
            }
        }
        return "the readout '" + readout->toStdString() + "' names no point near the pointer";
    }

    static inline const QString kUntouched = "(the clipboard before copying)";
    std::unique_ptr<TForm1> window_;
    std::vector<std::string> reports_;
    Model model_;
};

struct Failure {
    std::size_t step;  // the step after which a check failed
    std::string what;
};

std::optional<Failure> replay(const std::vector<Step>& steps) {
    Session session;
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (std::optional<std::string> what = session.run(steps[i])) return Failure{i, *what};
    return std::nullopt;
}

// Drops steps while the sequence still fails: halves, quarters, … single
// steps, a simple form of delta debugging. Stops at the deadline with the
// shortest sequence found so far.
std::vector<Step> shortened(std::vector<Step> steps, Failure& failure, const QElapsedTimer& clock,
                            qint64 deadline) {
    for (std::size_t chunk = std::max<std::size_t>(steps.size() / 2, 1);; chunk /= 2) {
        for (std::size_t at = 0; at < steps.size() && clock.elapsed() < deadline;) {
            std::vector<Step> candidate = steps;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                            candidate.begin() +
                                static_cast<std::ptrdiff_t>(std::min(at + chunk, steps.size())));
            if (const std::optional<Failure> f = replay(candidate)) {
                candidate.resize(f->step + 1);
                steps = candidate;
                failure = *f;
            } else {
                at += chunk;
            }
        }
        if (chunk == 1) return steps;
    }
}

// Qt's offscreen platform says at every tooltip that it cannot raise a
// window, and text shaping notes each script without font support: noise
// that would bury a failure's report.
QtMessageHandler gQtMessages = nullptr;

void quietNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support") ||
        message.startsWith("OpenType support missing"))
        return;
    gQtMessages(type, context, message);
}

double fromEnvironment(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtod(text, nullptr) : fallback;
}

TEST(WindowMonkey, RandomSessionsKeepEveryInvariant) {
    const auto seed = static_cast<std::uint64_t>(fromEnvironment("MONKEY_SEED", 1));
    const auto budget =
        static_cast<qint64>(1000 * fromEnvironment("MONKEY_SECONDS", CURVEPLOT_MONKEY_SECONDS));
    gQtMessages = qInstallMessageHandler(quietNoise);
    const auto restore = qScopeGuard([] { qInstallMessageHandler(gQtMessages); });
    std::printf("sessions seeded from %llu\n", static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    std::uint64_t session = 0;
    for (; clock.elapsed() < budget; ++session) {
        SplitMix random(seed + session);
        std::vector<Step> steps;
        for (std::size_t i = 0; i < kStepsPerSession; ++i) steps.push_back(randomStep(random));
        std::optional<Failure> failure = replay(steps);
        if (!failure) continue;
        const std::size_t failedAt = failure->step + 1;
        steps.resize(failedAt);
        steps = shortened(steps, *failure, clock, clock.elapsed() + 120'000);
        std::string listing;
        for (const Step& s : steps) listing += "\n  " + describe(s);
        FAIL() << "session seed " << seed + session << " (MONKEY_SEED=" << seed + session
               << " replays it first) fails after step " << failedAt
               << "; shortest failing sequence, " << steps.size() << " steps:" << listing
               << "\n  → " << failure->what;
    }
    std::printf("%llu sessions of %zu steps from seed %llu in %.1f s\n",
                static_cast<unsigned long long>(session), kStepsPerSession,
                static_cast<unsigned long long>(seed), static_cast<double>(clock.elapsed()) / 1000);
}

}  // namespace
