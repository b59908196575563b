#pragma once
// The box recomputation and the end-point joining that an importer runs on its new layer,
// begun pen by pen while the reader still reads. A plotter file usually draws one pen after
// the other; a pen that the reader will not draw into again is recomputed and joined on a
// helper thread while the reader goes on with the next. The results, and the messages in
// their order, are those of the document's RecomputeBox followed by JoinEndPoints.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "model/box.h"
#include "model/session.h"
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

    // After reading, in this order: the document's box recomputation, whose box places the
    // layer, then the end-point joining of the layer; returns whether anything was joined.
    void RecomputeBox();
    bool Join();

private:
    struct PenWork {
        CStift* pen = nullptr;
        DirectionNoteLog beforeJoining, joining, afterJoining;
        BoxValues boxBefore, boxAfter;
        bool joined = false;
        std::exception_ptr error;
    };

    void Enqueue(CStift& pen);
    void StartHelper();
    void HelperLoop();
    // Takes the next pen nobody has begun, or none.
    PenWork* Claim();
    void Process(PenWork& work, bool onReaderThread);
    void FinishAll();
    PenWork& WorkOf(const CStift& pen);

    CQuenkDoc& m_doc;
    CLayer& m_layer;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<PenWork> m_work;  // elements keep their place while others are added
    std::unordered_map<const CStift*, std::size_t> m_index;
    std::size_t m_next = 0;
    bool m_closing = false;
    bool m_finished = false;
    std::thread m_helper;
    join_detail::HandedBack m_handedBack;
};
