#include "prepare/layer_joiner.h"

#include "model/document.h"
#include "model/parallel.h"

namespace {
// A pen this large is worth a thread of its own while the reader goes on.
constexpr std::size_t kChainsWorthEarlyJoining = 1024;
}  // namespace

LayerJoiner::LayerJoiner(CQuenkDoc& doc, CLayer& layer) : m_doc(doc), m_layer(layer) {}

LayerJoiner::~LayerJoiner() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_closing = true;
        m_finished = true;  // nothing more is begun, also when reading failed half-way
    }
    m_wake.notify_all();
    if (m_helper.joinable()) m_helper.join();
}

void LayerJoiner::PenComplete(CStift& pen) {
    Enqueue(pen);
    if (!m_helper.joinable() && pen.m_chains.size() >= kChainsWorthEarlyJoining) StartHelper();
    m_wake.notify_one();
    // The reader's thread made the chains' storage; what the helper gave up of it is freed
    // here, where it is soon used again by the next pens.
    m_handedBack.FreeAll();
}

void LayerJoiner::Enqueue(CStift& pen) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_index.count(&pen)) return;
    m_index.emplace(&pen, m_work.size());
    m_work.emplace_back().pen = &pen;
}

void LayerJoiner::StartHelper() {
    try {
        m_helper = std::thread([this] { HelperLoop(); });
    } catch (const std::system_error&) {
        // Without a second thread the reader's thread does all the pens at the end.
    }
}

void LayerJoiner::HelperLoop() {
    for (;;) {
        PenWork* work = nullptr;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_finished || m_closing || m_next < m_work.size(); });
            if (m_finished || m_next >= m_work.size()) return;
            work = &m_work[m_next++];
        }
        Process(*work, false);
    }
}

LayerJoiner::PenWork* LayerJoiner::Claim() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_finished || m_next >= m_work.size()) return nullptr;
    return &m_work[m_next++];
}

void LayerJoiner::Process(PenWork& work, bool onReaderThread) {
    join_detail::SpentPoints spent(onReaderThread);
    CStift& pen = *work.pen;
    try {
        // The document's box recomputation as it reaches this pen: the chains are as the
        // reader's RecomputeAhead left them.
        {
            ScopedDirectionNoteLog log(work.beforeJoining);
            pen.RecomputeBox(ChainPoints::Unchanged);
        }
        CopyBox(work.boxBefore, pen);
        {
            ScopedDirectionNoteLog log(work.joining);
            work.joined = join_detail::JoinPenEndPoints(pen, ChainPoints::Unchanged, spent);
        }
        // The box recomputation that closes the joining.
        {
            ScopedDirectionNoteLog log(work.afterJoining);
            pen.RecomputeBox(ChainPoints::Unchanged);
        }
        CopyBox(work.boxAfter, pen);
    } catch (...) {
        work.error = std::current_exception();
    }
    if (!onReaderThread) m_handedBack.Give(spent);
}

void LayerJoiner::FinishAll() {
    std::size_t chainsLeft = 0, pensLeft = 0;
    for (auto& pen : m_layer.m_pens) {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_index.count(pen.get())) {
            chainsLeft += pen->m_chains.size();
            ++pensLeft;
        }
    }
    for (auto& pen : m_layer.m_pens) Enqueue(*pen);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_closing = true;
    }
    if (!m_helper.joinable() && pensLeft >= 2 && chainsLeft >= kPiecesWorthThreads) StartHelper();
    m_wake.notify_all();
    while (PenWork* work = Claim()) Process(*work, true);
    if (m_helper.joinable()) m_helper.join();
    m_handedBack.FreeAll();
    for (auto& pen : m_layer.m_pens)
        if (WorkOf(*pen).error) std::rethrow_exception(WorkOf(*pen).error);
}

LayerJoiner::PenWork& LayerJoiner::WorkOf(const CStift& pen) { return m_work[m_index.at(&pen)]; }

void LayerJoiner::RecomputeBox() {
    FinishAll();
    // Earlier layers are recomputed in full, this one shows what its pens found, in order.
    m_doc.RecomputeBox([this](CLayer& layer) {
        if (&layer != &m_layer) {
            layer.RecomputeBox();
            return;
        }
        layer.RecomputeBox([this](CStift& pen) {
            const PenWork& work = WorkOf(pen);
            ShowDirectionNotes(work.beforeJoining);
            CopyBox(pen, work.boxBefore);
        });
    });
}

bool LayerJoiner::Join() {
    bool joined = false;
    for (auto& pen : m_layer.m_pens) {
        const PenWork& work = WorkOf(*pen);
        ShowDirectionNotes(work.joining);
        joined = joined || work.joined;
    }
    // Nothing changed the earlier layers since the recomputation before.
    m_doc.RecomputeBox([this](CLayer& layer) {
        if (&layer != &m_layer) {
            layer.RecomputeBox(ChainPoints::Unchanged);
            return;
        }
        layer.RecomputeBox([this](CStift& pen) {
            const PenWork& work = WorkOf(pen);
            ShowDirectionNotes(work.afterJoining);
            CopyBox(pen, work.boxAfter);
        });
    });
    if (joined) Ui().Message(join_detail::kJoinedMessage);
    Ui().RequestRedraw();
    return joined;
}
