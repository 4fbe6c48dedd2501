#include "platform/Chart.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/Application.h"
#include "platform/ChartAccessible.h"
#include "platform/Exception.h"
#include "platform/LabelTicker.h"
#include "platform/SeriesPlottable.h"
#include "series/NumberText.h"
#include "series/PointTable.h"

TChart::TChart(QWidget* parent) : QCustomPlot(parent), title_(new QCPTextElement(this)) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
    xAxis->setTicker(QSharedPointer<LabelTicker>::create(
        [this]() -> const SeriesPoints* {
            return shown_.empty() ? nullptr : &shown_.front().series->Points();
        },
        xAxis));
    xAxis->grid()->setVisible(false);
    yAxis->grid()->setVisible(false);
    setPlottingHints(QCP::phCacheLabels);
    setBackground(palette().window());

    setSelectionRectMode(QCP::srmZoom);
    setInteractions(QCP::iRangeZoom);
    axisRect()->setRangeZoom(Qt::Horizontal);
    for (QCPAxis* axis : {xAxis, yAxis})
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
            if (!fitting_) following_ = false;
        });
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    menu_ = new QMenu(this);
    menu_->addAction("Copy data", this, [this] { RunGuarded([this] { CopyData(); }); })
        ->setObjectName("CopyData");
    menu_->addAction("Copy image", this, [this] { RunGuarded([this] { CopyImage(); }); })
        ->setObjectName("CopyImage");
    menu_->addSeparator();
    addMenuCommand("Save image…", "SaveImage", kSaveImageKeys, &TChart::SaveImageAs);
    addMenuCommand("Save data…", "SaveData", kSaveDataKeys, &TChart::SaveDataAs);
    menu_->addSeparator();
    addMenuCommand("Print…", "Print", kPrintKeys, &TChart::Print);
    addMenuCommand("Print preview…", "PrintPreview", {}, &TChart::PrintPreview);
}

TChart::~TChart() {
    // The series are child widgets; destroyed here, they still find the chart
    // whole when they say goodbye.
    qDeleteAll(findChildren<TLineSeries*>(Qt::FindDirectChildrenOnly));
}

QString TChart::title() const { return title_->text(); }
void TChart::setTitle(const QString& text) { title_->setText(text); }

std::vector<NamedSeries> TChart::namedSeries() const {
    std::vector<NamedSeries> series;
    for (const Shown& shown : shown_)
        series.push_back({shown.series->objectName().toStdString(), &shown.series->Points()});
    return series;
}

ViewRect TChart::view() const {
    return {xAxis->range().lower, xAxis->range().upper, yAxis->range().lower, yAxis->range().upper};
}

std::vector<TLineSeries*> TChart::SeriesOnChart() const {
    std::vector<TLineSeries*> series;
    for (const Shown& shown : shown_) series.push_back(shown.series);
    return series;
}

TChart::Shown* TChart::shownEntryOf(const TLineSeries& series) {
    const auto entry = std::find_if(shown_.begin(), shown_.end(),
                                    [&](const Shown& shown) { return shown.series == &series; });
    return entry == shown_.end() ? nullptr : &*entry;
}

void TChart::SeriesCreated(TLineSeries& series) {
    shown_.push_back(
        {&series, new SeriesPlottable(xAxis, yAxis, series.Points(),
                                      {series.seriesColor(), series.pointerVisible()})});
    requestRedraw();
}

void TChart::SeriesDestroyed(TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        removePlottable(shown->plottable);
        std::erase_if(shown_, [&](const Shown& s) { return s.series == &series; });
        requestRedraw();
    }
}

void TChart::PointsAppended(TLineSeries& series) {
    if (!redrawPending_ && shownEntryOf(series)) requestRedraw();
}

void TChart::StyleChanged(TLineSeries& series) {
    if (const Shown* shown = shownEntryOf(series)) {
        shown->plottable->setStyle({series.seriesColor(), series.pointerVisible()});
        requestRedraw();
    }
}

void TChart::RemoveAllSeries() {
    for (const Shown& shown : shown_) removePlottable(shown.plottable);
    shown_.clear();
    requestRedraw();
}

void TChart::requestRedraw() {
    if (redrawPending_) return;
    redrawPending_ = true;
    update();
}

void TChart::fitAxesToPoints() {
    fitting_ = true;
    const auto done = qScopeGuard([this] { fitting_ = false; });
    std::size_t count = 0;
    Extent values;
    for (const Shown& shown : shown_) {
        count = std::max(count, shown.series->Points().size());
        values.include(shown.series->Points().extent());
    }
    if (count == 0) return;
    fitRange(xAxis, 0, static_cast<double>(count - 1), axisRect()->width());
    fitRange(yAxis, values.min, values.max, axisRect()->height());
}

// Shows [lower, upper] with a few pixels to spare at each end, so that the
// markers of the first and last points are drawn whole.
void TChart::fitRange(QCPAxis* axis, double lower, double upper, int pixels) {
    constexpr int kSparePixels = 6;
    if (upper <= lower) {
        axis->setRange(lower - 1, upper + 1);
        return;
    }
    const double spare = (upper - lower) * kSparePixels / std::max(1, pixels - 2 * kSparePixels);
    axis->setRange(lower - spare, upper + spare);
}

void TChart::paintEvent(QPaintEvent* event) {
    applyPendingRedraw();
    QCustomPlot::paintEvent(event);
}

void TChart::applyPendingRedraw() {
    if (!redrawPending_) return;
    redrawPending_ = false;
    if (following_) fitAxesToPoints();
    replot(rpQueuedRefresh);
    AnnounceDescriptionChange(this);
}

void TChart::ResetView() {
    following_ = true;
    requestRedraw();
}

void TChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        pan_ = Pan{event->pos(), xAxis->range(), yAxis->range()};
        return;
    }
    QCustomPlot::mousePressEvent(event);
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
    if (pan_) {
        panTo(event->pos());
        return;
    }
    QCustomPlot::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton) return;
    if (const std::optional<QString> readout = PointReadout(event->pos()))
        QToolTip::showText(event->globalPosition().toPoint(), *readout, this);
    else
        QToolTip::hideText();
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && pan_) {
        const bool moved = pan_->moved;
        pan_.reset();
        if (!moved) menu_->popup(event->globalPosition().toPoint());
        return;
    }
    QCustomPlot::mouseReleaseEvent(event);
}

// Moves the view with the pointer, once it has moved a few pixels from where
// the right button went down (less is a click, which opens the menu).
void TChart::panTo(QPoint pixel) {
    if (!pan_->moved && (pixel - pan_->start).manhattanLength() < QApplication::startDragDistance())
        return;
    pan_->moved = true;
    const double dx = (pixel.x() - pan_->start.x()) * pan_->keys.size() / axisRect()->width();
    const double dy = (pixel.y() - pan_->start.y()) * pan_->values.size() / axisRect()->height();
    xAxis->setRange(pan_->keys - dx);
    yAxis->setRange(pan_->values + dy);
    replot(rpQueuedReplot);
}

void TChart::mouseDoubleClickEvent(QMouseEvent* event) {
    QCustomPlot::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) ResetView();
}

void TChart::keyPressEvent(QKeyEvent* event) {
    const QKeySequence keys(event->keyCombination());
    if (event->matches(QKeySequence::Copy)) {
        RunGuarded([this] { CopyData(); });
    } else if (keys == kSaveImageKeys) {
        RunGuarded([this] { SaveImageAs(); });
    } else if (keys == kSaveDataKeys) {
        RunGuarded([this] { SaveDataAs(); });
    } else if (keys == kPrintKeys) {
        RunGuarded([this] { Print(); });
    } else if (event->key() == Qt::Key_Home || event->key() == Qt::Key_Escape) {
        ResetView();
    } else if (event->key() == Qt::Key_Menu ||
               (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        popupMenuFromKeyboard();
    } else {
        QCustomPlot::keyPressEvent(event);
    }
}

// The mouse opens the menu on release (see mouseReleaseEvent), so that a
// right-button drag pans instead; the menu key opens it here.
void TChart::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) popupMenuFromKeyboard();
}

// Over the plot area, with the first entry chosen, so that Enter runs it and
// the arrow keys move on from there.
void TChart::popupMenuFromKeyboard() {
    if (menu_->isVisible()) return;
    menu_->popup(mapToGlobal(axisRect()->rect().center()));
    menu_->setActiveAction(menu_->actions().value(0));
}

std::optional<QString> TChart::PointReadout(QPoint pixel) const {
    struct Nearest {
        const TLineSeries* series = nullptr;
        std::size_t index = 0;
        double squaredDistance = kReadoutRadius * kReadoutRadius;
    } nearest;
    // Both axes are linear: distances in pixels follow from distances in
    // coordinates by a scale, with no pixel conversion per point.
    const double key = xAxis->pixelToCoord(pixel.x());
    const double value = yAxis->pixelToCoord(pixel.y());
    const double pixelsPerKey = axisRect()->width() / xAxis->range().size();
    const double pixelsPerValue = axisRect()->height() / yAxis->range().size();
    const double keyReach = kReadoutRadius / pixelsPerKey;
    for (const Shown& shown : shown_) {
        const TLineSeries* series = shown.series;
        const SeriesPoints& points = series->Points();
        const IndexRange near = points.indicesBetween(key - keyReach, key + keyReach);
        for (std::size_t i = near.first; i < near.last; ++i) {
            const double dx = (static_cast<double>(i) - key) * pixelsPerKey;
            const double dy = (points.value(i) - value) * pixelsPerValue;
            const double squared = dx * dx + dy * dy;
            if (squared <= nearest.squaredDistance) nearest = {series, i, squared};
        }
    }
    if (!nearest.series) return std::nullopt;
    const SeriesPoints& points = nearest.series->Points();
    return QStringLiteral("%1  label %2  value %3")
        .arg(nearest.series->objectName(), QString::fromStdString(points.label(nearest.index)),
             QString::fromStdString(valueText(points.value(nearest.index))));
}

void TChart::CopyData() const {
    const std::vector<NamedSeries> series = namedSeries();
    const ViewRect shown = view();
    const std::size_t count = pointsInView(series, shown);
    if (count > kMaxTableRows)
        throw Exception("Too many points to copy (" + groupedDigits(count) + "): zoom in to " +
                        groupedDigits(kMaxTableRows) + " or fewer");
    QApplication::clipboard()->setText(QString::fromStdString(pointTable(series, shown)));
}

void TChart::CopyImage() { QApplication::clipboard()->setImage(grab().toImage()); }

TLineSeries::TLineSeries(QWidget* parent)
    : QWidget(parent), owner_(dynamic_cast<SeriesOwner*>(parent)) {
    setVisible(false);
    if (owner_) owner_->SeriesCreated(*this);
}

TLineSeries::~TLineSeries() {
    if (owner_) owner_->SeriesDestroyed(*this);
}

void TLineSeries::setSeriesColor(const QColor& colour) {
    colour_ = colour;
    if (owner_) owner_->StyleChanged(*this);
}

void TLineSeries::setPointerVisible(bool visible) {
    pointerVisible_ = visible;
    if (owner_) owner_->StyleChanged(*this);
}

void TLineSeries::Add(double value, NumberLabel label, TColor colour) {
    points_.append(value, label, colour);
    pointsChanged();
}

TLineSeries::Batch TLineSeries::AddBatch(std::size_t count, CountingLabels labels, TColor colour) {
    return Batch(*this, count, labels, colour);
}
