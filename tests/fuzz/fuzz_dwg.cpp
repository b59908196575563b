// libFuzzer harness for the DWG reader and the CAD import: any bytes after a DWG version are
// read (the version is taken from the first byte, so that every release's layout is tried) and
// imported as the import command does. No crash, no hang, bounded memory, only
// finite points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <string>

#include "cadreader/dwg_reader.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
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
    std::unique_ptr<CadDrawing> drawing = ReadDwg(bytes, error);
    if (!drawing) return 0;
    CQuenkApp app;
    UseCadFuzzSettings(app);
    CQuenkDoc doc(app);
    ImportCadDrawing(doc, std::move(drawing));
    AbortOnNonFinitePoints(doc);
    return 0;
}
