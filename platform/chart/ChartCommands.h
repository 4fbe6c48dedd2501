#pragma once
// The chart's commands, each working on a chart: Copy data and Copy image to
// the clipboard, Save image and Save data to a file, Print. The commands the
// menu runs ask for a file or a printer first, then call the seams below that
// take one. Errors are thrown as Exception naming the file and the reason.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

#include "series/PointTable.h"

class QPrinter;
class TChart;

namespace chart {

// The points in view: the axes' ranges, ends included.
series::ViewRect viewRect(const TChart& chart);

// The points in view as a table on the clipboard. Throws Exception when there
// are more than a spreadsheet holds.
void copyData(const TChart& chart);
void copyImage(TChart& chart);

// By the name's extension: PNG at the chart's size times the screen's pixel
// ratio times `scale`, or SVG or PDF as vectors.
void saveImage(TChart& chart, const QString& fileName, double scale = 1);
// The points as CSV or TSV, by the name's extension: every point of the shown
// series, or those in view once the user has zoomed or panned. Returns false
// when the user cancelled it.
bool saveData(TChart& chart, const QString& fileName);
void printTo(TChart& chart, QPrinter& printer);

// An entry of the chart's menu; a null `run` stands for a separator.
struct ChartCommand {
    const char* text;  // untranslated, in the context "chart::ChartMenu"
    const char* name;  // the entry's object name
    QList<QKeySequence> keys;
    void (*run)(TChart& chart);
    bool (*canRun)(const TChart& chart) = nullptr;  // null: it always can
    bool (*isOn)(const TChart& chart) = nullptr;    // an entry with a check mark: whether it is on
};

// The copying, saving and printing commands, in menu order, with the dialogs
// in front of saving and printing.
std::vector<ChartCommand> chartCommands();

}  // namespace chart
