#pragma once
// The chart's menu: stepping through past views and typing one, then the
// copying, saving and printing commands, each with its keys beside it. The
// keys work while the chart has the focus, the menu closed; entries that
// cannot act now are greyed out, and those that are on carry a check mark.

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
