#include "import/cad_convert.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "import/texts.h"
#include "model/document.h"
#include "model/heap_reserve.h"
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
// A chain whose points all lie within this (drawing units) is safely inside the limit beyond
// which a point belongs to no workpiece; rounding cannot carry it across.
constexpr double kSurelyInRange = 0.5e15;
}  // namespace

CadConverter::CadConverter(CQuenkDoc& doc, CadDrawing& drawing, const CadConvertLimits& limits)
    : m_doc(doc), m_drawing(drawing), m_limits(limits), m_pointsLeft(limits.pointBudget) {}

void CadConverter::ConvertBlock(const CadBlock& block) {
    m_textShown = false;
    CadPointMaker maker(CadPointRules{m_limits.plotterUnit, m_doc.m_pi}, block.entities.size());
    m_maker = &maker;
    m_drawing.BeginEntityWalk(block);
    while (const CadEntity* e = m_drawing.NextEntity()) {
        Entity(*e);
        if (m_progress) m_progress->Tick(++m_entitiesDone);
    }
    // A polyline whose end-of-sequence entity is missing ends with its block.
    if (m_inPolyline) EndPolyline();
    m_skippingPolyline = false;
    maker.Finish();
    m_maker = nullptr;
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
    case kCadLine: return EntityChain(e, CadRecipe::Line, 0, 2);
    case kCadPoint: return EntityChain(e, CadRecipe::Point, 0, 1);
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
}

void CadConverter::FinishChain(CadChainJob job, std::size_t points) {
    job.chain = m_doc.m_curChain;
    // The chain's storage is taken once, at its final size and here on the walk's thread:
    // growing it point by point would leave up to half of it unused, and the drawing's points
    // are most of the memory.
    job.chain->m_points.Raw().reserve(points);
    NoteHeapFront(job.chain->m_points.Raw().data());
    if (m_limits.plotterUnit > 0.0 && ChainReach(job) / m_limits.plotterUnit < kSurelyInRange) {
        m_maker->Add(job);
        return;
    }
    if (!MakeChainPoints(job, CadPointRules{m_limits.plotterUnit, m_doc.m_pi}) && !m_rangeShown) {
        Ui().Message(import_texts::kOutOfRange);
        m_rangeShown = true;
    }
}

void CadConverter::EntityChain(const CadEntity& e, CadRecipe recipe, std::uint32_t segments, std::size_t points) {
    BeginChain(e);
    CadChainJob job;
    job.entity = &e;
    job.recipe = recipe;
    job.count = segments;
    FinishChain(job, points);
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
    const std::size_t n = Segments(360.0, StepFor(e.g[2]));
    if (n > 0) EntityChain(e, CadRecipe::Circle, static_cast<std::uint32_t>(n), n + 1);
}

void CadConverter::Arc(const CadEntity& e) {
    const double a0 = e.g[3];
    double a1 = e.g[4];
    if (a1 < a0) a1 += 360.0;
    const std::size_t n = Segments(a1 - a0, StepFor(e.g[2]));
    if (n > 0) EntityChain(e, CadRecipe::Arc, static_cast<std::uint32_t>(n), n + 1);
}

void CadConverter::Ellipse(const CadEntity& e) {
    const double t0 = e.g[5];
    double t1 = e.g[6];
    // An end not beyond the start runs through a full turn, as an arc's does.
    if (t1 <= t0) t1 += 2.0 * m_doc.m_pi;
    const std::size_t n = Segments(t1 - t0, m_limits.segmentAngle * m_doc.m_pi / 180.0);
    if (n > 0) EntityChain(e, CadRecipe::Ellipse, static_cast<std::uint32_t>(n), n + 1);
}

void CadConverter::LwPolyline(const CadEntity& e) {
    m_polyline.clear();
    for (std::uint32_t k = 0; k < e.count; ++k) m_polyline.push_back(m_drawing.LwPolylineVertex(e, k));
    BeginChain(e);
    Vertices(m_polyline, e.g[0] != 0.0);
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
}

void CadConverter::Vertices(const std::vector<CadVertex>& v, bool closed) {
    const bool closing = closed && !v.empty();
    CadChainJob job;
    job.recipe = CadRecipe::Pieces;
    job.count = static_cast<std::uint32_t>(v.size() + (closing ? 1 : 0));
    CadPiece* pieces = m_maker->TakePieces(job.count);
    job.pieces = pieces;
    for (std::size_t k = 0; k < v.size(); ++k) {
        pieces[k].x = v[k].x;
        pieces[k].y = v[k].y;
        if (k + 1 < v.size()) BulgeArc(v[k], v[k + 1], pieces[k]);
    }
    if (closing) {
        BulgeArc(v.back(), v.front(), pieces[v.size() - 1]);
        pieces[v.size()].x = v.front().x;
        pieces[v.size()].y = v.front().y;
    }
    FinishChain(job, CadJobPoints(job));
}

void CadConverter::BulgeArc(const CadVertex& a, const CadVertex& b, CadPiece& piece) {
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
    piece.cx = c.x;
    piece.cy = c.y;
    piece.r = r;
    piece.a0 = a0;
    piece.a1 = a1;
    piece.n = static_cast<std::uint32_t>(n);
}
