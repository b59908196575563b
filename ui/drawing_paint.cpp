#include "ui/drawing_paint.h"

#include <QPainter>
#include <QPolygon>
#include <stdexcept>

#include "model/document.h"
#include "model/layer.h"
#include "model/mouse_modes.h"
#include "model/quenk_app.h"
#include "model/radius.h"
#include "model/vector.h"
#include "model/fraes_kontur.h"
#include "toolpath/cut_band.h"
#include "ui/view_transform.h"

namespace {
const QColor kMachineFrame(20, 20, 20);
const QColor kMaterialFrame(100, 250, 100);
const QColor kClosedChain(10, 255, 10);
const QColor kOpenChain(250, 30, 30);
const QColor kStartMarker(50, 50, 50);
const QColor kPointMarker(150, 150, 150);
const QColor kCornerMarker(250, 30, 250);
const QColor kNearEndMarker(230, 0, 0);
// The import report's end markers: circles of this radius in pixels, drawn in a thick pen so
// that they stand out from the red of open chains.
constexpr int kNearEndRadius = 6;
constexpr int kNearEndPenWidth = 2;
constexpr int kCircleLimit = 2000;
constexpr int kCornerMouseMode = kMouseModeCornerVector;

// Colours are kept as 0x00BBGGRR.
QColor Colour(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

std::uint32_t At(const std::vector<std::uint32_t>& table, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= table.size()) throw std::out_of_range("colour table index");
    return table[static_cast<std::size_t>(i)];
}

class Painter {
public:
    Painter(QPainter& p, const CQuenkApp& app, const ViewTransform& t) : m_p(p), m_app(app), m_t(t) {}

    QPoint Pt(const CPunkt& q) const { return {m_t.ScreenX(q.x), m_t.ScreenY(q.y)}; }
    void Pen(const QColor& c, Qt::PenStyle style = Qt::SolidLine) { m_p.setPen(QPen(c, 0, style)); }

    void Rect(double x0, double y0, double x1, double y1) {
        const QPoint a = Pt({x0, y0}), b = Pt({x1, y0}), c = Pt({x1, y1}), d = Pt({x0, y1});
        m_p.drawLine(a, b);
        m_p.drawLine(b, c);
        m_p.drawLine(c, d);
        m_p.drawLine(d, a);
    }

    // A polyline through the points. Points that add nothing to the picture are left out:
    // one on the pixel before it, and one that only goes back over the last segment (fine
    // hatching seen from afar); the pen then goes on from that segment's first end.
    void Polyline(const CPointArray& points) {
        m_line.clear();
        bool back = false;  // the pen stands on the point before the last
        for (const CPunkt& q : points) {
            const QPoint s = Pt(q);
            const qsizetype n = m_line.size();
            if (n == 0) {
                m_line << s;
            } else if (!back) {
                if (s == m_line[n - 1]) continue;
                if (n >= 2 && s == m_line[n - 2])
                    back = true;
                else
                    m_line << s;
            } else if (s == m_line[n - 1]) {
                back = false;
            } else if (s != m_line[n - 2]) {
                const QPoint from = m_line[n - 2];
                m_p.drawPolyline(m_line);
                m_line.clear();
                m_line << from << s;
                back = false;
            }
        }
        if (m_line.size() == 1) m_line << m_line.first();
        m_p.drawPolyline(m_line);
    }

    void Triangle(QPoint s, int d) {
        const QPoint tri[3] = {{s.x() - d, s.y() + d}, {s.x() + d, s.y() + d}, {s.x(), s.y() - d}};
        m_p.drawPolygon(tri, 3);
    }

    QPainter& m_p;
    const CQuenkApp& m_app;
    const ViewTransform& m_t;
    QPolygon m_line;
};

QColor ChainColour(const CQuenkApp& app, const CStift& pen, const CVector& chain) {
    switch (app.m_nColorMode) {
    case 1:
        if (chain.m_direction == kDirClockwise || chain.m_direction == kDirCounterClockwise)
            return Colour(At(app.m_penColours, pen.m_number));
        return Colour(app.m_displayColour1);
    case 4: return Colour(app.m_displayColour1);
    case 5:
        if (chain.m_direction == kDirClockwise) return Colour(app.m_displayColour4);
        if (chain.m_direction == kDirCounterClockwise) return Colour(app.m_displayColour5);
        return Colour(app.m_displayColour1);
    default: return chain.m_closed ? kClosedChain : kOpenChain;
    }
}

template <typename F>
void ForEachChain(const CQuenkDoc& doc, const QRect& area, const ViewTransform& t, F&& f) {
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains) {
                const CVector& c = *chain;
                if (!c.m_empty && c.m_maxX >= c.m_minX) {
                    const double grow = c.m_toolRadius;
                    const QRect box(QPoint(t.ScreenX(c.m_minX - grow) - 5, t.ScreenY(c.m_maxY + grow) - 5),
                                    QPoint(t.ScreenX(c.m_maxX + grow) + 5, t.ScreenY(c.m_minY - grow) + 5));
                    if (!box.intersects(area)) continue;
                }
                f(*pen, c);
            }
}

void SweptPath(Painter& p, const CQuenkDoc& doc, const QRect& area) {
    p.Pen(Colour(p.m_app.m_displayColour1));
    p.m_p.setBrush(Qt::white);
    ForEachChain(doc, area, p.m_t, [&](const CStift&, const CVector& c) {
        if (!c.m_hasCorrection) return;
        ForEachBandQuad(c, [&](const BandQuad& band) {
            const QPoint quad[4] = {p.Pt(band[0]), p.Pt(band[1]), p.Pt(band[2]), p.Pt(band[3])};
            p.m_p.drawPolyline(quad, 4);
            p.m_p.drawLine(quad[3], quad[0]);
        });
        const int r = static_cast<int>(c.m_toolRadius / p.m_t.scale);
        for (const auto& radius : c.m_radiusList)
            for (const CPunkt& q : radius->m_path) {
                const QPoint s = p.Pt(q);
                if (s.x() - r >= 1 && s.y() + r >= 1 && s.y() - r < kCircleLimit && s.x() + r < kCircleLimit)
                    p.m_p.drawEllipse(s, r, r);
            }
    });
    p.m_p.setBrush(Qt::NoBrush);
}

void Problems(Painter& p, const CVector& c) {
    const CCorrectionLists& lists = c.Correction();
    const int n = lists.m_offsetPoints.Size();
    for (int i = 0; i < lists.m_correctionIndexB.Size(); ++i) {
        const int k = lists.m_correctionIndexB[i];
        if (k < 0 || k >= n) continue;
        const QPoint s = p.Pt(lists.m_offsetPoints[k]);
        if (k > 0) p.m_p.drawLine(p.Pt(lists.m_offsetPoints[k - 1]), s);
        if (k + 1 < n) p.m_p.drawLine(s, p.Pt(lists.m_offsetPoints[k + 1]));
        p.m_p.drawRect(s.x() - 4, s.y() - 4, 8, 8);
    }
}

void Corrections(Painter& p, const CVector& c) {
    const CQuenkApp& app = p.m_app;
    for (const auto& radius : c.m_radiusList) {
        if (radius->m_mark != 0 || radius->m_path.IsEmpty()) continue;
        if (radius->m_path.Size() == 1) {
            const QPoint s = p.Pt(radius->m_path[0]);
            const int r = static_cast<int>(c.m_toolRadius / p.m_t.scale);
            if (s.y() + r > 0 && s.x() - r >= 1 && s.y() - r < kCircleLimit && s.x() + r < kCircleLimit) {
                p.Pen(Colour(app.m_displayColour2), Qt::DotLine);
                p.m_p.drawEllipse(s, r, r);
            }
            continue;
        }
        p.Pen(app.m_nColorMode == 4 ? Colour(At(app.m_toolColours, c.m_tool)) : Colour(app.m_displayColour2));
        p.Polyline(radius->m_path);
    }
}

void NearEnds(Painter& p, const CQuenkDoc& doc, const QRect& area) {
    p.m_p.setPen(QPen(kNearEndMarker, kNearEndPenWidth));
    const QRect reach = area.adjusted(-kNearEndRadius, -kNearEndRadius, kNearEndRadius, kNearEndRadius);
    for (const CPunkt& q : doc.m_importReport.nearEnds) {
        const QPoint s = p.Pt(q);
        if (reach.contains(s)) p.m_p.drawEllipse(s, kNearEndRadius, kNearEndRadius);
    }
}

void MillingPicture(Painter& p) {
    const CQuenkApp& app = p.m_app;
    for (const auto& contour : app.m_millingList) {
        p.Pen(Colour(app.m_displayColour1));
        p.Polyline(contour->m_points);
        const auto tool = static_cast<std::size_t>(contour->m_tool);
        if (tool >= app.m_toolUsed.size() || !app.m_toolUsed[tool]) continue;
        p.Pen(Colour(At(app.m_toolColoursB, contour->m_tool)));
        for (const auto& path : contour->m_paths) p.Polyline(path->m_points);
    }
}
}  // namespace

void PaintDrawing(QPainter& painter, const CQuenkApp& app, const CQuenkDoc& doc, const ViewTransform& t,
                  const DisplayFlags& flags, const QRect& area) {
    Painter p(painter, app, t);
    painter.setBrush(Qt::NoBrush);
    p.Pen(kMachineFrame, Qt::DashDotLine);
    const DrawingFrames frames = FramesInDrawingUnits(app);
    p.Rect(0, 0, frames.machineX, frames.machineY);
    if (frames.materialX != 0 && frames.materialY != 0) {
        p.Pen(kMaterialFrame, Qt::DashDotLine);
        const double x0 = frames.materialZeroX, y0 = frames.materialZeroY;
        p.Rect(x0, y0, x0 + frames.materialX, y0 + frames.materialY);
    }
    if (app.m_bMillingMode) return MillingPicture(p);
    if (doc.m_nothingImported) return;

    if (flags.toolPath) SweptPath(p, doc, area);
    ForEachChain(doc, area, t, [&](const CStift& pen, const CVector& c) {
        if (c.m_points.IsEmpty()) return;
        p.Pen(ChainColour(app, pen, c));
        p.Polyline(c.m_points);
    });
    if (flags.problems && app.m_nColorMode == 4) {
        p.Pen(Colour(app.m_displayColour3));
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) { Problems(p, c); });
    }
    if (flags.startPoints || flags.allPoints) {
        p.Pen(kStartMarker);
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) {
            if (c.m_points.IsEmpty()) return;
            const QPoint s = p.Pt(c.m_points[0]);
            painter.drawLine(s.x() - 3, s.y() + 3, s.x() + 3, s.y() - 3);
            painter.drawLine(s.x() + 3, s.y() + 3, s.x() - 3, s.y() - 3);
        });
    }
    if (flags.endPoints || flags.allPoints) {
        p.Pen(kPointMarker);
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) {
            if (c.m_points.IsEmpty()) return;
            const QPoint s = p.Pt(c.m_points[c.m_points.Size() - 1]);
            painter.drawRect(s.x() - 2, s.y() - 2, 4, 4);
        });
    }
    if (app.m_nMouseMode == kCornerMouseMode) {
        p.Pen(kCornerMarker);
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) {
            for (const CPunkt& q : c.Correction().m_correctionPointsC) p.Triangle(p.Pt(q), 4);
        });
    }
    if (app.m_nColorMode != 5)
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) { Corrections(p, c); });
    if (flags.allPoints || flags.radiusPoints) {
        p.Pen(kPointMarker);
        ForEachChain(doc, area, t, [&](const CStift&, const CVector& c) {
            if (flags.allPoints)
                for (int i = 1; i + 1 < c.m_points.Size(); ++i) p.Triangle(p.Pt(c.m_points[i]), 2);
            if (flags.radiusPoints)
                for (const auto& radius : c.m_radiusList)
                    for (const CPunkt& q : radius->m_path) p.Triangle(p.Pt(q), 2);
        });
    }
    if (flags.importReportEnds) NearEnds(p, doc, area);
}
