#include "toolpath/correction_command.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "model/texts.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "model/interaction.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/parallel.h"
#include "model/progress.h"
#include "model/tool_rule.h"
#include "toolpath/clearance.h"
#include "toolpath/correction_steps.h"
#include "toolpath/texts.h"

namespace {
// The colour mode that shows every path in its tool's colour.
constexpr std::int32_t kColourModeTools = 4;

// The messages of one chain's correction, in the order the correction met them.
void ShowReport(const CorrectionReport& report) {
    if (report.sourcesOutOfStep) Ui().Message(texts::kRadiusDatabaseError);
    if (report.cutterTooLarge) Ui().Message(texts::kCutterTooLarge);
}
// Takes the messages shown while the chains are set up, with the chain they belong to (the
// last one listed); everything else goes to the front end as it comes.
class Recorder final : public Interaction {
public:
    Recorder(Interaction& ui, const std::vector<CVector*>& chains, std::vector<std::pair<std::size_t, std::string>>& said)
        : m_ui(ui), m_chains(chains), m_said(said) {}
    void Message(const std::string& text) override { m_said.emplace_back(m_chains.size() - 1, text); }
    bool AskYesNo(const std::string& text) override { return m_ui.AskYesNo(text); }
    bool AskOkCancel(const std::string& text) override { return m_ui.AskOkCancel(text); }
    std::optional<std::string> AskOpenFile(const FileQuestion& q) override { return m_ui.AskOpenFile(q); }
    std::optional<std::string> AskSaveFile(const FileQuestion& q) override { return m_ui.AskSaveFile(q); }
    std::optional<int> AskPenForColour(int colour) override { return m_ui.AskPenForColour(colour); }
    bool OpenDialog(DialogRequest which) override { return m_ui.OpenDialog(which); }
    void BeginWait() override { m_ui.BeginWait(); }
    void EndWait() override { m_ui.EndWait(); }
    void RequestRedraw() override { m_ui.RequestRedraw(); }

private:
    Interaction& m_ui;
    const std::vector<CVector*>& m_chains;
    std::vector<std::pair<std::size_t, std::string>>& m_said;
};

// Chains corrected one after the other with one set of queries: enough to spread the work
// over the cores, few enough that building the queries' buffers does not count.
constexpr std::size_t kChainsPerPiece = 64;
// What the correction keeps per point of a chain (working contour, raw points and their
// sources, path and its sources), with room for the walk's and the checks' buffers.
constexpr std::size_t kResultBytesPerPoint = 128;

// The corrections write about a hundred bytes per point of new storage. Each thread takes it
// from a heap of its own, kept from being given back between chains. In small pages: fresh
// large pages cost the kernel three times as much here, where small ones are mostly pages
// the machine used a moment ago.
class RoomPerThread {
public:
    explicit RoomPerThread(std::size_t bytes) : m_bytes(bytes), m_run(s_runs.fetch_add(1) + 1) {}
    // Before a thread's first chain of this run.
    void Here() {
        thread_local std::uint64_t seen = 0;
        if (seen == m_run) return;
        seen = m_run;
        try {
            auto room = std::make_unique<HeapReserve>(m_bytes, 0, false);
            const std::lock_guard<std::mutex> hold(m_lock);
            m_rooms.push_back(std::move(room));
        } catch (const std::bad_alloc&) {
            // Without the room the chains are corrected all the same, only more slowly.
        }
    }

private:
    static inline std::atomic<std::uint64_t> s_runs{0};
    std::size_t m_bytes;
    std::uint64_t m_run;
    std::mutex m_lock;
    std::vector<std::unique_ptr<HeapReserve>> m_rooms;
};

void SetUp(CVector& v, const PenToolChoice& choice, const ToolChoice& tool, bool cleanContour) {
    if (tool.tool != kNoTool) {
        const bool right = tool.side == 1;
        // Correct replaces the whole correction; a reversal need not compute it once more
        // with the old values first.
        v.m_hasCorrection = 0;
        // Turning the chain puts the path outside for function 1, inside for 2.
        if (choice.function == 1) v.SetDirection(right ? 0 : 1);
        if (choice.function == 2) v.SetDirection(right ? 1 : 0);
        v.m_toolRadius = tool.radius;
        v.m_side = tool.side;
    }
    v.m_tool = tool.tool;
    v.m_function = choice.function;
    v.m_cleanContour = cleanContour ? 1 : 0;
}
}  // namespace

std::string RadiusCorrectionOptions::Validate() const {
    static constexpr ValueRange kToolSourceRange{kToolModePenNumber, kToolModePerPen, "0", "17"};
    if (!InRange(toolMode, kToolSourceRange)) return RangeComplaint(texts::kToolSourceField, &kToolSourceRange);
    return {};
}

RadiusCorrectionOptions CorrectionOptionsFromSettings(const CQuenkApp& app) {
    RadiusCorrectionOptions options;
    options.toolMode = app.m_rkToolMode;
    options.cleanContour = app.m_cleanContourSetting != 0;
    return options;
}

std::int32_t CorrectChain(CVector& chain) {
    GridPathQueries queries;
    const CorrectionReport report = CorrectOrOutOfMemory(chain, queries);
    ShowReport(report);
    if (report.result >= 0) return report.result;
    Ui().Message(texts::kOutOfMemory);
    return 0;
}

ToolChoice ChooseTool(const CQuenkApp& app, std::int32_t tool) {
    ToolChoice c;
    if (!ToolRecord(app, tool)) return c;
    c.tool = tool;
    c.radius = ToolRadiusUnits(app, tool);
    c.side = ToolSide(app, tool) == 0 ? 0 : 1;
    return c;
}

bool RunRadiusCorrection(CQuenkDoc& doc, const RadiusCorrectionOptions& options) {
    if (const std::string complaint = options.Validate(); !complaint.empty()) {
        Ui().Message(complaint);
        return false;
    }
    CQuenkApp& app = doc.App();
    app.m_rkToolMode = options.toolMode;
    // A check box knows only on and off: a setting that already says the same stays as it is.
    if ((app.m_cleanContourSetting != 0) != options.cleanContour)
        app.m_cleanContourSetting = options.cleanContour ? 1 : 0;
    bool outOfMemory = false;
    {
        WaitCursor wait(Ui());
        // Turning and setting up the chains talks to the front end: on this thread, in the
        // order of the chains, with what it says kept until that chain's correction is shown.
        std::vector<CVector*> chains;
        std::vector<std::pair<std::size_t, std::string>> said;
        {
            Recorder recorder(Ui(), chains, said);
            ScopedInteraction install(recorder);
            for (auto& layer : doc.m_layers)
                for (auto& pen : layer->m_pens) {
                    const PenToolChoice choice = ToolForPen(app, options.toolMode, pen->m_number);
                    const ToolChoice tool = ChooseTool(app, choice.tool);
                    for (auto& chain : pen->m_chains) {
                        if (chain->m_empty) continue;
                        chains.push_back(chain.get());
                        SetUp(*chain, choice, tool, options.cleanContour);
                    }
                }
        }
        std::size_t points = 0;
        for (const CVector* v : chains) points += static_cast<std::size_t>(v->m_points.Size());
        RoomPerThread room(points * kResultBytesPerPoint);
        // The chains' corrections are independent of each other: they run on the machine's
        // cores, each piece with its own queries, and are shown in the order of a plain walk.
        std::vector<CorrectionReport> reports(chains.size());
        const std::size_t pieces = (chains.size() + kChainsPerPiece - 1) / kChainsPerPiece;
        DirectionNotes none;
        // Only the calling thread may report progress; it counts the chains of every thread.
        ProgressTicker progress(chains.size());
        std::atomic<std::size_t> done{0};
        const std::thread::id caller = std::this_thread::get_id();
        RunPiecesInOrder(
            pieces,
            [&](std::size_t k, DirectionNotes&) {
                room.Here();
                GridPathQueries queries;  // keeps its buffers from chain to chain
                const std::size_t end = std::min(chains.size(), (k + 1) * kChainsPerPiece);
                const bool onCaller = std::this_thread::get_id() == caller;
                for (std::size_t i = k * kChainsPerPiece; i < end; ++i) {
                    reports[i] = CorrectOrOutOfMemory(*chains[i], queries);
                    // The box recomputation that ends the command, done here while the
                    // chain's points are in the cache; the one below only collects it.
                    chains[i]->RecomputeAheadOnce();
                    const std::size_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
                    if (onCaller) progress.Tick(now);
                }
            },
            chains.size(), none);
        std::size_t next = 0;
        for (std::size_t i = 0; i < chains.size() && !outOfMemory; ++i) {
            for (; next < said.size() && said[next].first == i; ++next) Ui().Message(said[next].second);
            ShowReport(reports[i]);
            outOfMemory = reports[i].result < 0;
        }
        if (outOfMemory) {
            // No chain keeps a path of this run or of an earlier one: half a correction with
            // old paths beside new ones would be milled as if it were whole. Dropping them
            // also gives the memory back; the drawing itself is untouched.
            for (auto& layer : doc.m_layers)
                for (auto& pen : layer->m_pens)
                    for (auto& chain : pen->m_chains) chain->ClearCorrection();
        }
        // The corrected chains were recomputed after their correction, which leaves the
        // points alone; the empty ones this command did not touch.
        doc.RecomputeBox(ChainPoints::Unchanged);
        if (!outOfMemory) {
            progress.Finish();
            doc.m_bCorrectionDone = 1;
            doc.App().m_nColorMode = kColourModeTools;
        }
    }
    if (outOfMemory) Ui().Message(texts::kOutOfMemory);
    Ui().RequestRedraw();
    return true;
}

void CorrectOneChain(CQuenkDoc& doc, CVector& chain, int tool) {
    const ToolChoice c = ChooseTool(doc.App(), tool);
    if (c.tool != kNoTool) {
        chain.m_toolRadius = c.radius;
        chain.m_side = c.side;
    }
    chain.m_function = 0;
    chain.m_tool = c.tool;
    CorrectChain(chain);
    doc.RecomputeBox();
    doc.m_bCorrectionDone = 1;
    Ui().RequestRedraw();
}
