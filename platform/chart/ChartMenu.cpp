#include "platform/chart/ChartMenu.h"

#include <QKeySequence>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartCommands.h"
#include "platform/chart/ChartPlot.h"
#include "platform/toolkit/Application.h"

namespace chart {

struct ChartMenu::Entry {
    enum class Section { Copying, Viewing, Saving, Printing };
    Section section;   // a line between sections
    const char* text;  // marked with QT_TR_NOOP, shown through tr()
    const char* name;  // the entry's object name
    QList<QKeySequence> keys;
    void (ChartCommands::*run)();
    bool (*canRun)(const TChart& chart) = nullptr;  // null: it always can
    bool (*isOn)(const TChart& chart) = nullptr;    // an entry with a check mark: whether it is on
};

std::vector<ChartMenu::Entry> ChartMenu::entries() {
    using Section = Entry::Section;
    using C = ChartCommands;
    return {
        {Section::Copying, QT_TR_NOOP("Copy data"), "CopyData",
         QKeySequence::keyBindings(QKeySequence::Copy), &C::copyData},
        {Section::Copying, QT_TR_NOOP("Copy image"), "CopyImage", {}, &C::copyImage},
        {Section::Viewing,
         QT_TR_NOOP("Previous view"),
         "PreviousView",
         {Qt::ALT | Qt::Key_Left, Qt::Key_Backspace},
         &C::previousView,
         [](const TChart& c) { return c.View().canGoBack(); }},
        {Section::Viewing,
         QT_TR_NOOP("Next view"),
         "NextView",
         {Qt::ALT | Qt::Key_Right},
         &C::nextView,
         [](const TChart& c) { return c.View().canGoForward(); }},
        {Section::Viewing,
         QT_TR_NOOP("View range…"),
         "ViewRange",
         {Qt::CTRL | Qt::Key_R},
         &C::editViewRange},
        {Section::Viewing,
         QT_TR_NOOP("Reset view"),
         "ResetView",
         {Qt::Key_Home, Qt::Key_Escape},
         &C::resetView,
         [](const TChart& c) { return !c.View().following(); }},
        {Section::Viewing,
         QT_TR_NOOP("Show value axis"),
         "ShowValueAxis",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Y},
         &C::toggleValueAxis,
         nullptr,
         [](const TChart& c) { return plotOf(c).valueAxisShown(); }},
        {Section::Saving,
         QT_TR_NOOP("Save image…"),
         "SaveImage",
         {Qt::CTRL | Qt::Key_S},
         &C::saveImageAs},
        {Section::Saving,
         QT_TR_NOOP("Save data…"),
         "SaveData",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_S},
         &C::saveDataAs},
        {Section::Printing, QT_TR_NOOP("Print…"), "Print", {Qt::CTRL | Qt::Key_P}, &C::print},
        {Section::Printing, QT_TR_NOOP("Print preview…"), "PrintPreview", {}, &C::printPreview},
    };
}

ChartMenu::ChartMenu(TChart& chart) : QMenu(&chart), chart_(chart) {
    const std::vector<Entry> all = entries();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Entry& entry = all[i];
        if (i > 0 && entry.section != all[i - 1].section) addSeparator();
        QAction* action = addAction(tr(entry.text), this, [this, run = entry.run] {
            RunGuarded([&] {
                ChartCommands commands(chart_);
                (commands.*run)();
            });
        });
        action->setObjectName(entry.name);
        action->setShortcuts(entry.keys);
        action->setShortcutContext(Qt::WidgetShortcut);  // the keys go through runKeys
        action->setCheckable(entry.isOn != nullptr);
        if (entry.canRun || entry.isOn) changing_.push_back({action, entry.canRun, entry.isOn});
    }
    connect(this, &QMenu::aboutToShow, this, &ChartMenu::updateStates);
}

void ChartMenu::updateStates() {
    for (const Changing& entry : changing_) {
        if (entry.canRun) entry.action->setEnabled(entry.canRun(chart_));
        if (entry.isOn) entry.action->setChecked(entry.isOn(chart_));
    }
}

bool ChartMenu::runKeys(const QKeySequence& keys) {
    for (QAction* action : actions())
        if (action->shortcuts().contains(keys)) {
            updateStates();
            if (action->isEnabled()) action->trigger();
            return true;
        }
    return false;
}

void ChartMenu::popupFromKeyboard() {
    if (isVisible()) return;
    popup(chart_.mapToGlobal(chart_.PlotArea().center()));
    setActiveAction(actions().value(0));
}

}  // namespace chart
