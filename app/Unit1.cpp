#include "app/Unit1.h"

#include <new>
#include <string>

#include "platform/Conversions.h"
#include "platform/Exception.h"
#include "plot/curves.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* Owner) : TForm1Events(Owner) { setupUi(this); }

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
        throw Exception("Not enough memory to plot " + std::to_string(2 * passes) + " points");
    }
    plot::sampleCurves(parameters, coefficients, [this](const plot::Pass& pass) {
        // Labels FloatToStr(count1) and FloatToStr(count2), kept as numbers.
        Series1->Add(pass.y1, NumberLabel{pass.count1}, clBlue);
        Series2->Add(pass.y2, NumberLabel{pass.count2}, clYellow);
    });
}

void TForm1::Button2Click(TObject*) {
    Chart1->RemoveAllSeries();
    for (TEdit* field : {Vramp, Span1, Omaga, Span2, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10,
                         Edit11, Edit12, Edit13})
        field->SetText("");
}
