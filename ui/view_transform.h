#pragma once
// The drawing view's world-to-pixel transform and its zooms, kept apart from the widget so
// that the pixel arithmetic is exact and testable. Integer conversions truncate toward zero.
// W and H below are the client width and height plus 2 (the client rectangle grown by one
// pixel on each side).

#include <cmath>

// A scale of exactly 0 (an extent or window of zero size) is replaced by this value instead
// of dividing by zero later.
inline constexpr double kZeroScaleReplacement = -2147483648.0;

struct ViewTransform {
    double scale = 1.0;  // drawing units per pixel
    int offsetX = 0;     // pixel offset subtracted from x
    int baseY = 0;       // pixel row from which y is subtracted
    int marginX = 10;
    int marginY = 10;

    // The factor 1 / scale is multiplied, as the paint routine does for every point.
    int ScreenX(double x) const { return static_cast<int>(std::trunc(x * (1.0 / scale))) - offsetX + marginX; }
    int ScreenY(double y) const { return baseY - static_cast<int>(std::trunc(y * (1.0 / scale))) - marginY; }

    // "Zoom Werkstück": fits the extent with the given margin, centring the short side.
    void Fit(double minX, double maxX, double minY, double maxY, int w, int h, int margin);
    // "Zoom Maschine": the machine area, its height against the whole of H.
    void FitMachine(double machineW, double machineH, int w, int h, int margin);
    // "Zoom Material": the material of width x height at x0 (drawing units).
    void FitMaterial(double x0, double width, double height, int w, int h, int margin);
    // "Zoom vergössern" (zoomIn) and "Zoom verkleinern": keep the window's centre; margins become 0.
    void Step(bool zoomIn, int w, int h);
    // The area zoom of the rectangle (x1, y1)-(x2, y2) in client pixels; w, h the plain
    // client size. Margins become 0.
    void ZoomArea(int x1, int y1, int x2, int y2, int w, int h);
};
