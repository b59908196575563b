#include "cadreader/dwg_reader.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "cadreader/dwg_entity.h"
#include "cadreader/dwg_layout.h"
#include "cadreader/dwg_object.h"
#include "cadreader/dxf_entity.h"
#include "cadreader/dxf_groups.h"
#include "files/cp1252.h"

namespace {
struct Release {
    std::string_view code, name;
    int number;  // 0: a version this reader does not read
};
constexpr Release kReleases[] = {
    {"MC0.0", "R1.0", 0},    {"AC1.2", "R1.2", 0},   {"AC1.40", "R1.4", 0},  {"AC1.50", "R2.05", 0},
    {"AC2.10", "R2.10", 0},  {"AC1001", "R2.5", 0},  {"AC1002", "R2.6", 0},  {"AC1003", "R9", 0},
    {"AC1004", "R10", 0},    {"AC1006", "R10", 0},   {"AC1009", "R11/R12", 0}, {"AC1012", "R13", 1012},
    {"AC1014", "R14", 1014}, {"AC1015", "R2000", 1015}, {"AC1018", "R2004", 1018}, {"AC1021", "R2007", 1021},
    {"AC1024", "R2010", 1024}, {"AC1027", "R2013", 1027}, {"AC1032", "R2018", 1032},
};
constexpr std::size_t kVersionBytes = 6;
constexpr int kFirstUtf16 = 1021;
constexpr std::uint32_t kBlockControl = 48, kBlockHeader = 49, kLayer = 51, kProxyEntity = 498;

const Release* Find(std::string_view head) {
    for (const Release& r : kReleases)
        if (head.substr(0, r.code.size()) == r.code) return &r;
    return nullptr;
}

CadLayoutKind KindOf(std::string_view name) {
    if (name.size() < 2 || name[0] != '*') return CadLayoutKind::Ordinary;
    const std::string upper = UpperAscii(name.substr(1));
    if (upper == "MODEL_SPACE") return CadLayoutKind::Model;
    if (upper == "PAPER_SPACE") return CadLayoutKind::Paper;
    if (upper.rfind("PAPER_SPACE", 0) == 0) return CadLayoutKind::OtherLayout;
    return CadLayoutKind::Ordinary;
}

struct Item {
    CadEntity e;
    std::uint64_t owner = 0, layer = 0;
    unsigned mode = 0;
    bool mirrored = false;
};

class DwgReader {
public:
    DwgReader(const DwgLayout& layout, CadDrawing& d) : m_layout(layout), m_d(d), m_object(layout.objects, layout.release) {}

    bool Run() {
        std::vector<DwgMapEntry> map;
        if (!ReadObjectMap(m_layout.handles, m_layout.objects, map) || map.empty()) return false;
        m_entityClasses = ReadEntityClasses(m_layout.classes, m_layout.release, m_layout.maintenance);
        m_items.reserve(map.size());
        // An object that cannot be read makes the whole file count as damaged: the drawing
        // would lack what the user expects in it.
        for (const DwgMapEntry& at : map) {
            Object(at);
            if (m_damaged) return false;
        }
        Assemble();
        return true;
    }

private:
    void Object(const DwgMapEntry& at) {
        if (!m_object.Open(at.offset) || m_object.Handle() != at.handle) return Fail();
        const std::uint32_t type = m_object.Type();
        if (type == kLayer) return Layer();
        if (type == kBlockHeader) return BlockHeader();
        if (type == kBlockControl) return BlockControl();
        const std::uint32_t entityType = EntityType(type);
        if (entityType == 0) return;
        DwgEntityHead head;
        Item item;
        if (!m_object.EntityCommon(head) || !ReadDwgEntity(m_object, entityType, m_d, item.e, item.mirrored)) return Fail();
        item.mode = head.mode;
        item.owner = head.owner;
        item.layer = head.layer;
        item.e.colour = head.colour < 0 || head.colour > 256 ? 7 : head.colour;
        if (head.invisible) item.e.flags |= kCadSkip;
        if (item.mode == 1) item.e.flags |= kCadPaperSpace;
        m_handleOf.push_back(at.handle);
        m_items.push_back(item);
    }

    void Fail() { m_damaged = true; }

    void Layer() {
        if (!m_object.ObjectCommon()) return Fail();
        DwgBits& b = m_object.Data();
        CadLayer layer;
        layer.name = m_object.Text();
        if (m_object.Release() < kFirstUtf16) {
            b.B();
            b.BS();
            b.B();
        } else {
            b.BS();
        }
        bool off = false;
        if (m_object.Release() < 1015) {
            layer.frozen = b.B();
            off = b.B();
            b.B();
            b.B();
        } else {
            const std::int32_t values = b.BS();
            layer.frozen = (values & 1) != 0;
            off = (values & 2) != 0;
        }
        std::int32_t colour = m_object.TableColour();
        if (!m_object.Ok()) return Fail();
        if (colour < 0) off = true, colour = -colour;
        if (colour < 1 || colour > 255) colour = 7;
        layer.colour = off ? -colour : colour;
        m_layerOf[m_object.Handle()] = static_cast<std::uint32_t>(m_d.layers.size());
        m_d.layers.push_back(std::move(layer));
    }

    // The database type of an object type, 0 for objects that are no entities.
    std::uint32_t EntityType(std::uint32_t type) const {
        if (IsDwgEntityType(type) || type == kProxyEntity) return type;
        for (const DwgClass& c : m_entityClasses)
            if (c.number == type) return c.type;
        return 0;
    }

    // The block table: its order, and which blocks are model space and paper space.
    void BlockControl() {
        if (!m_object.ObjectCommon()) return Fail();
        const std::int32_t count = m_object.Data().BL();
        if (count < 0 || static_cast<std::size_t>(count) > m_object.HandlesLeft()) return;
        std::vector<std::uint64_t> order;
        for (std::int32_t k = 0; k < count && m_object.Ok(); ++k) order.push_back(m_object.NextHandle());
        const std::uint64_t model = m_object.NextHandle(), paper = m_object.NextHandle();
        if (!m_object.Ok()) return Fail();
        m_tableOrder = std::move(order);
        m_modelHandle = model;
        m_paperHandle = paper;
    }

    void BlockHeader() {
        if (!m_object.ObjectCommon()) return Fail();
        CadBlock block;
        block.name = m_object.Text();
        if (!m_object.Ok()) return Fail();
        block.kind = KindOf(block.name);
        m_blockOf[m_object.Handle()] = m_blocks.size();
        m_blockHandles.push_back(m_object.Handle());
        m_blocks.push_back(std::move(block));
    }

    std::uint32_t LayerIndex(std::uint64_t handle) {
        // Entities mostly repeat the layer of the one before.
        if (m_haveLast && handle == m_lastHandle) return m_lastLayer;
        m_haveLast = true;
        m_lastHandle = handle;
        m_lastLayer = FindLayer(handle);
        return m_lastLayer;
    }

    std::uint32_t FindLayer(std::uint64_t handle) {
        const auto it = m_layerOf.find(handle);
        if (it != m_layerOf.end()) return it->second;
        if (!m_haveDefault) {
            m_default = 0;
            for (; m_default < m_d.layers.size(); ++m_default)
                if (m_d.layers[m_default].name == "0") break;
            if (m_default == m_d.layers.size()) m_d.layers.push_back(CadLayer{"0", 7, false});
            m_haveDefault = true;
        }
        return m_default;
    }

    // Every layout but one is named "*Paper_Space" in the file; the block table tells which
    // one is paper space. The blocks are put in the table's order.
    void SortBlocks() {
        for (std::size_t k = 0; k < m_blocks.size(); ++k) {
            CadBlock& b = m_blocks[k];
            const std::uint64_t h = m_blockHandles[k];
            if (m_modelHandle != 0 || m_paperHandle != 0) {
                if (h == m_modelHandle) b.kind = CadLayoutKind::Model;
                else if (h == m_paperHandle) b.kind = CadLayoutKind::Paper;
                else if (b.kind != CadLayoutKind::Ordinary) b.kind = CadLayoutKind::OtherLayout;
            }
        }
        std::unordered_map<std::uint64_t, std::size_t> rank;
        for (std::size_t k = 0; k < m_tableOrder.size(); ++k) rank.emplace(m_tableOrder[k], k);
        std::vector<std::size_t> order(m_blocks.size());
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
        const auto rankOf = [&](std::size_t k) {
            const auto it = rank.find(m_blockHandles[k]);
            return it == rank.end() ? rank.size() + k : it->second;
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return rankOf(a) < rankOf(b); });
        std::vector<CadBlock> sorted;
        sorted.reserve(m_blocks.size());
        for (std::size_t k : order) sorted.push_back(std::move(m_blocks[k]));
        for (std::size_t k = 0; k < order.size(); ++k) m_blockOf[m_blockHandles[order[k]]] = k;
        m_blocks = std::move(sorted);
    }

    // Entities that own others: a polyline its vertices, an insert its attributes.
    static bool IsSequence(std::uint16_t type) {
        return type == kCadPolyline || type == kCadInsert || type == kCadMInsert;
    }

    // Puts an entity into its block, and after it the members of its sequence (those in
    // members[first, last) that it owns), the end of the sequence last whatever its handle.
    void Place(std::size_t k, CadBlock& model, CadBlock& paper, const std::vector<std::pair<std::size_t, std::size_t>>& members,
               std::size_t first, std::size_t last) {
        const Item& item = m_items[k];
        if (item.e.type == kCadBlock || item.e.type == kCadEndBlock) return;
        CadBlock* into = item.mode == 1 ? &paper : item.mode == 2 ? &model : nullptr;
        if (!into) {
            const auto b = m_blockOf.find(item.owner);
            if (b == m_blockOf.end()) return;
            CadBlock& block = m_blocks[b->second];
            into = block.kind == CadLayoutKind::Model ? &model : block.kind == CadLayoutKind::Paper ? &paper : &block;
        }
        const std::uint16_t paperFlag = into == &paper ? kCadPaperSpace : 0;
        into->entities.push_back(item.e);
        into->entities.back().flags |= paperFlag;
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t m = first; m < last; ++m) {
                if (members[m].first != k) continue;
                CadEntity e = m_items[members[m].second].e;
                if ((e.type == kCadSeqEnd) != (pass == 1)) continue;
                if (e.type == kCadVertex && item.mirrored) {
                    e.g[0] = -e.g[0];
                    e.g[2] = -e.g[2];
                }
                e.flags |= paperFlag;
                into->entities.push_back(e);
            }
    }

    void Assemble() {
        SortBlocks();
        CadBlock model, paper;
        model.kind = CadLayoutKind::Model;
        paper.kind = CadLayoutKind::Paper;
        // Where each entity goes: a block, or after the entity that owns it (a polyline's
        // vertices, an insert's attributes, the end of either sequence).
        std::unordered_map<std::uint64_t, std::size_t> itemOf;
        for (std::size_t k = 0; k < m_items.size(); ++k)
            if (IsSequence(m_items[k].e.type)) itemOf[m_handleOf[k]] = k;
        std::vector<std::pair<std::size_t, std::size_t>> members;  // owner, member
        std::vector<std::size_t> top;
        top.reserve(m_items.size());
        for (std::size_t k = 0; k < m_items.size(); ++k) {
            Item& item = m_items[k];
            item.e.layer = LayerIndex(item.layer);
            const auto owner = item.mode == 0 && !itemOf.empty() ? itemOf.find(item.owner) : itemOf.end();
            if (owner != itemOf.end() && owner->second != k) members.emplace_back(owner->second, k);
            else top.push_back(k);
        }
        std::stable_sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        model.entities.reserve(top.size());
        std::size_t next = 0;
        for (std::size_t k : top) {
            const std::size_t first = next;
            while (next < members.size() && members[next].first <= k) ++next;
            Place(k, model, paper, members, first, next);
        }
        for (CadBlock& b : m_blocks) {
            if (b.kind == CadLayoutKind::Ordinary) m_d.blocks.push_back(std::move(b));
            else if (b.kind == CadLayoutKind::Model && model.name.empty()) model.name = b.name;
            else if (b.kind == CadLayoutKind::Paper && paper.name.empty()) paper.name = b.name;
        }
        for (CadBlock& b : m_blocks)
            if (b.kind == CadLayoutKind::OtherLayout) m_d.blocks.push_back(std::move(b));
        if (model.name.empty()) model.name = "*Model_Space";
        if (paper.name.empty()) paper.name = "*Paper_Space";
        m_d.blocks.push_back(std::move(model));
        m_d.blocks.push_back(std::move(paper));
        if (m_layout.release < kFirstUtf16) {
            for (CadLayer& l : m_d.layers) l.name = Cp1252ToUtf8(l.name);
            for (CadBlock& b : m_d.blocks) b.name = Cp1252ToUtf8(b.name);
        }
        for (CadBlock& b : m_d.blocks) MarkHidden(m_d, b);
    }

    const DwgLayout& m_layout;
    CadDrawing& m_d;
    DwgObject m_object;
    std::vector<Item> m_items;
    std::vector<std::uint64_t> m_handleOf;
    std::unordered_map<std::uint64_t, std::uint32_t> m_layerOf;
    std::unordered_map<std::uint64_t, std::size_t> m_blockOf;
    std::vector<CadBlock> m_blocks;
    std::vector<std::uint64_t> m_blockHandles;
    std::vector<std::uint64_t> m_tableOrder;
    std::uint64_t m_modelHandle = 0, m_paperHandle = 0;
    std::vector<DwgClass> m_entityClasses;
    std::uint32_t m_default = 0;
    bool m_haveDefault = false;
    bool m_damaged = false;
    bool m_haveLast = false;
    std::uint64_t m_lastHandle = 0;
    std::uint32_t m_lastLayer = 0;
};
}  // namespace

bool LooksLikeDwg(std::string_view head) {
    // Later versions than this reader knows keep the pattern "AC" and four digits.
    return Find(head) != nullptr || (head.size() >= kVersionBytes && head.substr(0, 3) == "AC1" &&
                                     head.find_first_not_of("0123456789", 2) >= kVersionBytes);
}

std::string DwgVersionName(std::string_view head) {
    if (const Release* r = Find(head)) return std::string(r->code) + " (" + std::string(r->name) + ")";
    std::string code;
    for (char c : head.substr(0, kVersionBytes)) code.push_back(c >= ' ' && c <= '~' ? c : '?');
    return code;
}

std::unique_ptr<CadDrawing> ReadDwg(std::string_view bytes, CadOpenError& error) {
    const Release* release = Find(bytes);
    if (!release || release->number == 0) {
        error = CadOpenError::DwgVersion;
        return nullptr;
    }
    DwgLayout layout;
    auto drawing = std::make_unique<CadDrawing>();
    if (!FindDwgParts(bytes, release->number, layout) || !DwgReader(layout, *drawing).Run()) {
        error = CadOpenError::DwgDamaged;
        return nullptr;
    }
    drawing->version = std::string(release->code);
    drawing->sourceBytes = bytes.size();
    error = CadOpenError::None;
    return drawing;
}
