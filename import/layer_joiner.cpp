#include "import/layer_joiner.h"

#include <cmath>
#include <stdexcept>
#include <system_error>

#include "import/import_report.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "model/parallel.h"
#include "prepare/texts.h"

namespace {
// A pen this large is worth a thread of its own while the reader goes on.
constexpr std::size_t kChainsWorthEarlyJoining = 1024;

// A pen this small is not worth a record, a queue and a thread: the reader's thread takes it
// through its steps in the walks over the layer. A file may select a million pens with a stroke
// each, and the record and its bookkeeping would cost more than the pen itself.
constexpr std::size_t kChainsDoneInPlace = 2;
constexpr int kPointsDoneInPlace = 1024;

bool DoneInPlace(const CStift& pen) {
    if (pen.m_chains.size() > kChainsDoneInPlace) return false;
    int points = 0;
    for (const auto& c : pen.m_chains) points += c->PointCount();
    return points <= kPointsDoneInPlace;
}

// The box recomputation of a pen whose chains nobody changed since their last one.
BoxValues RecomputeUnchanged(CStift& pen, DirectionNotes& notes) {
    pen.RecomputeBox(notes, ChainPoints::Unchanged);
    BoxValues box;
    CopyBox(box, pen);
    return box;
}
}  // namespace

LayerJoiner::LayerJoiner(CQuenkDoc& doc, CLayer& layer) : m_doc(doc), m_layer(layer) {}

LayerJoiner::~LayerJoiner() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_phase = Phase::Over;  // nothing more is begun, also when reading failed half-way
    }
    m_wake.notify_all();
    if (m_helper.joinable()) m_helper.join();
}

LayerJoiner::PenWork& LayerJoiner::MarkComplete(CStift& pen) {
    auto found = m_index.find(&pen);
    if (found != m_index.end()) return m_work[found->second];
    m_index.emplace(&pen, m_work.size());
    PenWork& work = m_work.emplace_back();
    work.pen = &pen;
    m_complete.push_back(&work);
    return work;
}

void LayerJoiner::PenComplete(CStift& pen) {
    if (DoneInPlace(pen)) return;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        MarkComplete(pen);
    }
    if (!m_helper.joinable() && pen.m_chains.size() >= kChainsWorthEarlyJoining) StartHelper();
    m_wake.notify_one();
    // The reader's thread made the chains' storage; what the helper gave up of it is freed
    // here, where it is soon used again for the next pens.
    m_handedBack.FreeAll();
}

void LayerJoiner::StartHelper() {
    if (std::thread::hardware_concurrency() == 1) return;  // one core: a helper would only take turns
    try {
        m_helper = std::thread([this] { HelperLoop(); });
    } catch (const std::system_error&) {
        // Without a second thread the reader's thread does all the pens at the end.
    }
}

LayerJoiner::PenWork* LayerJoiner::Claim() {
    for (std::deque<PenWork*>* queue : {&m_complete, &m_more}) {
        if (queue->empty()) continue;
        PenWork* work = queue->front();
        queue->pop_front();
        return work;
    }
    return nullptr;
}

void LayerJoiner::HelperLoop() {
    const HeapReserve room(m_helperRoom);
    for (;;) {
        PenWork* work = nullptr;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_phase == Phase::Over || !m_complete.empty() || !m_more.empty(); });
            if (m_phase == Phase::Over) return;
            work = Claim();
        }
        Work(*work, false);
    }
}

void LayerJoiner::Work(PenWork& work, bool onReaderThread) {
    for (;;) {
        Stage next;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            work.busy = true;
            const Stage now = work.stage;
            const bool placing = m_phase == Phase::Placing;
            if (now == Stage::Complete) {
                next = Stage::Recomputed;
            } else if (now == Stage::Recomputed && !(onReaderThread && placing)) {
                next = Stage::Joined;
            } else if (now == Stage::Joined && m_phase == Phase::Moving) {
                next = Stage::Moved;
            } else {
                // Nothing more to do now. While placing, the reader's thread only recomputes,
                // since the box is needed at once; the joining goes on to the helper. A joined
                // pen waits for the move.
                if (now == Stage::Recomputed) m_more.push_back(&work);
                if (now == Stage::Moved) ++m_finished;
                work.busy = false;
                m_wake.notify_all();
                return;
            }
        }
        try {
            if (next == Stage::Recomputed) Recompute(work);
            if (next == Stage::Joined) {
                // What the helper gave up of the reader's storage so far is freed first: the
                // pen's joined chains can then take it instead of new memory.
                if (onReaderThread) m_handedBack.FreeAll();
                Join(work, onReaderThread);
            }
            if (next == Stage::Moved) Move(work);
        } catch (...) {
            std::lock_guard<std::mutex> hold(m_lock);
            // Nothing more is done to a pen that failed.
            work.error = std::current_exception();
            work.failedIn = next;
            if (work.stage < Stage::Recomputed) ++m_recomputed;
            work.stage = Stage::Moved;
            ++m_finished;
            work.busy = false;
            m_wake.notify_all();
            return;
        }
        std::lock_guard<std::mutex> hold(m_lock);
        work.stage = next;
        if (next == Stage::Recomputed) {
            ++m_recomputed;
            m_wake.notify_all();
        }
    }
}

template <typename Step>
void LayerJoiner::Noting(PenWork& work, DirectionNotes PenNotes::*found, Step&& step) {
    DirectionNotes notes;
    auto keep = [&] {
        if (notes.All().empty()) return;
        if (!work.notes) work.notes = std::make_unique<PenNotes>();
        (*work.notes).*found = std::move(notes);
    };
    try {
        step(notes);
    } catch (...) {
        keep();
        throw;
    }
    keep();
}

void LayerJoiner::Recompute(PenWork& work) {
    // The document's box recomputation as it reaches this pen: the chains are as the reader's
    // RecomputeAhead left them.
    Noting(work, &PenNotes::beforeJoining,
           [&](DirectionNotes& notes) { work.pen->RecomputeBox(notes, ChainPoints::Unchanged); });
    CopyBox(work.boxBeforeThenMoved, *work.pen);
    // Joining would merge two copies of a stroke into one chain there and back: the doubles
    // are counted while the strokes are still as the file drew them.
    work.doubleStrokes = CountDoubleStrokes(work.pen->m_chains);
}

void LayerJoiner::Join(PenWork& work, bool onReaderThread) {
    join_detail::SpentPoints spent(onReaderThread);
    try {
        Noting(work, &PenNotes::joining, [&](DirectionNotes& notes) {
            work.joined = join_detail::JoinPenEndPoints(*work.pen, ChainPoints::Unchanged, spent, notes);
        });
    } catch (...) {
        if (!onReaderThread) m_handedBack.Give(spent);
        throw;
    }
    if (!onReaderThread) m_handedBack.Give(spent);
    // The box recomputation that closes the joining.
    Noting(work, &PenNotes::afterJoining,
           [&](DirectionNotes& notes) { work.pen->RecomputeBox(notes, ChainPoints::Unchanged); });
    CopyBox(work.boxAfter, *work.pen);
}

void LayerJoiner::Move(PenWork& work) {
    if (!m_move) return;
    // The layer's MoveBy for this pen's chains: each chain moved and recomputed while its
    // points are in the cache, the pen's box folded as MoveBy folds it.
    BoxValues box;
    Noting(work, &PenNotes::moving, [&](DirectionNotes& notes) { MoveChains(*work.pen, notes, box); });
    work.boxBeforeThenMoved = box;
}

void LayerJoiner::MoveChains(CStift& pen, DirectionNotes& notes, BoxValues& box) const {
    ForEachChain(pen.m_chains, [&](CVector& c) {
        notes.Add(c.MoveAndRecompute(m_dx, m_dy));
        FoldBox(box, c);
    });
}

bool LayerJoiner::PhaseDone() const {
    return (m_phase == Phase::Placing ? m_recomputed : m_finished) == m_work.size();
}

void LayerJoiner::RunPhase(Phase phase) {
    std::size_t chainsLeft = 0, pensLeft = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_phase = phase;
        const std::size_t n = m_layer.m_pens.size();
        const bool ordered = m_inOrder.size() == n;
        if (!ordered) {
            m_inOrder.clear();
            m_inOrder.reserve(n);
        }
        for (std::size_t k = 0; k < n; ++k) {
            CStift* pen = m_layer.m_pens[k].get();
            if (!ordered) {
                // A pen handed over while reading keeps its record, whatever its size now.
                const auto found = m_index.find(pen);
                m_inOrder.push_back(found != m_index.end() ? &m_work[found->second]
                                    : DoneInPlace(*pen)    ? nullptr
                                                           : &MarkComplete(*pen));
            }
            PenWork* work = WorkAt(k, *pen);
            if (!work) continue;
            // A busy pen goes on by itself; an idle joined one waits for someone to move it.
            if (phase == Phase::Moving && work->stage == Stage::Joined && !work->busy) m_more.push_back(work);
            if (work->stage != Stage::Moved) {
                chainsLeft += pen->m_chains.size();
                ++pensLeft;
            }
        }
        // Reading is over: no pen is looked up by its address again.
        if (!ordered) std::unordered_map<const CStift*, std::size_t>().swap(m_index);
    }
    if (!m_helper.joinable() && pensLeft >= 2 && chainsLeft >= kPiecesWorthThreads) StartHelper();
    m_wake.notify_all();
    for (;;) {
        PenWork* work = nullptr;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            // While placing, the reader's thread only takes pens that need recomputing.
            auto available = [&] { return !m_complete.empty() || (phase == Phase::Moving && !m_more.empty()); };
            m_wake.wait(hold, [&] { return available() || PhaseDone(); });
            if (!available()) break;
            work = Claim();
        }
        Work(*work, true);
    }
}

LayerJoiner::PenWork* LayerJoiner::WorkAt(std::size_t k, const CStift& pen) {
    if (k >= m_inOrder.size() || (m_inOrder[k] && m_inOrder[k]->pen != &pen))
        throw std::logic_error("LayerJoiner: the layer's pens changed during the import");
    return m_inOrder[k];
}

void LayerJoiner::Take(const PenWork& work, DirectionNotes PenNotes::*found, Stage step, DirectionNotes& notes) {
    if (work.notes) notes.Append((*work.notes).*found);
    if (work.error && work.failedIn == step) std::rethrow_exception(work.error);
}

void LayerJoiner::RecomputeBox() {
    RunPhase(Phase::Placing);
    // Earlier layers are recomputed in full; this one takes what its pens found, in order.
    m_doc.RecomputeBox([this](CLayer& layer, DirectionNotes& notes) {
        if (&layer != &m_layer) {
            layer.RecomputeBox(notes);
            return;
        }
        // The pens' own boxes are not touched: the helper may still be joining them.
        std::size_t k = 0;
        layer.RecomputeBox([this, &notes, &k](CStift& pen) {
            if (const PenWork* work = WorkAt(k++, pen)) {
                Take(*work, &PenNotes::beforeJoining, Stage::Recomputed, notes);
                return work->boxBeforeThenMoved;
            }
            const BoxValues box = RecomputeUnchanged(pen, notes);
            m_doubleStrokesInPlace += CountDoubleStrokes(pen.m_chains);
            return box;
        });
    });
}

bool LayerJoiner::JoinAndMove(double dx, double dy) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_dx = dx;
        m_dy = dy;
        // Broken settings can give no target: the drawing then stays where the file put it.
        m_move = std::isfinite(dx) && std::isfinite(dy);
    }
    RunPhase(Phase::Moving);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_phase = Phase::Over;
    }
    m_wake.notify_all();
    if (m_helper.joinable()) m_helper.join();
    m_handedBack.FreeAll();

    // What JoinEndPoints shows and leaves behind.
    bool joined = false;
    ShowingNotes([&](DirectionNotes& notes) {
        join_detail::SpentPoints spent(true);
        for (std::size_t k = 0; k < m_layer.m_pens.size(); ++k) {
            CStift& pen = *m_layer.m_pens[k];
            if (const PenWork* work = WorkAt(k, pen)) {
                Take(*work, &PenNotes::joining, Stage::Joined, notes);
                joined = joined || work->joined;
            } else {
                joined = join_detail::JoinPenEndPoints(pen, ChainPoints::Unchanged, spent, notes) || joined;
            }
        }
    });
    m_doc.RecomputeBox([this](CLayer& layer, DirectionNotes& notes) {
        if (&layer != &m_layer) {
            layer.RecomputeBox(notes, ChainPoints::Unchanged);  // nothing changed them since
            return;
        }
        std::size_t k = 0;
        layer.RecomputeBox([this, &notes, &k](CStift& pen) {
            const PenWork* work = WorkAt(k++, pen);
            if (!work) return RecomputeUnchanged(pen, notes);  // the recomputation closing the joining
            if (work->notes) notes.Append(work->notes->afterJoining);
            CopyBox(pen, work->boxAfter);
            return work->boxAfter;
        });
    });
    if (joined) Ui().Message(prepare_texts::kJoinedMessage);
    Ui().RequestRedraw();

    // What the layer's MoveBy shows and leaves behind.
    if (m_move) {
        ShowingNotes([this](DirectionNotes& notes) {
            std::size_t k = 0;
            m_layer.RecomputeBox([this, &notes, &k](CStift& pen) {
                const PenWork* work = WorkAt(k++, pen);
                BoxValues box;
                if (work) {
                    Take(*work, &PenNotes::moving, Stage::Moved, notes);
                    box = work->boxBeforeThenMoved;
                } else {
                    MoveChains(pen, notes, box);
                }
                CopyBox(pen, box);
                return box;
            });
        });
    }
    return joined;
}

std::int64_t LayerJoiner::DoubleStrokes() const {
    std::int64_t n = m_doubleStrokesInPlace;
    for (const PenWork& work : m_work) n += work.doubleStrokes;
    return n;
}
