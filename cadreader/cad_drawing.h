#pragma once
// The CAD drawing reader's database: layers, block definitions and the two layouts, each block
// its entities in file order. It knows no file format; the DXF front end (dxf_reader.h) fills
// it, and a DWG front end is meant to fill the same structures. The import walks it with the
// operations below and nothing else.
//
// Geometry is in world coordinates, millimetres as the drawing holds them: entities drawn in
// a mirrored object coordinate system (extrusion (0, 0, -1)) are converted by the front end.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Type numbers of the entities. They are those of the DWG object types, so that a DWG front
// end reports the same numbers; entity kinds without a fixed number there share kCadOther.
enum CadType : std::uint16_t {
    kCadText = 1,
    kCadAttrib = 2,
    kCadAttdef = 3,
    kCadBlock = 4,
    kCadEndBlock = 5,
    kCadSeqEnd = 6,
    kCadInsert = 7,
    kCadMInsert = 8,
    kCadVertex = 10,
    kCadPolyline = 15,
    kCadArc = 17,
    kCadCircle = 18,
    kCadLine = 19,
    kCadDimension = 20,
    kCadPoint = 27,
    kCad3dFace = 28,
    kCadSolid = 31,
    kCadTrace = 32,
    kCadShape = 33,
    kCadViewport = 34,
    kCadEllipse = 35,
    kCadSpline = 36,
    kCadRegion = 37,
    kCad3dSolid = 38,
    kCadBody = 39,
    kCadRay = 40,
    kCadXLine = 41,
    kCadMText = 44,
    kCadLeader = 45,
    kCadTolerance = 46,
    kCadMLine = 47,
    kCadLwPolyline = 77,
    kCadHatch = 78,
    kCadOther = 500,
};

// Bits of an entity's flag word.
inline constexpr std::uint16_t kCadSkip = 4;           // the drawing does not show it
inline constexpr std::uint16_t kCadNotInPlane = 8;     // drawn in a tilted coordinate system
inline constexpr std::uint16_t kCadPaperSpace = 16;    // group 67: belongs to paper space

// Colour numbers with a meaning of their own.
inline constexpr std::int32_t kCadByBlock = 0;
inline constexpr std::int32_t kCadByLayer = 256;

struct CadPoint {
    double x = 0.0, y = 0.0;
};

// One entity. The geometry slots g[] hold, by type:
//   line        g0,g1 start, g2,g3 end
//   point       g0,g1
//   circle      g0,g1 centre, g2 radius
//   arc         g0,g1 centre, g2 radius, g3 start angle, g4 end angle (degrees)
//   ellipse     g0,g1 centre, g2,g3 major axis, g4 ratio, g5,g6 start and end parameter
//   lwpolyline  g0 closed (1.0), vertices in CadDrawing::vertices from `first`, `count` of them
//   polyline    g0 the flags (group 70), g1 the curve type (group 75)
//   vertex      g0,g1 point, g2 bulge, g3 the flags (group 70)
struct CadEntity {
    std::uint16_t type = kCadOther;
    std::uint16_t flags = 0;
    std::int32_t colour = kCadByLayer;
    std::uint32_t layer = 0;  // index into CadDrawing::layers
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    double g[7] = {0, 0, 0, 0, 0, 0, 0};
};

struct CadVertex {
    double x = 0.0, y = 0.0, bulge = 0.0;
};

struct CadLayer {
    std::string name;           // UTF-8
    std::int32_t colour = 7;    // negative: switched off
    bool frozen = false;
};

enum class CadLayoutKind : std::uint8_t { Ordinary, Model, Paper, OtherLayout };

struct CadBlock {
    std::string name;  // UTF-8
    CadLayoutKind kind = CadLayoutKind::Ordinary;
    std::vector<CadEntity> entities;
};

enum class CadSpace { Model, Paper };

// The drawing handle.
class CadDrawing {
public:
    std::string version;  // "AC1009" .. "AC1032"
    std::vector<CadLayer> layers;
    // Block definitions in file order, then the further layouts, then model space and paper
    // space (always present, possibly empty), in that order.
    std::vector<CadBlock> blocks;
    std::vector<CadVertex> vertices;  // the light-weight polylines' vertices
    bool anyBulge = false;            // some light-weight polyline vertex has a bulge
    std::size_t sourceBytes = 0;      // the size of the file it was read from

    // ---- the walk the import makes ----
    void PrepareBlockWalk() { m_nextBlock = 0; }
    std::size_t BlockCount() const { return blocks.size(); }
    // The next block definition, or none past the last.
    const CadBlock* NextBlock();
    const CadBlock* Layout(CadSpace which) const;
    // The start of a layout's entity list (its first entity; none when it is empty).
    const CadEntity* EntityList(const CadBlock& layout) const;
    void BeginEntityWalk(const CadBlock& block);
    // The next entity of the block being walked, or none at its end.
    const CadEntity* NextEntity();
    // The colour number of a layer (its absolute value: a switched-off layer's entities are
    // flagged to be skipped anyway).
    std::int32_t LayerColour(std::uint32_t layer) const;
    static constexpr std::uint16_t LwPolylineType() { return kCadLwPolyline; }
    // Vertex k of a light-weight polyline; the bulge is 0 where the polyline has none.
    CadVertex LwPolylineVertex(const CadEntity& polyline, std::uint32_t k) const;

private:
    std::size_t m_nextBlock = 0;
    const CadBlock* m_walk = nullptr;
    std::size_t m_nextEntity = 0;
};

// Centre and radius of the arc from a to b whose included angle is `angle` radians (positive
// counter-clockwise); false for a zero angle or coincident points.
bool ArcFromBulge(const CadPoint& a, const CadPoint& b, double angle, CadPoint& centre, double& radius);

// Why a drawing could not be read.
// DwgVersion: a DWG file of a version the reader does not read; DwgDamaged: a damaged one.
enum class CadOpenError { None, CannotOpen, OutOfMemory, Damaged, NotDxf, DwgVersion, DwgDamaged };

// Opens a drawing; none with the reason when it cannot be read. The file's bytes are read
// whole; memory stays within a small multiple of the file size.
std::unique_ptr<CadDrawing> OpenDrawing(const std::string& path, CadOpenError& error);
// The same from bytes already in memory.
std::unique_ptr<CadDrawing> OpenDrawingBytes(const std::string& bytes, CadOpenError& error);
// Releases the drawing.
inline void CloseDrawing(std::unique_ptr<CadDrawing>& drawing) { drawing.reset(); }
