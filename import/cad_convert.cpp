#include "import/cad_convert.h"

#include <cmath>
#include <string>

#include "import/texts.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/progress.h"

namespace {
// Unknown-entity messages a document shows before it falls silent.
constexpr int kUnknownMessagesShown = 10;
// Most points a single arc, circle, ellipse or bulge may make.
constexpr double kMostArcPoints = 1000000.0;
// Polyline flags: closed, and the two kinds of mesh whose vertices are no outline.
constexpr int kPolylineClosed = 1;
constexpr int kPolylineMeshes = 16 | 64;
// Coordinates beyond this (drawing units; 25 million km at the default unit) belong to no
// workpiece, and moving or joining them could overflow to infinity.
constexpr double kFarthestCoordinate = 1e15;
}  // namespace

CadConverter::CadConverter(CQuenkDoc& doc, CadDrawing& drawing, const CadConvertLimits& limits)
    : m_doc(doc), m_drawing(drawing), m_limits(limits), m_pointsLeft(limits.pointBudget) {}

void CadConverter::ConvertBlock(const CadBlock& block) {
    m_textShown = false;
    m_drawing.BeginEntityWalk(block);
    while (const CadEntity* e = m_drawing.NextEntity()) {
        Entity(*e);
        if (m_progress) m_progress->Tick(++m_entitiesDone);
    }
    // A polyline whose end-of-sequence entity is missing ends with its block.
    if (m_inPolyline) EndPolyline();
    m_skippingPolyline = false;
}

void CadConverter::Entity(const CadEntity& e) {
    if (e.flags & kCadSkip) return;
    if (m_skippingPolyline) {
        if (e.type == kCadVertex) return;
        m_skippingPolyline = false;
        if (e.type == kCadSeqEnd) return;
    }
    if (m_inPolyline) {
        if (e.type == kCadVertex) {
            m_polyline.push_back({e.g[0], e.g[1], e.g[2]});
            return;
        }
        EndPolyline();
        if (e.type == kCadSeqEnd) return;
    }
    const bool tilted = (e.flags & kCadNotInPlane) != 0;
    switch (e.type) {
    case kCadLine:
        BeginChain(e);
        Add(e.g[0], e.g[1]);
        Add(e.g[2], e.g[3]);
        FinishChain();
        return;
    case kCadPoint:
        BeginChain(e);
        Add(e.g[0], e.g[1]);
        FinishChain();
        return;
    case kCadCircle: return tilted ? UnsupportedType(e) : Circle(e);
    case kCadArc: return tilted ? UnsupportedType(e) : Arc(e);
    case kCadEllipse: return tilted ? UnsupportedType(e) : Ellipse(e);
    case kCadLwPolyline: return tilted ? UnsupportedType(e) : LwPolyline(e);
    case kCadPolyline: return BeginPolyline(e);
    case kCadText:
    case kCadMText:
        Skipped(e.type == kCadText ? import_texts::kTextKind : import_texts::kMTextKind);
        if (!m_textShown) Ui().Message(import_texts::kTextNotRead);
        m_textShown = true;
        return;
    case kCadBlock:
    case kCadEndBlock:
    case kCadInsert:
    case kCadMInsert:
    case kCadSeqEnd: return;
    case kCadSpline: return Unsupported(import_texts::kSpline);
    case kCadSolid: return Unsupported(import_texts::kSolid);
    case kCadAttdef: return Unsupported(import_texts::kAttdef);
    case kCadAttrib: return Unsupported(import_texts::kAttrib);
    case kCadDimension: return Unsupported(import_texts::kDimension);
    case kCadXLine: return Unsupported(import_texts::kXLine);
    case kCadMLine: return Unsupported(import_texts::kMLine);
    case kCadVertex: return Unsupported(import_texts::kVertex);
    default: return UnsupportedType(e);
    }
}

void CadConverter::Unsupported(const char* text) {
    Skipped(text);
    if (!m_doc.App().m_showUnknownCommands || m_doc.m_unknownMessages >= kUnknownMessagesShown) return;
    Ui().Message(text);
    ++m_doc.m_unknownMessages;
}

void CadConverter::Skipped(std::string_view kind) {
    auto& counts = m_doc.m_importReport.skippedCad;
    const auto at = counts.find(kind);
    if (at != counts.end())
        ++at->second;
    else
        counts.emplace(std::string(kind), 1);
}

void CadConverter::UnsupportedType(const CadEntity& e) { Unsupported(std::to_string(e.type).c_str()); }

void CadConverter::BeginChain(const CadEntity& e) {
    std::int32_t colour = e.colour == kCadByLayer ? m_drawing.LayerColour(e.layer) : e.colour;
    if (colour < 1 || colour > 255) colour = 1;
    CStift*& pen = m_penOf[static_cast<std::size_t>(colour)];
    if (!pen) pen = m_doc.FindOrCreatePen(colour, colour);
    pen->m_colourIndex = colour;  // as a fresh lookup would leave it
    m_doc.m_curPen = pen;
    m_doc.m_curChain = pen->AddVector();
    m_points.clear();
}

void CadConverter::FinishChain() {
    if (m_outOfRange) {
        // Left empty, as empty chains stay in their lists; every walk passes over them.
        m_points.clear();
        m_outOfRange = false;
        if (!m_rangeShown) Ui().Message(import_texts::kOutOfRange);
        m_rangeShown = true;
    }
    // The chain's storage is taken once, at its final size: growing it point by point would
    // leave up to half of it unused, and the drawing's points are most of the memory.
    CVector& chain = *m_doc.m_curChain;
    chain.m_points = CPointArray(std::vector<CPunkt>(m_points.begin(), m_points.end()));
    m_points.clear();
    // Recomputed now, while its points are in the cache; the joiner relies on it.
    chain.RecomputeAhead();
}

void CadConverter::Add(double xMm, double yMm) {
    const CPunkt p{xMm / m_limits.plotterUnit, yMm / m_limits.plotterUnit};
    if (!(std::fabs(p.x) <= kFarthestCoordinate && std::fabs(p.y) <= kFarthestCoordinate)) m_outOfRange = true;
    m_points.push_back(p);
}

double CadConverter::StepFor(double r) const {
    const double unit = m_limits.plotterUnit;
    const double rUnits = r / unit, longest = m_limits.maxVectorLength / unit;
    double s = m_limits.segmentAngle;
    if (2.0 * rUnits * std::sin(s / 2.0 * m_doc.m_pi / 180.0) > longest)
        s = 2.0 * std::asin(longest / (2.0 * rUnits)) * 180.0 / m_doc.m_pi;
    return s;
}

std::size_t CadConverter::Segments(double sweep, double step) {
    const double n = std::floor(sweep / step) + 1.0;
    if (n >= 1.0 && n <= kMostArcPoints && n < static_cast<double>(m_pointsLeft)) {
        m_pointsLeft -= static_cast<std::size_t>(n) + 1;
        return static_cast<std::size_t>(n);
    }
    if (!m_refusalShown) Ui().Message(import_texts::kCadArcRefused);
    m_refusalShown = true;
    return 0;
}

void CadConverter::Circle(const CadEntity& e) {
    const double r = e.g[2];
    const std::size_t n = Segments(360.0, StepFor(r));
    if (n == 0) return;
    BeginChain(e);
    const double step = 360.0 / static_cast<double>(n) * m_doc.m_pi / 180.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double a = static_cast<double>(k) * step;
        Add(e.g[0] + r * std::cos(a), e.g[1] + r * std::sin(a));
    }
    m_points.push_back(m_points.front());  // closed: exactly the first point again
    FinishChain();
}

void CadConverter::Arc(const CadEntity& e) {
    const double r = e.g[2], a0 = e.g[3];
    double a1 = e.g[4];
    if (a1 < a0) a1 += 360.0;
    const std::size_t n = Segments(a1 - a0, StepFor(r));
    if (n == 0) return;
    BeginChain(e);
    const double toRad = m_doc.m_pi / 180.0;
    const double step = (a1 - a0) / static_cast<double>(n);
    for (std::size_t k = 0; k <= n; ++k) {
        const double a = (k < n ? a0 + static_cast<double>(k) * step : a1) * toRad;
        Add(e.g[0] + r * std::cos(a), e.g[1] + r * std::sin(a));
    }
    FinishChain();
}

void CadConverter::Ellipse(const CadEntity& e) {
    const double mx = e.g[2], my = e.g[3];
    const double a = std::hypot(mx, my), b = e.g[4] * a, phi = std::atan2(my, mx);
    const double t0 = e.g[5];
    double t1 = e.g[6];
    // An end not beyond the start runs through a full turn, as an arc's does.
    if (t1 <= t0) t1 += 2.0 * m_doc.m_pi;
    const std::size_t n = Segments(t1 - t0, m_limits.segmentAngle * m_doc.m_pi / 180.0);
    if (n == 0) return;
    BeginChain(e);
    const double c = std::cos(phi), s = std::sin(phi);
    for (std::size_t k = 0; k <= n; ++k) {
        const double t = k < n ? t0 + static_cast<double>(k) * (t1 - t0) / static_cast<double>(n) : t1;
        const double x = a * std::cos(t), y = b * std::sin(t);
        Add(e.g[0] + x * c - y * s, e.g[1] + x * s + y * c);
    }
    FinishChain();
}

void CadConverter::LwPolyline(const CadEntity& e) {
    m_polyline.clear();
    for (std::uint32_t k = 0; k < e.count; ++k) m_polyline.push_back(m_drawing.LwPolylineVertex(e, k));
    BeginChain(e);
    Vertices(m_polyline, e.g[0] != 0.0);
    FinishChain();
}

void CadConverter::BeginPolyline(const CadEntity& e) {
    const int flags = static_cast<int>(e.g[0]);
    const int curve = static_cast<int>(e.g[1]);
    if (curve == 0 && !(flags & kPolylineMeshes) && !(e.flags & kCadNotInPlane)) {
        BeginChain(e);
        m_inPolyline = true;
        m_polylineClosed = (flags & kPolylineClosed) != 0;
        m_polyline.clear();
        return;
    }
    // Its vertices go with it, without a message each.
    m_skippingPolyline = true;
    Unsupported(curve == 5   ? import_texts::kPolylineQuad
                : curve == 6 ? import_texts::kPolylineCubic
                : curve == 8 ? import_texts::kPolylineBezier
                             : import_texts::kPolyline);
}

void CadConverter::EndPolyline() {
    m_inPolyline = false;
    Vertices(m_polyline, m_polylineClosed);
    FinishChain();
}

void CadConverter::Vertices(const std::vector<CadVertex>& v, bool closed) {
    for (std::size_t k = 0; k < v.size(); ++k) {
        Add(v[k].x, v[k].y);
        if (k + 1 < v.size()) BulgeArc(v[k], v[k + 1]);
    }
    if (closed && !v.empty()) {
        BulgeArc(v.back(), v.front());
        Add(v.front().x, v.front().y);
    }
}

void CadConverter::BulgeArc(const CadVertex& a, const CadVertex& b) {
    if (a.bulge == 0.0) return;
    const double theta = 4.0 * std::atan(a.bulge);
    CadPoint c;
    double r = 0.0;
    if (!ArcFromBulge({a.x, a.y}, {b.x, b.y}, theta, c, r)) return;
    const double toDeg = 180.0 / m_doc.m_pi;
    double a0 = std::atan2(a.y - c.y, a.x - c.x) * toDeg;
    double a1 = std::atan2(b.y - c.y, b.x - c.x) * toDeg;
    const bool ccw = a.bulge > 0.0;
    if (ccw && a1 < a0) {
        if (a1 < 0.0) a1 += 360.0;
        else a0 -= 360.0;
    }
    if (!ccw && a1 > a0) {
        if (a1 > 0.0) a1 -= 360.0;
        else a0 += 360.0;
    }
    const std::size_t n = Segments(std::fabs(a1 - a0), StepFor(r));
    // The first and the last arc point are the two vertices themselves, which the chain holds.
    for (std::size_t k = 1; k < n; ++k) {
        const double t = (a0 + static_cast<double>(k) * (a1 - a0) / static_cast<double>(n)) / toDeg;
        Add(c.x + r * std::cos(t), c.y + r * std::sin(t));
    }
}
