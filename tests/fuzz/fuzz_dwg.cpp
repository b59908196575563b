// libFuzzer harness for the DWG reader and the CAD import: any bytes after a DWG version are
// read (the version is taken from the first byte, so that every release's layout is tried); a
// drawing that opens is imported. No crash, no hang, bounded memory, only finite points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cadreader/dwg_reader.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/session.h"

namespace {
const char* const kVersions[] = {"AC1012", "AC1014", "AC1015", "AC1018", "AC1024", "AC1027", "AC1032"};
constexpr std::size_t kVersionBytes = 6;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentInteraction ui;
    ScopedInteraction install(ui);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // Seeds are whole files: they keep their own version. Other inputs get one by their first byte.
    if (size > 0 && !LooksLikeDwg(bytes)) {
        const char* version = kVersions[data[0] % (sizeof kVersions / sizeof *kVersions)];
        bytes.replace(0, bytes.size() < kVersionBytes ? bytes.size() : kVersionBytes, version);
    }
    CadOpenError error = CadOpenError::None;
    std::unique_ptr<CadDrawing> drawing = ReadDwg(bytes, error);
    if (!drawing) return 0;
    CQuenkApp app;
    app.m_showUnknownCommands = 1;
    app.m_bLoadRemainingBlocks = app.m_bLoadModelspace = app.m_bLoadPaperspace = 1;
    app.m_segmentAngle = 10.0;
    app.m_maxVectorLength = 5.0;
    CQuenkDoc doc(app);
    ImportCadDrawing(doc, *drawing);
    for (auto& layer : doc.m_layers)
        for (auto& pen : layer->m_pens)
            for (auto& chain : pen->m_chains)
                for (const CPunkt& p : chain->m_points)
                    if (!std::isfinite(p.x) || !std::isfinite(p.y)) std::abort();
    return 0;
}
