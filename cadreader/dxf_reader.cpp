#include "cadreader/dxf_reader.h"

#include <string>

#include "cadreader/dxf_entity.h"
#include "cadreader/dxf_groups.h"
#include "files/cp1252.h"

namespace {
// The first version whose texts are UTF-8 (R2007).
constexpr std::string_view kFirstUtf8Version = "AC1021";

bool IsName(const DxfGroup& g, std::string_view name) { return g.code == 0 && SameName(TrimDxf(g.text), name); }

CadLayoutKind LayoutKindOf(std::string_view name) {
    // R2000 and later write "*Model_Space"; some R12 writers use a '$' instead of the '*'.
    if (name.size() < 2 || (name[0] != '*' && name[0] != '$')) return CadLayoutKind::Ordinary;
    name.remove_prefix(1);
    if (SameName(name, "MODEL_SPACE")) return CadLayoutKind::Model;
    if (SameName(name, "PAPER_SPACE")) return CadLayoutKind::Paper;
    if (name.size() > 11 && SameName(name.substr(0, 11), "PAPER_SPACE")) return CadLayoutKind::OtherLayout;
    return CadLayoutKind::Ordinary;
}

class DxfParser {
public:
    DxfParser(DxfGroups& in, std::size_t size, CadDrawing& d) : m_in(in), m_d(d), m_entity(m_in, d, m_layers) {
        m_entity.Reserve(size);
    }

    CadOpenError Run() {
        if (!Advance()) return CadOpenError::NotDxf;
        while (m_have && m_g.code == 999) Advance();
        if (!IsName(m_g, "SECTION")) return CadOpenError::NotDxf;
        while (m_have) {
            if (IsName(m_g, "EOF")) {
                Finish();
                return CadOpenError::None;
            }
            if (IsName(m_g, "SECTION")) {
                if (!Advance() || m_g.code != 2) break;
                const std::string name = UpperAscii(TrimDxf(m_g.text));
                Advance();
                if (!Section(name)) break;
            } else {
                // Groups between sections: dxflib (LibreCAD) ends its header early with an
                // ENDSEC and writes the rest of the header variables after it.
                Advance();
            }
        }
        // Cut short before the end-of-file group.
        return CadOpenError::Damaged;
    }

private:
    bool Advance() {
        m_have = m_in.Next(m_g);
        return m_have;
    }
    // Skips the rest of a record: up to the next group of code 0.
    void SkipRecord() {
        while (Advance() && m_g.code != 0) {
        }
    }

    // Reads a section whose name group has been passed; ends on the group after its ENDSEC.
    bool Section(const std::string& name) {
        while (m_have) {
            if (m_g.code == 0 && IsName(m_g, "ENDSEC")) {
                Advance();
                return true;
            }
            if (m_g.code == 0 && (IsName(m_g, "EOF") || IsName(m_g, "SECTION"))) return false;
            if (name == "HEADER") Header();
            else if (name == "TABLES" && IsName(m_g, "LAYER")) Layer();
            else if (name == "BLOCKS" && IsName(m_g, "BLOCK")) {
                if (!Block()) return false;
            } else if (name == "ENTITIES" && m_g.code == 0) {
                if (!m_entity.Read(m_g, nullptr)) return false;
                m_have = !m_in.Damaged() && m_entity.HaveGroup();
            } else Advance();
        }
        return false;
    }

    void Header() {
        if (m_g.code == 9) m_variable = UpperAscii(TrimDxf(m_g.text));
        else if (m_g.code == 1 && m_variable == "$ACADVER") m_d.version = UpperAscii(TrimDxf(m_g.text));
        Advance();
    }

    void Layer() {
        std::string name = "0";
        std::int64_t colour = 7, flags = 0;
        while (Advance() && m_g.code != 0) {
            if (m_g.code == 2) name = std::string(TrimDxf(m_g.text));
            else if (m_g.code == 62 && !m_in.Integer(m_g, colour)) return;
            else if (m_g.code == 70 && !m_in.Integer(m_g, flags)) return;
        }
        CadLayer& layer = m_d.layers[m_layers.Index(name)];
        layer.colour = colour < -256 || colour > 256 ? 7 : static_cast<std::int32_t>(colour);
        layer.frozen = (flags & 1) != 0;
    }

    // A block definition from its BLOCK record to the end of its ENDBLK record.
    bool Block() {
        CadBlock block;
        bool named = false;
        while (Advance() && m_g.code != 0) {
            if (m_g.code == 2 && !named) {
                block.name = std::string(TrimDxf(m_g.text));
                named = true;
            }
        }
        block.kind = LayoutKindOf(block.name);
        while (m_have) {
            if (IsName(m_g, "ENDBLK")) {
                SkipRecord();
                Store(std::move(block));
                return true;
            }
            if (IsName(m_g, "ENDSEC") || IsName(m_g, "EOF")) return false;
            if (!m_entity.Read(m_g, &block)) return false;
            m_have = !m_in.Damaged() && m_entity.HaveGroup();
        }
        return false;
    }

    void Store(CadBlock&& block) {
        switch (block.kind) {
        case CadLayoutKind::Model: Append(block, m_model); break;
        case CadLayoutKind::Paper: Append(block, m_paper); break;
        case CadLayoutKind::OtherLayout: m_layouts.push_back(std::move(block)); break;
        case CadLayoutKind::Ordinary: m_d.blocks.push_back(std::move(block)); break;
        }
    }
    // A drawing may define a layout block twice; its entities are kept together.
    static void Append(CadBlock& from, CadBlock& into) {
        if (into.name.empty()) into.name = from.name;
        into.entities.insert(into.entities.end(), from.entities.begin(), from.entities.end());
    }

    void Finish() {
        m_entity.TakeSpaces(m_model, m_paper);
        if (m_model.name.empty()) m_model.name = "*Model_Space";
        if (m_paper.name.empty()) m_paper.name = "*Paper_Space";
        m_model.kind = CadLayoutKind::Model;
        m_paper.kind = CadLayoutKind::Paper;
        for (CadBlock& b : m_layouts) m_d.blocks.push_back(std::move(b));
        m_d.blocks.push_back(std::move(m_model));
        m_d.blocks.push_back(std::move(m_paper));
        if (m_d.version.empty()) m_d.version = "AC1009";
        if (m_d.version < kFirstUtf8Version) {
            for (CadLayer& l : m_d.layers) l.name = Cp1252ToUtf8(l.name);
            for (CadBlock& b : m_d.blocks) b.name = Cp1252ToUtf8(b.name);
        }
        for (CadBlock& b : m_d.blocks) MarkHidden(m_d, b);
    }

    DxfGroups& m_in;
    CadDrawing& m_d;
    LayerIndex m_layers{m_d};
    DxfEntityReader m_entity;
    DxfGroup m_g;
    bool m_have = false;
    std::string m_variable;
    CadBlock m_model, m_paper;
    std::vector<CadBlock> m_layouts;
};
}  // namespace

namespace {
std::unique_ptr<CadDrawing> Parse(DxfGroups& groups, std::size_t size, CadOpenError& error) {
    auto drawing = std::make_unique<CadDrawing>();
    error = DxfParser(groups, size, *drawing).Run();
    if (error != CadOpenError::None) return nullptr;
    drawing->sourceBytes = size;
    return drawing;
}
}  // namespace

std::unique_ptr<CadDrawing> ReadDxf(std::string_view bytes, CadOpenError& error) {
    DxfGroups groups(bytes);
    return Parse(groups, bytes.size(), error);
}

std::unique_ptr<CadDrawing> ReadDxf(std::istream& in, std::size_t size, CadOpenError& error) {
    DxfGroups groups(in);
    return Parse(groups, size, error);
}
