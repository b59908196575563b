// libFuzzer harness for the DXF reader and the CAD import: any bytes, ASCII or binary, are
// read; a drawing that opens is imported twice into one document (the second import goes
// beside the first). No crash, no hang, bounded memory, and only finite points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cadreader/cad_drawing.h"
#include "import/cad_import.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentInteraction ui;
    ScopedInteraction install(ui);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CadOpenError error = CadOpenError::None;
    if (!OpenDrawingBytes(bytes, error)) return 0;
    CQuenkApp app;
    UseCadFuzzSettings(app);
    CQuenkDoc doc(app);
    ImportCadDrawing(doc, OpenDrawingBytes(bytes, error));
    ImportCadDrawing(doc, OpenDrawingBytes(bytes, error));
    AbortOnNonFinitePoints(doc);
    return 0;
}
