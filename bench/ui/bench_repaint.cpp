// The drawing view's repaint of a large drawing: 1,000,000 segments in 10,000 chains at
// "Zoom Werkstück", painted offscreen into a 1920 x 1080 image with software rendering.
// Two drawings: closed outlines of 100 segments (several points fall on one pixel), and
// zigzag strokes whose every segment is longer than a pixel.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "bench/bench_common.h"
#include "model/document.h"
#include "model/layer.h"
#include "model/quenk_app.h"
#include "files/settings_file.h"
#include "ui/drawing_paint.h"
#include "ui/view_transform.h"

namespace {
constexpr int kGrid = 100;         // 100 x 100 chains
constexpr int kSegments = 100;     // per chain
constexpr double kCell = 160.0;    // drawing units per grid cell

void Build(CQuenkDoc& doc, bool zigzag) {
    doc.AddLayer();
    doc.m_curPen = doc.FindOrCreatePen(1, 0);
    for (int gy = 0; gy < kGrid; ++gy)
        for (int gx = 0; gx < kGrid; ++gx) {
            CVector& v = *doc.AddChainToCurrentPen();
            const double cx = gx * kCell + kCell / 2, cy = gy * kCell + kCell / 2;
            for (int i = 0; i <= kSegments; ++i) {
                if (zigzag)
                    v.AddPoint({gx * kCell + i * (kCell / kSegments), gy * kCell + ((i & 1) ? kCell * 0.9 : 0.0)});
                else {
                    const double a = 2 * M_PI * i / kSegments;
                    v.AddPoint({cx + 60 * std::cos(a), cy + 60 * std::sin(a)});
                }
            }
            v.m_closed = zigzag ? 0 : 1;
        }
    doc.RecomputeBox();
    doc.m_nothingImported = 0;
}

double Repaint(const char* what, bool zigzag) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    CQuenkDoc doc(app);
    Build(doc, zigzag);
    QImage image(1920, 1080, QImage::Format_RGB32);
    ViewTransform t;
    t.Fit(doc.m_outerMinX, doc.m_outerMaxX, doc.m_outerMinY, doc.m_outerMaxY, image.width() + 2,
          image.height() + 2, app.m_screenMargin);
    const DisplayFlags flags;
    const double s = BestOf(5, [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        PaintDrawing(p, app, doc, t, flags, image.rect());
    });
    Report(what, s, "< 50 ms");
    return s;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(argc, argv);
    Repaint("repaint 1e6 segments, 1e4 closed outlines, 1920x1080", false);
    Repaint("repaint 1e6 segments, 1e4 zigzag strokes, 1920x1080", true);
    return 0;
}
