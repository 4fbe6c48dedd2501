#include "platform/chart/ChartAccessible.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <mutex>

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

QString digits(std::size_t count) { return QString::fromStdString(plot::groupedDigits(count)); }

QString seriesSummary(const series::SeriesPoints& points) {
    if (points.empty()) return ChartAccessible::tr("no points");
    const series::Extent extent = points.extent();
    if (points.size() == 1)
        return ChartAccessible::tr("1 point, value %1").arg(spokenValue(extent.min));
    if (extent.min == extent.max)
        return ChartAccessible::tr("%1 points, all %2")
            .arg(digits(points.size()), spokenValue(extent.min));
    return ChartAccessible::tr("%1 points, values %2 to %3")
        .arg(digits(points.size()), spokenValue(extent.min), spokenValue(extent.max));
}

// Once the user has moved the view: which points of the longest series it
// shows, counting from 0 as Copy data's index does.
QString viewSummary(const series::SeriesPoints& longest, const Range& keys) {
    const series::IndexRange shown = longest.indicesBetween(keys.lower, keys.upper);
    if (shown.first >= shown.last)
        return ChartAccessible::tr("showing none of %1 points").arg(digits(longest.size()));
    return ChartAccessible::tr("showing points %1 to %2 of %3")
        .arg(digits(shown.first), digits(shown.last - 1), digits(longest.size()));
}

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String("TChart"))
        if (auto* chart = qobject_cast<TChart*>(object)) return new ChartAccessible(chart);
    return nullptr;
}

}  // namespace

void InstallChartAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(interfaceFor); });
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
            return chart()->title().isEmpty() ? tr("Chart") : chart()->title();
        case QAccessible::Description:
            return description();
        default:
            return QAccessibleWidget::text(kind);
    }
}

// Each series shown, by name, with its point count and the range of its
// values, and what the view shows once the user has moved it.
QString ChartAccessible::description() const {
    const TChart& shown = *chart();
    if (shown.SeriesOnChart().empty() && !shown.Notice().isEmpty()) return shown.Notice();
    QStringList parts;
    const series::SeriesPoints* longest = nullptr;
    for (const TLineSeries* series : shown.SeriesOnChart()) {
        parts << tr("%1: %2").arg(series->objectName(), seriesSummary(series->Points()));
        if (!longest || series->Points().size() > longest->size()) longest = &series->Points();
    }
    if (parts.isEmpty()) return tr("no series shown");
    if (!shown.View().following() && !longest->empty())
        parts << viewSummary(*longest, shown.View().ranges().keys);
    return parts.join(tr("; "));
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
