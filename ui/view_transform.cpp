#include "ui/view_transform.h"

void ViewTransform::Fit(double minX, double maxX, double minY, double maxY, int w, int h, int margin) {
    marginX = marginY = margin;
    const int availW = w - 2 * marginX;
    const int availH = h - 2 * marginY;
    const double sx = (maxX - minX) / availW;
    const double sy = (maxY - minY) / availH;
    scale = sx > sy ? sx : sy;
    if (scale == 0.0) scale = kZeroScaleReplacement;
    offsetX = static_cast<int>(std::trunc(minX / scale));
    baseY = 2 * marginY + static_cast<int>(std::trunc(maxY / scale));
    if (sx < sy) offsetX -= static_cast<int>(std::trunc(availW - (maxX - minX) / scale)) / 2;
    if (sx > sy) baseY += static_cast<int>(std::trunc(availH - (maxY - minY) / scale)) / 2;
}
