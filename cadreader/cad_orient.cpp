#include "cadreader/cad_orient.h"

#include <cmath>

namespace {
// An extrusion this close to the z axis counts as lying on it.
constexpr double kAxisTolerance = 1e-9;

// The kinds whose coordinates are in their object coordinate system; lines, points and the
// rest are in world coordinates whatever their extrusion says.
bool Planar(const CadEntity& e) {
    switch (e.type) {
    case kCadCircle:
    case kCadArc:
    case kCadEllipse:
    case kCadLwPolyline: return true;
    // 3D polylines (8) and meshes (16, 64) are in world coordinates already.
    case kCadPolyline: return (static_cast<int>(e.g[0]) & (8 | 16 | 64)) == 0;
    default: return false;
    }
}
}  // namespace

bool OrientToWorld(CadDrawing& d, CadEntity& e, double nx, double ny, double nz) {
    if (nx == 0.0 && ny == 0.0 && nz > 0.0) return false;
    if (!Planar(e)) return false;
    const bool onAxis = std::fabs(nx) + std::fabs(ny) <= kAxisTolerance * std::fabs(nz);
    if (!onAxis || !(nz < 0.0)) {
        if (!onAxis) e.flags |= kCadNotInPlane;
        return false;
    }
    switch (e.type) {
    case kCadCircle: e.g[0] = -e.g[0]; break;
    case kCadArc: {
        e.g[0] = -e.g[0];
        const double a0 = e.g[3], a1 = e.g[4];
        e.g[3] = 180.0 - a1;
        e.g[4] = 180.0 - a0;
        break;
    }
    case kCadEllipse: {
        // Centre and axis are world coordinates; only the minor axis turns the other way.
        const double t0 = e.g[5], t1 = e.g[6];
        e.g[5] = -t1;
        e.g[6] = -t0;
        break;
    }
    case kCadLwPolyline:
        for (std::uint32_t k = 0; k < e.count; ++k) {
            CadVertex& p = d.vertices[std::size_t{e.first} + k];
            p.x = -p.x;
            p.bulge = -p.bulge;
        }
        break;
    case kCadPolyline: return true;
    default: break;
    }
    return false;
}
