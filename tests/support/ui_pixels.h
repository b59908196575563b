#pragma once
// What the desktop program's tests read off a grabbed picture and a tool bar: pixel counts
// and the command ids in the bar's order.

#include <QAction>
#include <QImage>
#include <QList>
#include <QToolBar>

// The pixels at which `match(x, y)` holds.
template <class Match>
int CountPixelsWhere(const QImage& img, Match match) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += match(x, y) ? 1 : 0;
    return n;
}

// The pixels of one colour; the alpha does not count.
inline int CountPixels(const QImage& img, QRgb colour) {
    return CountPixelsWhere(img, [&](int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF); });
}

// The bar's command ids, 0 for a separator.
inline QList<int> BarIds(QToolBar* bar) {
    QList<int> ids;
    for (QAction* a : bar->actions()) ids << (a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}
