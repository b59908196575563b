#pragma once
// The steps an importer runs on its new layer after reading it: the document's box
// recomputation, the end-point joining, and the move to the target, begun pen by pen while the
// reader still reads. A plotter file usually draws one pen after the other; a pen that the
// reader will not draw into again is recomputed and joined on a helper thread while the
// reader goes on with the next, and after reading the two threads share the rest. Each step
// keeps the direction notes of its pen; the reader's thread shows them step by step in the
// order of the pens, so that the results, and the messages in their order, are those of the
// document's RecomputeBox, JoinEndPoints and the layer's MoveBy run one after the other.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "model/box.h"
#include "model/core_context.h"
#include "prepare/join_detail.h"

class CLayer;
class CQuenkDoc;
class CStift;

class LayerJoiner {
public:
    // `layer` is the document's new layer; the reader recomputes every chain of it with
    // RecomputeAhead as it completes the chain, and changes nothing else in the document.
    LayerJoiner(CQuenkDoc& doc, CLayer& layer);
    ~LayerJoiner();  // waits for the helper thread
    LayerJoiner(const LayerJoiner&) = delete;
    LayerJoiner& operator=(const LayerJoiner&) = delete;

    // The reader will neither select this pen again nor draw into it.
    void PenComplete(CStift& pen);

    // Before reading: the helper thread makes room for about this many bytes of joined chains
    // in large pages before its first pen (see HeapReserve). Its allocations come from an arena
    // of its own, which otherwise grows a 4 kB page at a time, and gives its memory back after
    // every import.
    void ReserveForHelper(std::size_t bytes) { m_helperRoom = bytes; }

    // After reading, in this order: the document's box recomputation, whose box places the
    // layer; then the end-point joining of the layer and, where dx and dy are finite, its move
    // by them. Returns whether anything was joined.
    void RecomputeBox();
    bool JoinAndMove(double dx, double dy);
    // After JoinAndMove: the strokes each pen drew twice, counted before it was joined.
    std::int64_t DoubleStrokes() const;

private:
    // What has been done to a pen; each step runs on one thread, the steps of different pens
    // side by side.
    enum class Stage : std::uint8_t {
        Complete,    // read, nothing done yet
        Recomputed,  // the box recomputation is done
        Joined,      // the joining and the box recomputation after it are done too
        Moved,       // everything is done
    };
    enum class Phase : std::uint8_t { Reading, Placing, Moving, Over };

    // The direction notes of a pen's steps. Few pens have any, and a file may have a million
    // pens: they are made only for a step that noted something.
    struct PenNotes {
        DirectionNotes beforeJoining, joining, afterJoining, moving;
    };
    struct PenWork {
        CStift* pen = nullptr;
        Stage stage = Stage::Complete;
        bool busy = false;  // a thread works on it
        bool joined = false;
        Stage failedIn = Stage::Complete;  // the step that threw, with error
        std::unique_ptr<PenNotes> notes;
        // The box before joining; once the layer is placed it is no longer asked for, and the
        // move keeps its box here.
        BoxValues boxBeforeThenMoved;
        BoxValues boxAfter;
        std::int64_t doubleStrokes = 0;
        std::exception_ptr error;
    };

    // Records the pen and queues it for its first step, once. Under m_lock.
    PenWork& MarkComplete(CStift& pen);
    void StartHelper();
    void HelperLoop();
    // The next pen with work to do, or none. Under m_lock.
    PenWork* Claim();
    // Takes the pen through its steps as far as the phase allows.
    void Work(PenWork& work, bool onReaderThread);
    void Recompute(PenWork& work);
    void Join(PenWork& work, bool onReaderThread);
    void Move(PenWork& work);
    // Shares the steps of a phase with the helper until every pen has taken them.
    void RunPhase(Phase phase);
    bool PhaseDone() const;  // under m_lock
    // The record of the k-th pen of the layer's list, for the walks over the list after
    // reading, which would otherwise look every pen up again; null for a pen done in place.
    PenWork* WorkAt(std::size_t k, const CStift& pen);
    // The layer's MoveBy for one pen's chains: each chain moved and recomputed, its box folded.
    void MoveChains(CStift& pen, DirectionNotes& notes, BoxValues& box) const;
    // Runs a step of the pen with an empty list and keeps what it noted, also when it throws.
    template <typename Step>
    static void Noting(PenWork& work, DirectionNotes PenNotes::*found, Step&& step);
    // Adds what a step of the pen noted to `notes`, and rethrows what the step threw.
    static void Take(const PenWork& work, DirectionNotes PenNotes::*found, Stage step, DirectionNotes& notes);

    CQuenkDoc& m_doc;
    CLayer& m_layer;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<PenWork> m_work;  // elements keep their place while others are added
    std::unordered_map<const CStift*, std::size_t> m_index;  // emptied once m_inOrder is made
    std::vector<PenWork*> m_inOrder;                         // by position in the layer's list
    std::int64_t m_doubleStrokesInPlace = 0;                 // of the pens without a record
    std::deque<PenWork*> m_complete;  // read, waiting for their first step
    std::deque<PenWork*> m_more;      // waiting for their later steps
    std::size_t m_recomputed = 0;     // pens past their first step
    std::size_t m_finished = 0;       // pens with every step done, no thread on them
    Phase m_phase = Phase::Reading;
    double m_dx = 0.0, m_dy = 0.0;
    bool m_move = false;
    std::thread m_helper;
    std::size_t m_helperRoom = 0;
    join_detail::HandedBack m_handedBack;
};
