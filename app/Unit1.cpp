#include "app/Unit1.h"

#include <new>
#include <string>

#include "platform/conversions/Conversions.h"
#include "plot/curves.h"
#include "plot/number_text.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* Owner) : TForm1Events(Owner) {
    setupUi(this);
    paneSwitcher_ = std::make_unique<toolkit::PaneSwitcher>(this, Chart1);
}

namespace {

// The number in `field`; a conversion error names the field by its caption.
plot::Extended numberIn(const TEdit* field, const TLabel* caption) {
    return conversions::FieldToFloat(caption->text().toStdString(), field->Text());
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
        throw Exception(tr("Not enough memory to plot %1 points")
                            .arg(QString::fromStdString(plot::groupedDigits(2 * passes)))
                            .toStdString());
    }
    plot::checkSamplesFinite(coefficients, passes);

    // Every pass appends a point to each series: y1 labelled with count1 in
    // blue, y2 labelled with count2 in yellow, the counters from 0 and 10
    // until they stop at 2^24; labels are the counters' plain digits, as
    // FloatToStr gives them. All passes are appended in one go, the samples
    // computed on every core straight into the series' memory, each block's
    // extents taken while it is fresh in the cache.
    constexpr auto kCountersStop = static_cast<std::uint64_t>(plot::kCounterLimit);
    TLineSeries::Batch curve1 = Series1->AddBatch(passes, {0, kCountersStop}, clBlue);
    TLineSeries::Batch curve2 = Series2->AddBatch(passes, {10, kCountersStop}, clYellow);
    plot::sampleInParallel(
        coefficients, passes,
        [&](std::uint64_t first, std::span<const float> y1, std::span<const float> y2) {
            curve1.Write(first, y1);
            curve2.Write(first, y2);
        },
        samplingThreads_, plot::bestSimdLevel(), {curve1.Destination(), curve2.Destination()});
}

void TForm1::Button2Click(TObject*) {
    Chart1->RemoveAllSeries();
    for (TEdit* field : {Vramp, Span1, Omaga, Span2, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10,
                         Edit11, Edit12, Edit13})
        field->SetText("");
}
