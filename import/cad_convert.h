#pragma once
// Inside the CAD import: the entities of one block become chains of the document's current
// layer, each in the pen its colour maps to; arcs, circles, ellipses and bulges are cut into
// straight vectors. Unsupported entities are reported (up to the document's tenth message).

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "cadreader/cad_drawing.h"
#include "import/cad_chain_points.h"

class CQuenkDoc;
class CStift;
class CVector;
class ProgressTicker;

struct CadConvertLimits {
    double plotterUnit = 0.025;    // millimetres per drawing unit
    double segmentAngle = 1.0;     // degrees
    double maxVectorLength = 0.5;  // millimetres
    // Most arc points one file may make in all, so that memory stays proportional to the file
    // whatever radii and settings it meets.
    std::size_t pointBudget = 0;
};

class CadConverter {
public:
    CadConverter(CQuenkDoc& doc, CadDrawing& drawing, const CadConvertLimits& limits);
    // Walks the block's entities into the document.
    void ConvertBlock(const CadBlock& block);
    // Each entity walked from now on counts one step of that progress.
    void ReportTo(ProgressTicker& progress) { m_progress = &progress; }

private:
    void Entity(const CadEntity& e);
    // Shows the kind's message (up to the document's tenth) and counts it in the import report.
    void Unsupported(const char* text);
    // Counts an entity passed over in the import report.
    void Skipped(std::string_view kind);
    void UnsupportedType(const CadEntity& e);
    // The pen of the entity's colour becomes current, with a new chain in it.
    void BeginChain(const CadEntity& e);
    // The current chain's points follow the recipe: made at once where a point might lie
    // beyond any workpiece (its message keeps its place among the others), else on two threads.
    void FinishChain(CadChainJob job, std::size_t points);
    void EntityChain(const CadEntity& e, CadRecipe recipe, std::uint32_t segments, std::size_t points);

    void Circle(const CadEntity& e);
    void Arc(const CadEntity& e);
    void Ellipse(const CadEntity& e);
    void LwPolyline(const CadEntity& e);
    void BeginPolyline(const CadEntity& e);
    void EndPolyline();
    // The vertices in millimetres with their bulges, as the current chain's points.
    void Vertices(const std::vector<CadVertex>& v, bool closed);
    // The arc from a to b into the piece of a; none for a straight segment.
    void BulgeArc(const CadVertex& a, const CadVertex& b, CadPiece& piece);

    // The angular step in degrees for radius r (mm): the setting, shortened so that no chord is
    // longer than the maximum vector length.
    double StepFor(double r) const;
    // The segment count for a sweep, or 0 when it would exceed the limits (shown once).
    std::size_t Segments(double sweep, double step);

    CQuenkDoc& m_doc;
    CadDrawing& m_drawing;
    CadConvertLimits m_limits;
    std::size_t m_pointsLeft;
    std::array<CStift*, 256> m_penOf{};  // by colour, once found: the question comes once
    bool m_textShown = false;
    bool m_refusalShown = false;
    bool m_rangeShown = false;
    // The old-style polyline being read, or the unsupported one whose vertices pass over.
    bool m_inPolyline = false;
    bool m_skippingPolyline = false;
    bool m_polylineClosed = false;
    std::vector<CadVertex> m_polyline;
    CadPointMaker* m_maker = nullptr;  // the block's, while it is walked
    ProgressTicker* m_progress = nullptr;
    std::size_t m_entitiesDone = 0;
};

// The conversion step of the import alone: the blocks the load options name become chains of
// the document's current layer, nothing placed or joined yet.
void ConvertCadDrawing(CQuenkDoc& doc, CadDrawing& drawing);
