#include "platform/chart/ViewRangeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/conversions/Conversions.h"
#include "platform/conversions/Exception.h"
#include "platform/conversions/MessageText.h"
#include "platform/toolkit/Application.h"
#include "plot/number_text.h"

namespace chart {

ViewRangeDialog::ViewRangeDialog(TChart& chart)
    : QDialog(&chart),
      chart_(chart),
      first_(makeField(tr("First point"), "FirstPoint", chart.View().ranges().keys.lower)),
      last_(makeField(tr("Last point"), "LastPoint", chart.View().ranges().keys.upper)),
      lowest_(makeField(tr("Lowest value"), "LowestValue", chart.View().ranges().values.lower)),
      highest_(makeField(tr("Highest value"), "HighestValue", chart.View().ranges().values.upper)) {
    setWindowTitle(tr("View range"));
    auto* form = new QFormLayout(this);
    // Clear of the field whatever the language: a CJK label drawn in a
    // fallback font may reach past its measured width.
    form->setHorizontalSpacing(2 * fontMetrics().averageCharWidth());
    for (const Field* field : {&first_, &last_, &lowest_, &highest_})
        form->addRow(field->caption, field->edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    // Typing replaces the first number, as Tab then replaces the next.
    first_.edit->setFocus();
    first_.edit->selectAll();
}

ViewRangeDialog::Field ViewRangeDialog::makeField(const QString& caption, const char* name,
                                                  double value) {
    const QString text = QString::fromStdString(plot::shortestText(value));
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    // Room for the longest number the dialog writes (24 characters), whole.
    const QString longest = QStringLiteral("-2.2250738585072014e-308");
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    edit->setMinimumWidth(
        edit->style()
            ->sizeFromContents(QStyle::CT_LineEdit, &frame,
                               QSize(edit->fontMetrics().horizontalAdvance(longest) +
                                         2 * edit->fontMetrics().averageCharWidth(),
                                     edit->sizeHint().height()),
                               edit)
            .width());
    return {caption, edit, text, value};
}

std::optional<double> ViewRangeDialog::read(const Field& field) const {
    const QString text = field.edit->text();
    if (text.trimmed().isEmpty()) return std::nullopt;
    // Untouched, the field stands for the view's own number, to the bit.
    if (text == field.opened) return field.value;
    const std::string caption = field.caption.toStdString();
    const double value = conversions::FieldToFloat(caption, text.toStdString()).toDouble();
    using conversions::EConvertError;
    if (!(std::abs(value) < kAxisLimit))
        throw EConvertError(EConvertError::Reason::OutOfRange,
                            conversions::quotedForMessage(text.toStdString()), caption);
    return value;
}

void ViewRangeDialog::checkOrder(const Field& low, const Field& high, double lower,
                                 double upper) const {
    if (lower >= upper)
        throw conversions::Exception(
            tr("%1 must be below %2").arg(low.caption, high.caption).toStdString());
    if (!axisCanShow({lower, upper}))
        throw conversions::Exception(tr("%1 to %2: too far apart or too close together to show")
                                         .arg(low.caption, high.caption)
                                         .toStdString());
}

void ViewRangeDialog::accept() {
    try {
        const TypedRanges typed{read(first_), read(last_), read(lowest_), read(highest_)};
        const ViewRanges& automatic = chart_.View().automatic();
        checkOrder(first_, last_, typed.firstKey.value_or(automatic.keys.lower),
                   typed.lastKey.value_or(automatic.keys.upper));
        checkOrder(lowest_, highest_, typed.lowestValue.value_or(automatic.values.lower),
                   typed.highestValue.value_or(automatic.values.upper));
        chart_.View().showTyped(typed);
        QDialog::accept();
    } catch (const conversions::Exception& error) {
        Application->ShowException(error);
    }
}

}  // namespace chart
