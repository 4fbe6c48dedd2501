#include "platform/chart/ChartAccessible.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/chart/ChartView.h"
#include "plot/number_text.h"
#include "series/PointTable.h"

namespace chart {

namespace {

// A value as the table shows it, with a true minus sign, which speech reads
// as "minus" where a hyphen may be read as a dash.
QString spokenValue(double value) {
    QString text = QString::fromStdString(plot::valueText(value));
    if (text.startsWith('-')) text.replace(0, 1, QChar(0x2212));
    return text;
}

QString seriesSummary(const series::SeriesPoints& points) {
    if (points.empty()) return "no points";
    const series::Extent extent = points.extent();
    if (points.size() == 1) return "1 point, value " + spokenValue(extent.min);
    const QString count = QString::fromStdString(plot::groupedDigits(points.size())) + " points";
    if (extent.min == extent.max) return count + ", all " + spokenValue(extent.min);
    return count + ", values " + spokenValue(extent.min) + " to " + spokenValue(extent.max);
}

// The description: each series shown, by name, with its point count and the
// range of its values.
// Once the user has moved the view: which points it shows.
QString viewSummary(const TChart& chart, std::size_t count) {
    const QCPRange keys = chart.View().ranges().keys;
    const double first = std::max(0.0, std::ceil(keys.lower));
    const double last = std::min(static_cast<double>(count) - 1, std::floor(keys.upper));
    const QString total = QString::fromStdString(plot::groupedDigits(count));
    if (first > last) return "showing none of " + total + " points";
    return QStringLiteral("showing points %1 to %2 of %3")
        .arg(QString::fromStdString(plot::groupedDigits(static_cast<std::size_t>(first))),
             QString::fromStdString(plot::groupedDigits(static_cast<std::size_t>(last))), total);
}

QString chartDescription(const TChart& chart) {
    if (!chart.Notice().isEmpty()) return chart.Notice();
    QStringList parts;
    std::size_t count = 0;
    for (const TLineSeries* series : chart.SeriesOnChart()) {
        parts << series->objectName() + ": " + seriesSummary(series->Points());
        count = std::max(count, series->Points().size());
    }
    if (parts.isEmpty()) return "no series shown";
    if (!chart.View().following() && count > 0) parts << viewSummary(chart, count);
    return parts.join("; ");
}

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String("TChart"))
        if (auto* chart = qobject_cast<TChart*>(object)) return new ChartAccessible(chart);
    return nullptr;
}

}  // namespace

void InstallChartAccessibility() {
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;
}

void AnnounceDescriptionChange(TChart* chart) {
    if (!QAccessible::isActive()) return;
    QMetaObject::invokeMethod(
        chart,
        [chart] {
            QAccessibleEvent event(chart, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}

ChartAccessible::ChartAccessible(TChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

TChart* ChartAccessible::chart() const { return static_cast<TChart*>(widget()); }

QString ChartAccessible::text(QAccessible::Text kind) const {
    switch (kind) {
        case QAccessible::Name:
            if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
            return chart()->title().isEmpty() ? QStringLiteral("Chart") : chart()->title();
        case QAccessible::Description:
            return chartDescription(*chart());
        default:
            return QAccessibleWidget::text(kind);
    }
}

QStringList ChartAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << showMenuAction();
}

// Opens the menu as the menu key does, over the middle of the chart.
void ChartAccessible::doAction(const QString& actionName) {
    if (actionName != showMenuAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    const QPoint centre = chart()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, chart()->mapToGlobal(centre));
    QCoreApplication::sendEvent(chart(), &event);
}

QStringList ChartAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == showMenuAction()) return {"Menu", "Shift+F10"};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

}  // namespace chart
