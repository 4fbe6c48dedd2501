#pragma once
// How many pixels of a chart, drawn as it is now, have the curves' colours.

#include <QImage>

#include "platform/chart/Chart.h"

inline int curvePixels(TChart* chart) {
    const QImage image = chart->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            count += c == 0x0000FF || c == 0xFFFF00;
        }
    return count;
}
