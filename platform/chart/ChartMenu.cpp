#include "platform/chart/ChartMenu.h"

#include <QKeySequence>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartCommands.h"
#include "platform/chart/ChartView.h"
#include "platform/chart/ViewRangeDialog.h"
#include "platform/toolkit/Application.h"

namespace chart {

namespace {

using Command = ChartCommand;

// The entries that steer the view.
std::vector<Command> viewCommands() {
    return {
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Previous view"),
         "PreviousView",
         {Qt::ALT | Qt::Key_Left, Qt::Key_Backspace},
         [](TChart& c) { c.View().back(); },
         [](const TChart& c) { return c.View().canGoBack(); }},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Next view"),
         "NextView",
         {Qt::ALT | Qt::Key_Right},
         [](TChart& c) { c.View().forward(); },
         [](const TChart& c) { return c.View().canGoForward(); }},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "View range…"),
         "ViewRange",
         {Qt::CTRL | Qt::Key_R},
         editViewRange},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Reset view"),
         "ResetView",
         {Qt::Key_Home, Qt::Key_Escape},
         [](TChart& c) { c.View().reset(); },
         [](const TChart& c) { return !c.View().following(); }},
        {QT_TRANSLATE_NOOP("chart::ChartMenu", "Show value axis"),
         "ShowValueAxis",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Y},
         [](TChart& c) { c.ShowValueAxis(!c.ValueAxisShown()); },
         nullptr,
         [](const TChart& c) { return c.ValueAxisShown(); }},
    };
}

}  // namespace

ChartMenu::ChartMenu(TChart& chart) : QMenu(&chart), chart_(chart) {
    std::vector<Command> commands = chartCommands();
    commands.insert(commands.begin() + 2, Command{});
    const std::vector<Command> view = viewCommands();
    commands.insert(commands.begin() + 3, view.begin(), view.end());
    for (const Command& command : commands) {
        if (!command.run) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(tr(command.text), this, [this, run = command.run] {
            RunGuarded([&] { run(chart_); });
        });
        action->setObjectName(command.name);
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WidgetShortcut);  // the keys go through runKeys
        action->setCheckable(command.isOn != nullptr);
        if (command.canRun || command.isOn)
            changing_.push_back({action, command.canRun, command.isOn});
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
    popup(chart_.mapToGlobal(chart_.axisRect()->rect().center()));
    setActiveAction(actions().value(0));
}

}  // namespace chart
