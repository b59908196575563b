// The DWG reader on the shared corpus of real drawings: every file of R13 and later opens, each
// DWG imports to the same pens and chains as its DXF twin, and the entities of the CAD
// program's own property listings are found with their listed coordinates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cadreader/cad_drawing.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"

namespace {
namespace fs = std::filesystem;

fs::path Corpus() {
    for (const char* up : {"/../shared/corpus/dwg", "/../../shared/corpus/dwg"}) {
        const fs::path p = std::string(QUENK_SOURCE_DIR) + up;
        std::error_code ec;
        if (fs::is_directory(p, ec)) return p;
    }
    return {};
}

std::vector<fs::path> Drawings(const fs::path& root) {
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.path().extension() == ".dwg") out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

// A release this reader reads, by the version in the file's first bytes.
bool Readable(const fs::path& p) {
    char head[6] = {};
    std::ifstream(p, std::ios::binary).read(head, sizeof head);
    const std::string v(head, sizeof head);
    return v >= "AC1012" && v <= "AC1032";
}

// Every point of every chain, pen by pen, with the pen's number and colour, in millimetres.
std::vector<std::vector<double>> Import(const fs::path& p) {
    ScriptedSession s;
    CQuenkApp app;
    app.m_colourPen.assign(256, 1);
    app.m_bLoadPaperspace = 1;
    CQuenkDoc doc(app);
    ImportCad(doc, p.string());
    std::vector<std::vector<double>> out;
    for (auto& layer : doc.m_layers)
        for (auto& pen : layer->m_pens)
            for (auto& chain : pen->m_chains) {
                out.push_back({double(pen->m_number), double(pen->m_colourIndex)});
                for (int k = 0; k < chain->m_points.Size(); ++k) {
                    out.back().push_back(chain->m_points[k].x * app.m_plotterUnit);
                    out.back().push_back(chain->m_points[k].y * app.m_plotterUnit);
                }
            }
    return out;
}
}  // namespace

// Every drawing opens or names its version and imports without a crash; the readable ones
// import as their DXF twins.
TEST(DwgCorpus, DrawingsOpenAndImportAsTheirDxfTwins) {
    const fs::path root = Corpus();
    if (root.empty()) GTEST_SKIP() << "the DWG corpus (../shared/corpus/dwg) is not there";
    int compared = 0;
    for (const fs::path& p : Drawings(root)) {
        CadOpenError error = CadOpenError::None;
        EXPECT_EQ(OpenDrawing(p.string(), error) != nullptr, Readable(p)) << p;
        if (!Readable(p)) { EXPECT_EQ(error, CadOpenError::DwgVersion) << p; }
        const auto a = Import(p);
        fs::path twin = p;
        twin.replace_extension(".dxf");
        if (!Readable(p) || !fs::exists(twin)) continue;
        const auto b = Import(twin);
        EXPECT_EQ(a.size(), b.size()) << p;
        for (std::size_t c = 0; c < a.size() && c < b.size(); ++c) {
            EXPECT_EQ(a[c].size(), b[c].size()) << p << " chain " << c;
            if (a[c].size() != b[c].size()) break;
            for (std::size_t k = 0; k < a[c].size(); ++k) EXPECT_NEAR(a[c][k], b[c][k], 1e-6) << p << " chain " << c;
        }
        ++compared;
    }
    EXPECT_GE(compared, 30);
}

namespace {
// The numbers of a property ("Center = (1.5 2 0.0)"); a list cut short ("... )") keeps its head.
std::vector<double> Numbers(const std::string& block, const std::string& name) {
    std::vector<double> out;
    std::smatch m;
    if (!std::regex_search(block, m, std::regex(";   " + name + " = \\(?([^)\\n]*)"))) return out;
    std::istringstream in(m[1].str());
    double v;
    while (in >> v) out.push_back(v);
    return out;
}

// The listing prints six significant digits.
bool Near(double listed, double read) { return std::fabs(listed - read) <= 5e-6 * std::fabs(listed) + 1e-9; }

// What a listed entity must match: its type and the slots its properties fill.
struct Listed {
    const char* kind;
    CadType type;
    std::vector<std::pair<const char*, std::vector<int>>> slots;  // property -> g[] slots
};
const Listed kListed[] = {
    {"IAcadLine", kCadLine, {{"StartPoint", {0, 1}}, {"EndPoint", {2, 3}}}},
    {"IAcadCircle", kCadCircle, {{"Center", {0, 1}}, {"Radius", {2}}}},
    {"IAcadArc", kCadArc, {{"Center", {0, 1}}, {"Radius", {2}}}},
    {"IAcadLWPolyline", kCadLwPolyline, {}},
};

bool Matches(const CadDrawing& d, const CadEntity& e, const Listed& l, const std::string& block) {
    if (e.type != l.type) return false;
    for (const auto& [name, slots] : l.slots) {
        const std::vector<double> v = Numbers(block, name);
        for (std::size_t k = 0; k < slots.size(); ++k)
            if (k >= v.size() || !Near(v[k], e.g[slots[k]])) return false;
    }
    if (l.type != kCadLwPolyline) return true;
    const std::vector<double> xy = Numbers(block, "Coordinates");
    for (std::uint32_t k = 0; 2 * k + 1 < xy.size(); ++k)
        if (!Near(xy[2 * k], d.LwPolylineVertex(e, k).x) || !Near(xy[2 * k + 1], d.LwPolylineVertex(e, k).y)) return false;
    return (Numbers(block, "Closed") == std::vector<double>{0}) == (e.g[0] == 0.0);
}
}  // namespace

TEST(DwgCorpus, ListedEntitiesAreFoundWithTheirCoordinates) {
    const fs::path root = Corpus();
    if (root.empty()) GTEST_SKIP() << "the DWG corpus (../shared/corpus/dwg) is not there";
    int found = 0;
    for (const fs::path& p : Drawings(root)) {
        fs::path listing = p;
        listing.replace_extension(".txt");
        if (!Readable(p) || !fs::exists(listing)) continue;
        std::stringstream text;
        text << std::ifstream(listing).rdbuf();
        CadOpenError error = CadOpenError::None;
        const auto d = OpenDrawing(p.string(), error);
        ASSERT_TRUE(d) << p;
        const std::string all = text.str();
        for (std::size_t at = all.find("<DwgEntity"); at != std::string::npos;) {
            const std::size_t next = all.find("<DwgEntity", at + 1);
            const std::string block = all.substr(at, next - at);
            at = next;
            for (const Listed& l : kListed) {
                if (block.find("; " + std::string(l.kind) + ":") == std::string::npos) continue;
                bool hit = false;
                for (const CadEntity& e : d->Layout(CadSpace::Model)->entities) hit = hit || Matches(*d, e, l, block);
                EXPECT_TRUE(hit) << p << ": " << l.kind;
                found += hit;
            }
        }
    }
    EXPECT_GE(found, 35);
}
