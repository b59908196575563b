#pragma once
// The drawing view's world-to-pixel transform and its fitting zoom, kept apart from the
// widget so that the pixel arithmetic is exact and testable. Integer conversions truncate
// toward zero.

#include <cmath>

struct ViewTransform {
    double scale = 1.0;  // drawing units per pixel
    int offsetX = 0;     // pixel offset subtracted from x
    int baseY = 0;       // pixel row from which y is subtracted
    int marginX = 10;
    int marginY = 10;

    // The factor 1 / scale is multiplied, as the paint routine does for every point.
    int ScreenX(double x) const { return static_cast<int>(std::trunc(x * (1.0 / scale))) - offsetX + marginX; }
    int ScreenY(double y) const { return baseY - static_cast<int>(std::trunc(y * (1.0 / scale))) - marginY; }

    // Fits the extent into a client area of w x h pixels (the client rectangle grown by one
    // pixel on each side) with the given margin, centring the short side.
    void Fit(double minX, double maxX, double minY, double maxY, int w, int h, int margin);
};

// A scale of exactly 0 (an extent or window of zero size) is replaced by this value instead
// of dividing by zero later.
inline constexpr double kZeroScaleReplacement = -2147483648.0;
