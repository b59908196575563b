// Any bytes as a job file: loading either takes the whole job or leaves the current one
// exactly as it was; a loaded job saves and loads again to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/fraes_kontur.h"
#include "files/job_file.h"

namespace {
// A small current job that a refused file must not touch.
void FillCurrentJob(CQuenkApp& app) {
    app.m_materialName = "Eiche";
    app.m_toolColoursB.assign(17, 0x141414);
    app.m_tools.resize(2);
    auto k = std::make_unique<CFraesKontur>();
    k->m_tool = 3;
    auto d = std::make_unique<CFraesDaten>();
    d->m_points.AddPoint({1.0, 2.0});
    k->m_paths.push_back(std::move(d));
    app.m_millingList.push_back(std::move(k));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentInteraction silent;
    ScopedInteraction install(silent);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CQuenkApp app;
    FillCurrentJob(app);
    const std::string before = SerializeJob(app);
    if (!LoadJobBytes(app, bytes)) {
        if (SerializeJob(app) != before) std::abort();
        return 0;
    }
    const std::string saved = SerializeJob(app);
    CQuenkApp again;
    if (!LoadJobBytes(again, saved)) std::abort();
    // The colour rule may have changed the colour table after reading; compare from there.
    again.m_toolColoursB = app.m_toolColoursB;
    if (SerializeJob(again) != saved) std::abort();
    return 0;
}
