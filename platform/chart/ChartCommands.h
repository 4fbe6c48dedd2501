#pragma once
// What the user can do with a chart besides its gestures, one function per
// command: step back and forward through past views, type a view, go back to
// the automatic one, show or hide the value axis; copy the points in view or
// the picture; save the picture or the points; print. The commands that need
// a file or a printer ask for it in a dialog first (those ending in "As",
// print and printPreview), then call the one that takes it. Copying, saving
// and printing work on the view as the next paint shows it: points appended
// since the last paint fitted in. Errors are thrown as conversions::Exception
// naming the file and the reason. Which keys and which menu entry run a
// command is the menu's business (ChartMenu).

#include <QCoreApplication>
#include <QString>
#include <vector>

#include "series/TableWriter.h"

class QPrinter;
class TChart;

namespace chart {

class ChartView;

class ChartCommands {
    Q_DECLARE_TR_FUNCTIONS(chart::ChartCommands)

public:
    explicit ChartCommands(TChart& chart) : chart_(chart) {}

    void previousView();
    void nextView();
    void editViewRange();
    void resetView();
    void toggleValueAxis();

    // The points in view, on both axes with their ends, as a table on the
    // clipboard. Throws when there are more than a spreadsheet holds.
    void copyData();
    void copyImage();

    void saveImageAs();
    void saveDataAs();
    void print();
    void printPreview();

    // By the name's extension: PNG at the chart's size times the screen's
    // pixel ratio times `scale`, or SVG or PDF as vectors.
    void saveImage(const QString& fileName, double scale = 1);
    // The points as CSV or TSV, by the name's extension: every point of the
    // shown series, or those in view (as copyData) once the user has zoomed or
    // panned; streamed through an AtomicFileWriter. When it takes longer than
    // half a second, a progress dialog shows how far it got and offers Cancel
    // (WorkProgress); while it is open, the window takes no input, so no
    // command changes the points midway, and closing the window asks whether
    // to stop saving. Returns false when the user cancelled or stopped it to
    // close the window: no file written, an old one kept.
    bool saveData(const QString& fileName);
    void printTo(QPrinter& printer);

private:
    const ChartView& upToDateView();
    std::vector<series::NamedSeries> namedSeries() const;
    std::vector<series::TableSlice> pointsToSave();
    bool writeTable(const std::vector<series::TableSlice>& slices, std::size_t rowCount,
                    const QString& fileName);

    TChart& chart_;
};

}  // namespace chart
