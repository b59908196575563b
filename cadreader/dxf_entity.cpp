#include "cadreader/dxf_entity.h"

#include "cadreader/cad_orient.h"

#include <cmath>
#include <limits>

namespace {
struct NamedType {
    std::string_view name;
    CadType type;
};
// The most frequent first: the lookup walks the list.
constexpr NamedType kTypes[] = {
    {"LINE", kCadLine},         {"VERTEX", kCadVertex},       {"LWPOLYLINE", kCadLwPolyline},
    {"ARC", kCadArc},           {"CIRCLE", kCadCircle},       {"POLYLINE", kCadPolyline},
    {"SEQEND", kCadSeqEnd},     {"TEXT", kCadText},           {"MTEXT", kCadMText},
    {"INSERT", kCadInsert},     {"POINT", kCadPoint},         {"ELLIPSE", kCadEllipse},
    {"SPLINE", kCadSpline},     {"SOLID", kCadSolid},         {"ATTDEF", kCadAttdef},
    {"ATTRIB", kCadAttrib},     {"DIMENSION", kCadDimension}, {"XLINE", kCadXLine},
    {"MLINE", kCadMLine},       {"HATCH", kCadHatch},         {"3DFACE", kCad3dFace},
    {"TRACE", kCadTrace},       {"SHAPE", kCadShape},         {"VIEWPORT", kCadViewport},
    {"REGION", kCadRegion},     {"3DSOLID", kCad3dSolid},     {"BODY", kCadBody},
    {"RAY", kCadRay},           {"LEADER", kCadLeader},       {"TOLERANCE", kCadTolerance},
};

CadType TypeOf(std::string_view name) {
    for (const NamedType& t : kTypes)
        if (SameName(name, t.name)) return t.type;
    return kCadOther;
}

}  // namespace

std::string_view DxfTypeName(std::uint16_t type) {
    for (const NamedType& t : kTypes)
        if (t.type == type) return t.name;
    return {};
}

namespace {
// Fewer bytes than any entity that CAD programs write, handle and subclass markers included.
constexpr std::size_t kBytesPerEntityGuess = 96;
constexpr double kTwoPi = 6.283185307179586476925286766559;

}  // namespace

std::uint32_t LayerIndex::Index(std::string_view rawName) {
    rawName = TrimDxf(rawName);
    if (m_haveLast && rawName == m_lastName) return m_last;
    std::string key = UpperAscii(rawName);
    auto it = m_byName.find(key);
    if (it == m_byName.end()) {
        CadLayer layer;
        layer.name = std::string(rawName);
        m_d.layers.push_back(std::move(layer));
        it = m_byName.emplace(std::move(key), static_cast<std::uint32_t>(m_d.layers.size() - 1)).first;
    }
    m_lastName.assign(rawName);
    m_last = it->second;
    m_haveLast = true;
    return m_last;
}

bool DxfEntityReader::Value(const DxfGroup& g, CadEntity& e) {
    // The slot of each group code, by type; -1: not kept.
    int slot = -1;
    switch (e.type) {
    case kCadLine: slot = g.code == 10 ? 0 : g.code == 20 ? 1 : g.code == 11 ? 2 : g.code == 21 ? 3 : -1; break;
    case kCadPoint: slot = g.code == 10 ? 0 : g.code == 20 ? 1 : -1; break;
    case kCadCircle:
    case kCadArc:
        slot = g.code == 10 ? 0 : g.code == 20 ? 1 : g.code == 40 ? 2 : g.code == 50 ? 3 : g.code == 51 ? 4 : -1;
        break;
    case kCadEllipse:
        slot = g.code == 10 ? 0 : g.code == 20 ? 1 : g.code == 11 ? 2 : g.code == 21 ? 3 : g.code == 40 ? 4
             : g.code == 41 ? 5 : g.code == 42 ? 6 : -1;
        break;
    case kCadPolyline: slot = g.code == 70 ? 0 : g.code == 75 ? 1 : -1; break;
    case kCadVertex: slot = g.code == 10 ? 0 : g.code == 20 ? 1 : g.code == 42 ? 2 : g.code == 70 ? 3 : -1; break;
    case kCadLwPolyline: {
        if (g.code != 70 && g.code != 10 && g.code != 20 && g.code != 42) return true;
        double v = 0.0;
        if (!m_in.Real(g, v)) return false;
        if (g.code == 70) {
            e.g[0] = (static_cast<std::int64_t>(v) & 1) ? 1.0 : 0.0;
        } else if (g.code == 10) {
            if (m_d.vertices.size() >= std::numeric_limits<std::uint32_t>::max()) return false;
            if (e.count == 0) e.first = static_cast<std::uint32_t>(m_d.vertices.size());
            m_d.vertices.push_back({v, 0.0, 0.0});
            ++e.count;
        } else if (e.count > 0) {
            CadVertex& last = m_d.vertices.back();
            (g.code == 20 ? last.y : last.bulge) = v;
            if (g.code == 42 && v != 0.0) m_d.anyBulge = true;
        }
        return true;
    }
    default: break;
    }
    if (slot < 0) return true;
    return m_in.Real(g, e.g[slot]);
}

bool DxfEntityReader::Read(DxfGroup& g, CadBlock* block) {
    CadEntity e;
    e.type = TypeOf(TrimDxf(g.text));
    if (e.type == kCadEllipse) {
        e.g[4] = 1.0;
        e.g[6] = kTwoPi;
    }
    double n[3] = {0.0, 0.0, 1.0};
    bool haveLayer = false, paper = false;
    std::int64_t v = 0;
    while ((m_have = m_in.Next(g)) && g.code != 0) {
        switch (g.code) {
        case 8:
            e.layer = m_layers.Index(g.text);
            haveLayer = true;
            break;
        case 62:
            if (!m_in.Integer(g, v)) return false;
            e.colour = v < 0 || v > 256 ? 7 : static_cast<std::int32_t>(v);
            break;
        case 60:
            if (!m_in.Integer(g, v)) return false;
            if (v != 0) e.flags |= kCadSkip;
            break;
        case 67:
            if (!m_in.Integer(g, v)) return false;
            paper = v != 0;
            break;
        case 210:
        case 220:
        case 230:
            if (!m_in.Real(g, n[(g.code - 210) / 10])) return false;
            break;
        default:
            if (!Value(g, e)) return false;
        }
    }
    if (m_in.Damaged()) return false;
    if (!haveLayer) e.layer = m_layers.Index("0");
    if (paper) e.flags |= kCadPaperSpace;
    Orient(e, n[0], n[1], n[2]);

    const bool member = e.type == kCadVertex || e.type == kCadSeqEnd || e.type == kCadAttrib;
    CadBlock* into = block;
    if (!into) {
        into = member && m_owner ? m_owner : paper ? &m_paper : &m_model;
        if (!member) m_owner = into;
    }
    if (e.type == kCadVertex && m_sequenceMirrored) {
        e.g[0] = -e.g[0];
        e.g[2] = -e.g[2];
    }
    if (e.type == kCadSeqEnd) m_sequenceMirrored = false;
    into->entities.push_back(e);
    return true;
}

void DxfEntityReader::Orient(CadEntity& e, double nx, double ny, double nz) {
    const bool mirrored = OrientToWorld(m_d, e, nx, ny, nz);
    if (e.type == kCadPolyline) m_sequenceMirrored = mirrored;
}

namespace {
void AppendEntities(std::vector<CadEntity>& from, std::vector<CadEntity>& into) {
    if (into.empty()) into.swap(from);  // the usual case: the layout block itself was empty
    else into.insert(into.end(), from.begin(), from.end());
    std::vector<CadEntity>().swap(from);
}
}  // namespace

void DxfEntityReader::Reserve(std::size_t fileBytes) {
    // Most drawings are model space; space for its entities at once saves copying them over
    // and over as the list grows. Pages that are never written cost no memory.
    m_model.entities.reserve(fileBytes / kBytesPerEntityGuess);
}

void DxfEntityReader::TakeSpaces(CadBlock& model, CadBlock& paper) {
    AppendEntities(m_model.entities, model.entities);
    AppendEntities(m_paper.entities, paper.entities);
}

void MarkHidden(const CadDrawing& d, CadBlock& block) {
    bool inPolyline = false, polylineHidden = false;
    for (CadEntity& e : block.entities) {
        if (inPolyline && (e.type == kCadVertex || e.type == kCadSeqEnd)) {
            // A polyline's parts go with it, whatever their own layer says.
            e.flags = static_cast<std::uint16_t>(polylineHidden ? (e.flags | kCadSkip) : (e.flags & ~kCadSkip));
            if (e.type == kCadSeqEnd) inPolyline = false;
            continue;
        }
        const CadLayer* layer = e.layer < d.layers.size() ? &d.layers[e.layer] : nullptr;
        if (layer && (layer->colour < 0 || layer->frozen)) e.flags |= kCadSkip;
        inPolyline = e.type == kCadPolyline;
        polylineHidden = (e.flags & kCadSkip) != 0;
    }
}
