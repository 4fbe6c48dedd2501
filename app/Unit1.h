#pragma once
// The main window. Its controls, their settings and the button bindings are
// declared in Unit1.ui; this class names the controls and adds the two commands.
//
// OK ("確定") turns the fields into points:
//   field text ─StrToFloat→ Vramp, Span1, Omaga, Span2 (extended)
//     ─plot::deriveCoefficients→ a0…a4, b0…b4 (floats)
//     ─plot::sampleInParallel→ one pass per x = 0, 0.1, 0.2 … (y1, y2; counters count1, count2)
//     ─TLineSeries::AddBatch→ Series1 (y1, "count1", blue), Series2 (y2, "count2", yellow)
//     ─TChart→ pixels, one stroke per pixel column however many points.
// Clear ("清除") takes both series off the chart and empties all thirteen fields.

#include "app/Unit1Events.h"
#include "platform/Chart.h"

class TForm1 : public TForm1Events {
    Q_OBJECT

public:
    explicit TForm1(TComponent* Owner);

    void Button1Click(TObject* Sender) override;
    void Button2Click(TObject* Sender) override;

    // The controls, built from Unit1.ui and owned by the window.
    TChart* Chart1;
    TLineSeries* Series1;
    TButton* Button2;
    TGroupBox* GroupBox1;
    TEdit* Span1;
    TLabel* Label1;
    TEdit* Omaga;
    TLabel* Label2;
    TEdit* Span2;
    TLabel* Label3;
    TEdit *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11, *Edit12, *Edit13;
    TLabel *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11, *Label12,
        *Label13;
    TEdit* Vramp;
    TButton* Button1;
    TLineSeries* Series2;
};

extern TForm1* Form1;
