// Real drawings: every DXF file of LibreCAD's data package and a drawing that ezdxf writes in
// each version from R12 to R2018, ASCII and binary. Each must import without a crash, the
// reader must find as many entities of each type as ezdxf does, and an ezdxf drawing cut short
// must be refused.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cadreader/cad_drawing.h"
#include "cadreader/dxf_entity.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
namespace fs = std::filesystem;
const std::string kPython = "/usr/bin/python3";
const std::string kScripts = std::string(QUENK_SOURCE_DIR) + "/tests/import/data/";
const fs::path kLibreCadData = "/usr/share/librecad";

using Counts = std::map<std::string, int>;

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

std::vector<std::string> DxfFilesUnder(const fs::path& root) {
    std::vector<std::string> out;
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return out;
    for (const auto& e : fs::recursive_directory_iterator(root, ec)) {
        std::string ext = e.path().extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (e.is_regular_file() && ext == ".dxf") out.push_back(e.path().string());
    }
    return out;
}

// Our counts in ezdxf's terms: the end-of-sequence records are no entities there.
Counts ReaderCounts(const CadDrawing& d, const std::set<std::string>& known) {
    Counts c;
    for (const CadBlock& b : d.blocks)
        for (const CadEntity& e : b.entities)
            if (e.type != kCadSeqEnd) ++c[known.count(std::string(DxfTypeName(e.type))) ? std::string(DxfTypeName(e.type)) : "OTHER"];
    return c;
}

Counts EzdxfCounts(const std::string& line, const std::set<std::string>& known) {
    Counts c;
    std::istringstream in(line);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        const std::string type = item.substr(0, eq);
        const int n = std::stoi(item.substr(eq + 1));
        if (n) c[known.count(type) ? type : "OTHER"] += n;
    }
    return c;
}
}  // namespace

TEST(CadCorpus, RealDrawingsImportAndAgreeWithEzdxfAndCutOnesAreRefused) {
    if (!Shell(kPython + " -c 'import ezdxf' 2>/dev/null")) GTEST_SKIP() << "python3-ezdxf is not installed";
    TempDir dir;
    ASSERT_TRUE(Shell(kPython + " " + kScripts + "make_dxf_versions.py " + dir.path.string()));
    std::vector<std::string> files = DxfFilesUnder(dir.path);
    ASSERT_EQ(files.size(), 14u);
    // A drawing cut anywhere before its end-of-file group is refused, never read in part.
    for (const std::string& path : files) {
        const std::string bytes = ReadFile(path);
        for (std::size_t cut = 0; cut + 1 < bytes.size(); cut += bytes.size() / 97 + 1) {
            CadOpenError error = CadOpenError::None;
            EXPECT_FALSE(OpenDrawingBytes(bytes.substr(0, cut), error)) << path << " cut at " << cut;
            EXPECT_NE(error, CadOpenError::None);
        }
    }
    const std::vector<std::string> libreCad = DxfFilesUnder(kLibreCadData);
    if (libreCad.empty()) std::cout << "librecad-data is not installed: only the ezdxf drawings are read\n";
    files.insert(files.end(), libreCad.begin(), libreCad.end());
    {
        std::ofstream list(dir.File("list.txt"));
        for (const std::string& f : files) list << f << '\n';
    }
    ASSERT_TRUE(Shell(kPython + " " + kScripts + "dxf_entity_counts.py < " + dir.File("list.txt") + " > " + dir.File("counts.txt")));

    std::set<std::string> known;
    for (std::uint16_t t = 0; t < kCadOther; ++t)
        if (!DxfTypeName(t).empty()) known.insert(std::string(DxfTypeName(t)));
    std::ifstream counts(dir.File("counts.txt"));
    std::string line;
    int compared = 0;
    while (std::getline(counts, line)) {
        const auto tab = line.find('\t');
        const std::string path = line.substr(0, tab), rest = line.substr(tab + 1);
        CadOpenError error = CadOpenError::None;
        std::unique_ptr<CadDrawing> d = OpenDrawing(path, error);
        ASSERT_TRUE(d) << path;
        if (rest != "ERROR") {
            EXPECT_EQ(ReaderCounts(*d, known), EzdxfCounts(rest, known)) << path;
            ++compared;
        }
        ScriptedSession s;
        CQuenkApp app;
        app.m_bLoadRemainingBlocks = app.m_bLoadModelspace = app.m_bLoadPaperspace = 1;
        app.m_showUnknownCommands = 1;
        CQuenkDoc doc(app);
        ImportCadDrawing(doc, std::move(d));
        EXPECT_EQ(doc.m_layers.size(), 1u) << path;
    }
    EXPECT_GE(compared, 14);
}
