#pragma once
// Typing the view: the first and last point shown (points count from 0, as
// the index column of Copy data does) and the lowest and highest value. The
// fields open holding the current view, each number in the shortest text that
// reads back to it, and are read as the window's fields are (StrToFloat); an
// empty field leaves that end to the automatic view. OK applies the range as
// one step of the view's history. Text that is not a number, or ends in the
// wrong order, is reported naming the field, and the dialog stays open with
// the view unchanged.

#include <QDialog>
#include <QString>
#include <optional>

#include "platform/chart/ChartView.h"

class QLineEdit;
class TChart;

namespace chart {

class ViewRangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit ViewRangeDialog(TChart& chart);

    void accept() override;

private:
    struct Field {
        QString caption;
        QLineEdit* edit;
        QString opened;  // the text the field opened with
        double value;    // the number that text stands for
    };
    Field makeField(const QString& caption, const char* name, double value);
    // The field's number, or nothing when it is empty; throws
    // conversions::EConvertError naming the field.
    std::optional<double> read(const Field& field) const;
    // Throws conversions::Exception naming the fields when [lower, upper]
    // cannot be shown.
    void checkOrder(const Field& low, const Field& high, double lower, double upper) const;

    TChart& chart_;
    Field first_, last_, lowest_, highest_;
};

}  // namespace chart
