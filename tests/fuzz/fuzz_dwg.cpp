// libFuzzer harness for the DWG reader and the CAD import: any bytes after a DWG version are
// read (the version is taken from the first byte, so that every release's layout is tried) and
// imported as the import command does, from a file. No crash, no hang, bounded memory, only
// finite points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "cadreader/dwg_reader.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "tests/fuzz/fuzz_checks.h"

namespace {
const char* const kVersions[] = {"AC1012", "AC1014", "AC1015", "AC1018", "AC1021", "AC1024", "AC1027", "AC1032"};
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
    // Most inputs are refused by the reader: only those it reads go on to the whole import.
    CadOpenError error = CadOpenError::None;
    if (!ReadDwg(bytes, error)) return 0;
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz_dwg_" + std::to_string(getpid()) + ".dwg")).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    CQuenkApp app;
    app.m_showUnknownCommands = 1;
    app.m_bLoadRemainingBlocks = app.m_bLoadModelspace = app.m_bLoadPaperspace = 1;
    app.m_segmentAngle = 10.0;
    app.m_maxVectorLength = 5.0;
    CQuenkDoc doc(app);
    ImportCad(doc, path);
    AbortOnNonFinitePoints(doc);
    return 0;
}
