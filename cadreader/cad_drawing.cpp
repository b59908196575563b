#include "cadreader/cad_drawing.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

#include "cadreader/dwg_reader.h"
#include "cadreader/dxf_reader.h"

const CadBlock* CadDrawing::NextBlock() {
    if (m_nextBlock >= blocks.size()) return nullptr;
    return &blocks[m_nextBlock++];
}

const CadBlock* CadDrawing::Layout(CadSpace which) const {
    const CadLayoutKind kind = which == CadSpace::Model ? CadLayoutKind::Model : CadLayoutKind::Paper;
    for (const CadBlock& b : blocks)
        if (b.kind == kind) return &b;
    return nullptr;
}

const CadEntity* CadDrawing::EntityList(const CadBlock& layout) const {
    return layout.entities.empty() ? nullptr : layout.entities.data();
}

void CadDrawing::BeginEntityWalk(const CadBlock& block) {
    m_walk = &block;
    m_nextEntity = 0;
}

const CadEntity* CadDrawing::NextEntity() {
    if (!m_walk || m_nextEntity >= m_walk->entities.size()) return nullptr;
    return &m_walk->entities[m_nextEntity++];
}

std::int32_t CadDrawing::LayerColour(std::uint32_t layer) const {
    if (layer >= layers.size()) return 7;
    return std::abs(layers[layer].colour);
}

CadVertex CadDrawing::LwPolylineVertex(const CadEntity& polyline, std::uint32_t k) const {
    const std::size_t at = std::size_t{polyline.first} + k;
    if (k >= polyline.count || at >= vertices.size()) return {};
    return vertices[at];
}

bool ArcFromBulge(const CadPoint& a, const CadPoint& b, double angle, CadPoint& centre, double& radius) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::hypot(dx, dy);
    const double half = angle / 2.0;
    if (!(chord > 0.0) || std::sin(half) == 0.0) return false;
    radius = std::fabs(chord / (2.0 * std::sin(half)));
    // The centre lies on the chord's perpendicular bisector, on the left of a -> b for a
    // counter-clockwise arc of less than half a turn; its distance from the chord's middle is
    // the radius times cos(half), with the sign that puts it on the far side for more.
    const double offset = chord / (2.0 * std::tan(half));
    const double mx = (a.x + b.x) / 2.0, my = (a.y + b.y) / 2.0;
    centre.x = mx - dy / chord * offset;
    centre.y = my + dx / chord * offset;
    return std::isfinite(centre.x) && std::isfinite(centre.y) && std::isfinite(radius);
}

std::unique_ptr<CadDrawing> OpenDrawingBytes(const std::string& bytes, CadOpenError& error) {
    try {
        if (LooksLikeDwg(bytes)) return ReadDwg(bytes, error);
        return ReadDxf(bytes, error);
    } catch (const std::bad_alloc&) {
        error = CadOpenError::OutOfMemory;
        return nullptr;
    }
}

std::unique_ptr<CadDrawing> OpenDrawing(const std::string& path, CadOpenError& error) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) {
        error = CadOpenError::CannotOpen;
        return nullptr;
    }
    try {
        char head[8] = {};
        in.read(head, sizeof head);
        const std::string_view h(head, static_cast<std::size_t>(in.gcount()));
        in.clear();
        in.seekg(0);
        if (LooksLikeDwg(h)) {
            // A DWG file is read whole: its parts point at each other all over the file.
            std::string bytes(static_cast<std::size_t>(size), '\0');
            in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<std::size_t>(in.gcount()));
            return ReadDwg(bytes, error);
        }
        return ReadDxf(in, static_cast<std::size_t>(size), error);
    } catch (const std::bad_alloc&) {
        error = CadOpenError::OutOfMemory;
        return nullptr;
    }
}
