// The DWG import against the DXF import of the same drawing: the largest drawings of the
// shared DWG corpus that have a DXF twin, and a generated drawing of lines, circles and arcs
// (written by tests/fuzz/make_dwg_seeds.py, as DWG and as DXF). Read only, then read, convert
// and place.
//   bench_dwg_import [entities of the generated drawing, default 30000]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_common.h"
#include "cadreader/cad_drawing.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"

namespace fs = std::filesystem;

namespace {
void Import(const fs::path& file, bool convert) {
    if (convert) {
        CQuenkApp app;
        app.m_colourPen.assign(256, 1);
        CQuenkDoc doc(app);
        ImportCad(doc, file.string());
        if (doc.m_layers.empty()) std::printf("cannot read %s\n", file.c_str());
        return;
    }
    CadOpenError error = CadOpenError::None;
    if (!OpenDrawing(file.string(), error)) std::printf("cannot read %s\n", file.c_str());
}

void Compare(const fs::path& dwg) {
    fs::path dxf = dwg;
    dxf.replace_extension(".dxf");
    for (bool convert : {false, true}) {
        const double a = BestOf(5, [&] { Import(dwg, convert); });
        const double b = BestOf(5, [&] { Import(dxf, convert); });
        std::printf("%-28s %-22s DWG %8.2f ms   DXF %8.2f ms   DWG %.1fx as fast\n", dwg.filename().c_str(),
                    convert ? "read, convert, place" : "read only", a * 1000.0, b * 1000.0, b / a);
    }
}
}  // namespace

int main(int argc, char** argv) {
    SilentInteraction ui;
    ScopedInteraction install(ui);
    const fs::path corpus = fs::path(QUENK_SOURCE_DIR) / ".." / "shared" / "corpus" / "dwg";
    const fs::path corpus2 = fs::path(QUENK_SOURCE_DIR) / ".." / ".." / "shared" / "corpus" / "dwg";
    const fs::path root = fs::is_directory(corpus) ? corpus : corpus2;
    if (fs::is_directory(root)) {
        for (const char* name : {"example_2000.dwg", "example_r13.dwg", "example_r14.dwg", "example_2004.dwg",
                                 "example_2007.dwg", "example_2010.dwg", "example_2018.dwg", "2013/gh109_1.dwg"})
            if (fs::exists(root / name)) Compare(root / name);
    } else {
        std::printf("the DWG corpus (../shared/corpus/dwg) is not there: only the generated drawing\n");
    }
    const int entities = argc > 1 ? std::atoi(argv[1]) : 30000;
    const fs::path dir = fs::temp_directory_path() / "quenk_bench_dwg";
    fs::create_directories(dir);
    const fs::path dwg = dir / "large.dwg", dxf = dir / "large.dxf";
    const std::string cmd = "/usr/bin/python3 " + std::string(QUENK_SOURCE_DIR) + "/tests/fuzz/make_dwg_seeds.py --large " +
                            std::to_string(entities) + " " + dwg.string() + " " + dxf.string();
    if (std::system(cmd.c_str()) != 0) return 1;
    std::printf("generated: %d entities, DWG %.1f MB, DXF %.1f MB\n", entities,
                static_cast<double>(fs::file_size(dwg)) / 1e6, static_cast<double>(fs::file_size(dxf)) / 1e6);
    Compare(dwg);
    return 0;
}
