#pragma once
// What assistive technology learns of the chart: a chart named by its title,
// whose description says what it shows ("Series1: 101 points, values 0 to
// 17.5; Series2: …", or "no series shown"), with actions to take the focus and
// to open its menu. It has no children: its series are data, not controls.

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QString>

class TChart;

namespace chart {

class ChartAccessible : public QAccessibleWidget {
    Q_DECLARE_TR_FUNCTIONS(chart::ChartAccessible)

public:
    explicit ChartAccessible(TChart* chart);

    QString text(QAccessible::Text kind) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TChart* chart() const;
    QString description() const;
};

// Makes every TChart known to assistive technology as a ChartAccessible; the
// first chart does it, later calls do nothing.
void InstallChartAccessibility();

// Tells assistive technology, from the event loop, that the description of
// `chart` may have changed; nothing when none is listening.
void AnnounceDescriptionChange(TChart* chart);

}  // namespace chart
