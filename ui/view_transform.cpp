#include "ui/view_transform.h"

namespace {
int Trunc(double v) { return static_cast<int>(std::trunc(v)); }
double NonZero(double scale) { return scale == 0.0 ? kZeroScaleReplacement : scale; }
}  // namespace

void ViewTransform::Fit(double minX, double maxX, double minY, double maxY, int w, int h, int margin) {
    marginX = marginY = margin;
    const int availW = w - 2 * marginX;
    const int availH = h - 2 * marginY;
    const double sx = (maxX - minX) / availW;
    const double sy = (maxY - minY) / availH;
    scale = NonZero(sx > sy ? sx : sy);
    offsetX = Trunc(minX / scale);
    baseY = 2 * marginY + Trunc(maxY / scale);
    if (sx < sy) offsetX -= Trunc(availW - (maxX - minX) / scale) / 2;
    if (sx > sy) baseY += Trunc(availH - (maxY - minY) / scale) / 2;
}

void ViewTransform::FitMachine(double machineW, double machineH, int w, int h, int margin) {
    marginX = marginY = margin;
    const double sx = machineW / (w - 2 * margin);
    const double sy = machineH / h;
    scale = NonZero(sx > sy ? sx : sy);
    offsetX = 0;
    baseY = sy >= sx ? Trunc(machineH / scale) : h;
}

void ViewTransform::FitMaterial(double x0, double width, double height, int w, int h, int margin) {
    marginX = marginY = margin;
    const int availW = w - 2 * margin;
    const int availH = h - 2 * margin;
    const double sx = width / availW;
    const double sy = height / availH;
    scale = NonZero(sx > sy ? sx : sy);
    offsetX = Trunc(x0 / scale);
    baseY = Trunc(height / scale);
    if (sx < sy)
        offsetX -= Trunc(availW - width / scale) / 2;
    else
        baseY += Trunc(availH - height / scale) / 2;
}

void ViewTransform::Step(bool zoomIn, int w, int h) {
    const int a = zoomIn ? w / 6 : -(w / 6);
    const int b = zoomIn ? h / 6 : -(h / 6);
    const int x1 = Trunc((offsetX - marginX + a) * scale);
    const int y1 = Trunc((baseY - marginY - b) * scale);
    const int x2 = Trunc((offsetX - marginX + (w - a)) * scale);
    const int y2 = Trunc((baseY - marginY - (h - b)) * scale);
    scale = NonZero(static_cast<double>(x2 - x1) / w);
    offsetX = Trunc(x1 / scale);
    const int t = Trunc(y1 / scale);
    baseY = (h - Trunc(t - y2 / scale)) / 2 + t;
    marginX = marginY = 0;
}

void ViewTransform::ZoomArea(int x1, int y1, int x2, int y2, int w, int h) {
    const int X1 = Trunc((x1 - marginX + offsetX) * scale);
    const int Y1 = Trunc((baseY - y1 - marginY) * scale);
    const int X2 = Trunc((x2 - marginX + offsetX) * scale);
    const int Y2 = Trunc((baseY - y2 - marginY) * scale);
    const double sx = static_cast<double>(X2 - X1) / w;
    const double sy = static_cast<double>(Y1 - Y2) / h;
    if (sx < sy) {
        scale = NonZero(sy);
        offsetX = Trunc(X1 / scale);
        baseY = Trunc(Y1 / scale);
        offsetX -= (w - Trunc(X2 / scale - offsetX)) / 2;
    } else {
        scale = NonZero(sx);
        offsetX = Trunc(X1 / scale);
        const int t = Trunc(Y1 / scale);
        baseY = sx == sy ? t : (h - Trunc(t - Y2 / scale)) / 2 + t;
    }
    marginX = marginY = 0;
}
