#pragma once
// The chart's menu, declared once as a table (ChartMenu.cpp) in the order it
// shows, its sections apart: Copy data, Copy image; Previous view, Next view,
// View range…, Reset view, Show value axis; Save image…, Save data…; Print…,
// Print preview…. Each entry shows its keys beside it; the keys work while the
// chart has the focus and the menu is closed. Entries that cannot act now are
// greyed out, and those that are on carry a check mark. The commands
// themselves are ChartCommands'.

#include <QMenu>
#include <vector>

class QKeySequence;
class TChart;

namespace chart {

class ChartMenu : public QMenu {
    Q_OBJECT

public:
    // Owned by `chart`.
    explicit ChartMenu(TChart& chart);

    // Runs the entry these keys belong to, if it can act; false when the keys
    // are no entry's.
    bool runKeys(const QKeySequence& keys);
    // Over the plot area, with the first entry chosen, so that Enter runs it
    // and the arrow keys move on from there.
    void popupFromKeyboard();

private:
    struct Entry;
    static std::vector<Entry> entries();
    void updateStates();

    TChart& chart_;
    // The entries that can act only at times, or are on or off, with the
    // tests that tell.
    struct Changing {
        QAction* action;
        bool (*canRun)(const TChart&);
        bool (*isOn)(const TChart&);
    };
    std::vector<Changing> changing_;
};

}  // namespace chart
