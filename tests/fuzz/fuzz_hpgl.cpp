// libFuzzer harness for the HPGL reader: any bytes, imported twice into one document (the
// second import exercises placement beside the first), must end without a crash, a hang or
// unbounded memory, and leave only finite points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentInteraction ui;
    ScopedInteraction install(ui);
    CQuenkApp app;
    app.m_showUnknownCommands = 1;
    CQuenkDoc doc(app);
    const std::string text(reinterpret_cast<const char*>(data), size);
    ImportHpglBytes(doc, text, "fuzz.plt");
    ImportHpglBytes(doc, text, "fuzz.plt");
    AbortOnNonFinitePoints(doc);
    return 0;
}
