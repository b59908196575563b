#include "model/layer.h"

#include "model/box.h"
#include "model/parallel.h"

CVector* CStift::AddVector() {
    m_chains.push_back(std::make_unique<CVector>());
    return m_chains.back().get();
}

void CStift::RecomputeBox(DirectionNotes& notes, ChainPoints points) {
    ResetBox(*this);
    if (m_chains.empty()) return;
    m_empty = 0;
    ForEachChain(m_chains, [&](CVector& c) {
        notes.Add(points == ChainPoints::Unchanged ? c.RecomputeUnchanged() : c.Recompute());
        FoldBox(*this, c);
    });
}

void CStift::RemoveDuplicatePoints() {
    for (auto& c : m_chains) c->RemoveDuplicatePoints();
}

CStift* CLayer::AddPen(std::int32_t number) {
    m_pens.push_back(std::make_unique<CStift>(number));
    return m_pens.back().get();
}

CStift* CLayer::FindPen(std::int32_t number) {
    if (m_indexedPens > m_pens.size()) {  // the list was cut back: start again
        m_penIndex.Clear();
        m_indexedPens = 0;
    }
    // The first pen of a number stays in the index. A position fits 32 bits: four thousand
    // million pens would not fit in memory.
    for (; m_indexedPens < m_pens.size(); ++m_indexedPens)
        m_penIndex.Add(m_pens[m_indexedPens]->m_number, static_cast<std::uint32_t>(m_indexedPens));
    const std::optional<std::uint32_t> found = m_penIndex.Find(number);
    if (!found) return nullptr;
    CStift* pen = m_pens[*found].get();
    if (pen->m_number == number) return pen;
    // The list was replaced by one of the same length: index it afresh.
    m_penIndex.Clear();
    m_indexedPens = 0;
    return FindPen(number);
}

void CLayer::RecomputeBox(DirectionNotes& notes, ChainPoints points) {
    RecomputeBox([&notes, points](CStift& pen) {
        pen.RecomputeBox(notes, points);
        BoxValues box;
        CopyBox(box, pen);
        return box;
    });
}

void CLayer::RecomputeBox(const std::function<BoxValues(CStift&)>& penBox) {
    ResetBox(*this);
    if (m_pens.empty()) return;
    m_empty = 0;
    for (auto& p : m_pens) FoldBox(*this, penBox(*p));
}

void CLayer::MoveBy(double dx, double dy, double z, DirectionNotes& notes) {
    if (z < 0) return;
    // Moving every point and then recomputing every box, chain by chain: each chain is
    // recomputed while its points are still in the cache, with the same result and the same
    // notes in the same order as a move of everything followed by RecomputeBox. The
    // pens go in runs of chains to the cores; the boxes are folded afterwards in list order.
    struct Run {
        CStift* pen;
        std::size_t from, to;
    };
    constexpr std::size_t kChainsPerRun = 2048;
    std::vector<Run> runs;
    std::size_t chainCount = 0;
    for (auto& pen : m_pens) {
        chainCount += pen->m_chains.size();
        for (std::size_t k = 0; k < pen->m_chains.size(); k += kChainsPerRun)
            runs.push_back({pen.get(), k, std::min(pen->m_chains.size(), k + kChainsPerRun)});
    }
    RunPiecesInOrder(runs.size(), [&](std::size_t r, DirectionNotes& found) {
        const Run& run = runs[r];
        const auto& chains = run.pen->m_chains;
        for (std::size_t k = run.from; k < run.to; ++k) {
            if (k + 1 < run.to) PrefetchChain(chains[k + 1].get());
            found.Add(chains[k]->MoveAndRecompute(dx, dy));
        }
    }, chainCount, notes);

    ResetBox(*this);
    if (!m_pens.empty()) m_empty = 0;
    for (auto& pen : m_pens) {
        ResetBox(*pen);
        if (!pen->m_chains.empty()) pen->m_empty = 0;
        ForEachChain(pen->m_chains, [&](const CVector& c) { FoldBox(*pen, c); });
        FoldBox(*this, *pen);
    }
}

void CLayer::RemoveDuplicatePoints() {
    for (auto& p : m_pens) p->RemoveDuplicatePoints();
}
