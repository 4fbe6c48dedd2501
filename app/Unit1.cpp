#include "app/Unit1.h"

#include <new>
#include <string>

#include "platform/Conversions.h"
#include "platform/Exception.h"
#include "platform/PaneSwitcher.h"
#include "plot/curves.h"
#include "series/NumberText.h"

// uic names setupUi's parameter after the window, which shadows the global Form1.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "ui_Unit1.h"
#pragma GCC diagnostic pop

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* Owner) : TForm1Events(Owner) {
    Ui::TForm1 declared;
    declared.setupUi(this);
    Chart1 = declared.Chart1;
    Series1 = declared.Series1;
    Button2 = declared.Button2;
    GroupBox1 = declared.GroupBox1;
    Span1 = declared.Span1;
    Label1 = declared.Label1;
    Omaga = declared.Omaga;
    Label2 = declared.Label2;
    Span2 = declared.Span2;
    Label3 = declared.Label3;
    Edit5 = declared.Edit5;
    Edit6 = declared.Edit6;
    Edit7 = declared.Edit7;
    Edit8 = declared.Edit8;
    Edit9 = declared.Edit9;
    Edit10 = declared.Edit10;
    Edit11 = declared.Edit11;
    Edit12 = declared.Edit12;
    Edit13 = declared.Edit13;
    Label4 = declared.Label4;
    Label5 = declared.Label5;
    Label6 = declared.Label6;
    Label7 = declared.Label7;
    Label8 = declared.Label8;
    Label9 = declared.Label9;
    Label10 = declared.Label10;
    Label11 = declared.Label11;
    Label12 = declared.Label12;
    Label13 = declared.Label13;
    Vramp = declared.Vramp;
    Button1 = declared.Button1;
    Series2 = declared.Series2;
    new PaneSwitcher(this, Chart1);
}

namespace {

// The number in `field`; a conversion error names the field by its caption.
Extended numberIn(const TEdit* field, const TLabel* caption) {
    try {
        return StrToFloat(field->Text());
    } catch (const EConvertError& error) {
        throw EConvertError(caption->text().toStdString() + ": " + error.Message());
    }
}

}  // namespace

void TForm1::Button1Click(TObject*) {
    const plot::Parameters parameters{numberIn(Vramp, Label1), numberIn(Span1, Label2),
                                      numberIn(Omaga, Label3), numberIn(Span2, Label4)};
    const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
    const std::uint64_t passes = plot::passCount(parameters);
    try {
        Series1->ReserveMore(passes);
        Series2->ReserveMore(passes);
    } catch (const std::bad_alloc&) {
        throw Exception("Not enough memory to plot " + groupedDigits(2 * passes) + " points");
    }
    plot::checkSamplesFinite(coefficients, passes);

    // Every pass appends a point to each series: y1 labelled FloatToStr(count1)
    // in blue, y2 labelled FloatToStr(count2) in yellow, the counters from 0
    // and 10 until they stop at 2^24. All passes are appended in one go, the
    // samples computed on every core straight into the series.
    constexpr auto kCountersStop = static_cast<std::uint64_t>(plot::kCounterLimit);
    TLineSeries::Batch curve1 = Series1->AddBatch(passes, {0, kCountersStop}, clBlue);
    TLineSeries::Batch curve2 = Series2->AddBatch(passes, {10, kCountersStop}, clYellow);
    plot::sampleInParallel(
        coefficients, passes,
        [&](std::uint64_t first, std::span<const float> y1, std::span<const float> y2) {
            curve1.Write(first, y1);
            curve2.Write(first, y2);
        });
}

void TForm1::Button2Click(TObject*) {
    Chart1->RemoveAllSeries();
    for (TEdit* field : {Vramp, Span1, Omaga, Span2, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10,
                         Edit11, Edit12, Edit13})
        field->SetText("");
}
