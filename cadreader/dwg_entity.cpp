#include "cadreader/dwg_entity.h"

#include "cadreader/cad_orient.h"

#include <cmath>
#include <limits>

namespace {
// DWG object types whose numbers differ from the database's own, or that it folds together.
enum : std::uint32_t {
    kVertex2d = 10, kVertex3d = 11, kVertexMesh = 12, kVertexPface = 13, kVertexFace = 14,
    kPolyline2d = 15, kPolyline3d = 16, kDimensionFirst = 20, kDimensionLast = 26,
    kPolylinePface = 29, kPolylineMesh = 30, kOleFrame = 43, kOle2Frame = 74,
};
constexpr double kDegreesPerRadian = 57.295779513082320876798154814105;
// Far beyond any drawing (a light year is 1e19 mm), far below where arithmetic overflows.
constexpr double kLargestCoordinate = 1e15;
// Polyline flags of the kinds that have no number of their own in DWG.
constexpr double kPolyline3dFlag = 8, kPolyfaceFlag = 64;

struct Normal {
    double x = 0.0, y = 0.0, z = 1.0;
};

Normal Read3(DwgBits& b) {
    Normal n;
    n.x = b.BD();
    n.y = b.BD();
    n.z = b.BD();
    return n;
}

void Thickness(DwgObject& o) {
    if (o.Release() < 1015 || !o.Data().B()) o.Data().BD();
}

Normal Extrusion(DwgObject& o) {
    if (o.Release() >= 1015 && o.Data().B()) return {};
    return Read3(o.Data());
}

// Numbers that are no numbers, infinite or beyond any drawing's size make the entity damaged:
// divided by the plotter unit they would turn into infinite points.
bool Sane(double v) { return std::fabs(v) <= kLargestCoordinate; }

bool Sane(const CadDrawing& d, const CadEntity& e, const Normal& n) {
    bool sane = Sane(n.x) && Sane(n.y) && Sane(n.z);
    for (double g : e.g) sane = sane && Sane(g);
    for (std::uint32_t k = 0; k < e.count; ++k) {
        const CadVertex& v = d.vertices[std::size_t{e.first} + k];
        sane = sane && Sane(v.x) && Sane(v.y) && Sane(v.bulge);
    }
    return sane;
}

bool LwPolyline(DwgObject& o, CadDrawing& d, CadEntity& e, Normal& n) {
    DwgBits& b = o.Data();
    const std::int32_t flags = b.BS();
    e.g[0] = (flags & 0x200) ? 1.0 : 0.0;
    if (flags & 4) b.BD();
    if (flags & 8) b.BD();
    if (flags & 2) b.BD();
    if (flags & 1) n = Read3(b);
    const std::int32_t count = b.BL();
    const std::int32_t bulges = (flags & 0x10) ? b.BL() : 0;
    if (flags & 0x400) b.BL();
    if (flags & 0x20) b.BL();
    // Every vertex takes at least two bits: the counts cannot be more than the bits left.
    const std::size_t most = (b.EndBit() - b.Bit()) / 2;
    if (!b.Ok() || count < 0 || bulges < 0 || bulges > count || static_cast<std::size_t>(count) > most ||
        d.vertices.size() + static_cast<std::size_t>(count) >= std::numeric_limits<std::uint32_t>::max())
        return false;
    e.first = static_cast<std::uint32_t>(d.vertices.size());
    e.count = static_cast<std::uint32_t>(count);
    CadVertex p;
    for (std::int32_t k = 0; k < count; ++k) {
        if (o.Release() < 1015 || k == 0) {
            p.x = b.RD();
            p.y = b.RD();
        } else {
            p.x = b.DD(p.x);
            p.y = b.DD(p.y);
        }
        d.vertices.push_back(p);
    }
    for (std::int32_t k = 0; k < bulges; ++k) {
        const double bulge = b.BD();
        d.vertices[std::size_t{e.first} + static_cast<std::size_t>(k)].bulge = bulge;
        if (bulge != 0.0) d.anyBulge = true;
    }
    return b.Ok();
}

// A point of three bit doubles into two slots; z is not kept.
void Point(DwgBits& b, CadEntity& e, int slot) {
    e.g[slot] = b.BD();
    e.g[slot + 1] = b.BD();
    b.BD();
}

void Line(DwgObject& o, CadEntity& e) {
    DwgBits& b = o.Data();
    if (o.Release() < 1015) {
        Point(b, e, 0);
        Point(b, e, 2);
        return;
    }
    const bool flat = b.B();
    e.g[0] = b.RD();
    e.g[2] = b.DD(e.g[0]);
    e.g[1] = b.RD();
    e.g[3] = b.DD(e.g[1]);
    if (!flat) b.DD(b.RD());
}

void Vertex(DwgObject& o, std::uint32_t type, CadEntity& e) {
    DwgBits& b = o.Data();
    e.type = kCadVertex;
    if (type == kVertexFace) {
        e.g[3] = 128;  // a polyface mesh's face record
        return;
    }
    const bool plane = type == kVertex2d;
    e.g[3] = b.RC();
    Point(b, e, 0);
    if (!plane) return;
    if (b.BD() >= 0.0) b.BD();
    e.g[2] = b.BD();
}
}  // namespace

bool IsDwgEntityType(std::uint32_t type) {
    return (type >= 1 && type <= 41 && type != 9) || (type >= kOleFrame && type <= 47) || type == kOle2Frame ||
           type == kCadLwPolyline || type == kCadHatch;
}

bool ReadDwgEntity(DwgObject& o, std::uint32_t type, CadDrawing& d, CadEntity& e, bool& mirrored) {
    DwgBits& b = o.Data();
    e.type = static_cast<std::uint16_t>(type);
    Normal n;
    switch (type) {
    case kCadLine: Line(o, e); break;
    case kCadPoint:
        Point(b, e, 0);
        break;
    case kCadCircle:
    case kCadArc:
        Point(b, e, 0);
        e.g[2] = b.BD();
        Thickness(o);
        n = Extrusion(o);
        if (type == kCadArc) {
            e.g[3] = b.BD() * kDegreesPerRadian;
            e.g[4] = b.BD() * kDegreesPerRadian;
        }
        break;
    case kCadEllipse: {
        Point(b, e, 0);
        Point(b, e, 2);
        n = Read3(b);
        for (int k = 4; k < 7; ++k) e.g[k] = b.BD();
        break;
    }
    case kCadLwPolyline:
        if (!LwPolyline(o, d, e, n)) return false;
        break;
    case kPolyline2d:
        e.type = kCadPolyline;
        e.g[0] = b.BS();
        e.g[1] = b.BS();
        b.BD();
        b.BD();
        Thickness(o);
        b.BD();
        n = Extrusion(o);
        break;
    case kPolyline3d: {
        e.type = kCadPolyline;
        const unsigned curve = b.RC();
        e.g[1] = (curve & 1) ? 5 : (curve & 2) ? 6 : 0;
        e.g[0] = kPolyline3dFlag + ((b.RC() & 1) ? 1 : 0) + (e.g[1] != 0 ? 4 : 0);
        break;
    }
    case kPolylinePface:
        e.type = kCadPolyline;
        e.g[0] = kPolyfaceFlag;
        break;
    case kPolylineMesh:
        e.type = kCadPolyline;
        e.g[0] = b.BS();
        e.g[1] = b.BS();
        break;
    case kVertex2d:
    case kVertex3d:
    case kVertexMesh:
    case kVertexPface:
    case kVertexFace:
        Vertex(o, type, e);
        break;
    default:
        if (type >= kDimensionFirst && type <= kDimensionLast) e.type = kCadDimension;
        break;
    }
    if (!b.Ok() || !Sane(d, e, n)) return false;
    mirrored = OrientToWorld(d, e, n.x, n.y, n.z);
    return true;
}
