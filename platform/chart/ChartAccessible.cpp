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

// The description's texts, in the user's language.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(chart::ChartAccessible)
};

QString digits(std::size_t count) { return QString::fromStdString(plot::groupedDigits(count)); }

QString seriesSummary(const series::SeriesPoints& points) {
    if (points.empty()) return Texts::tr("no points");
    const series::Extent extent = points.extent();
    if (points.size() == 1) return Texts::tr("1 point, value %1").arg(spokenValue(extent.min));
    if (extent.min == extent.max)
        return Texts::tr("%1 points, all %2").arg(digits(points.size()), spokenValue(extent.min));
    return Texts::tr("%1 points, values %2 to %3")
        .arg(digits(points.size()), spokenValue(extent.min), spokenValue(extent.max));
}

// Once the user has moved the view: which points it shows.
QString viewSummary(const TChart& chart, std::size_t count) {
    const QCPRange keys = chart.View().ranges().keys;
    const double first = std::max(0.0, std::ceil(keys.lower));
    const double last = std::min(static_cast<double>(count) - 1, std::floor(keys.upper));
    if (first > last) return Texts::tr("showing none of %1 points").arg(digits(count));
    return Texts::tr("showing points %1 to %2 of %3")
        .arg(digits(static_cast<std::size_t>(first)), digits(static_cast<std::size_t>(last)),
             digits(count));
}

// The description: each series shown, by name, with its point count and the
// range of its values, and what the view shows once the user has moved it.
QString chartDescription(const TChart& chart) {
    if (chart.SeriesOnChart().empty() && !chart.Notice().isEmpty()) return chart.Notice();
    QStringList parts;
    std::size_t count = 0;
    for (const TLineSeries* series : chart.SeriesOnChart()) {
        parts << Texts::tr("%1: %2").arg(series->objectName(), seriesSummary(series->Points()));
        count = std::max(count, series->Points().size());
    }
    if (parts.isEmpty()) return Texts::tr("no series shown");
    if (!chart.View().following() && count > 0) parts << viewSummary(chart, count);
    return parts.join(Texts::tr("; "));
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
            return chart()->title().isEmpty() ? Texts::tr("Chart") : chart()->title();
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
