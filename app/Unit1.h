#pragma once
// The main window. Its controls, their settings and the button bindings are
// declared in Unit1.ui; uic makes them members of Ui::TForm1, which this class
// derives from, and this class adds the two commands.
//
// OK ("確定") turns the fields into points:
//   field text ─StrToFloat→ Vramp, Span1, Omaga, Span2 (extended)
//     ─plot::deriveCoefficients→ a0…a4, b0…b4 (floats)
//     ─plot::sampleInParallel→ one pass per x = 0, 0.1, 0.2 … (y1, y2; counters count1, count2),
//       on every core at the widest vector unit, written straight into the series' memory
//     ─TLineSeries::AddBatch→ Series1 (y1, "count1", blue), Series2 (y2, "count2", yellow)
//     ─TChart→ pixels, one stroke per pixel column however many points.
// Clear ("清除") takes both series off the chart and empties all thirteen fields.

#include <memory>

#include "app/Unit1Events.h"
#include "platform/chart/Chart.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/PaneSwitcher.h"

// uic names setupUi's parameter after the window, which shadows the global Form1.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "ui_Unit1.h"
#pragma GCC diagnostic pop

class TForm1 : public TForm1Events, private Ui::TForm1 {
    Q_OBJECT

public:
    explicit TForm1(TComponent* Owner);

    void Button1Click(TObject* Sender) override;
    void Button2Click(TObject* Sender) override;

    // How many threads OK samples on: 0 (the default) is one per core.
    void SetSamplingThreads(unsigned threads) { samplingThreads_ = threads; }

private:
    unsigned samplingThreads_ = 0;
    std::unique_ptr<toolkit::PaneSwitcher> paneSwitcher_;  // F6 to the chart and back
};

extern TForm1* Form1;
