// The HPGL reader's frame: reading the file, the new layer, placement, joining, clean-up.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>
#include <optional>

#include "import/hpgl_interpreter.h"
#include "import/hpgl_reader.h"
#include "import/hpgl_texts.h"
#include "model/document.h"
#include "model/file_bytes.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "prepare/layer_joiner.h"

namespace {
// Every import after the first goes this many drawing units right of the drawing.
constexpr double kGapToPreviousDrawing = 400.0;
// Arc and circle points a file may make: a fixed allowance plus one point per few bytes of
// text, so that an import never needs much more than 16 times its file's size plus 200 MB
// whatever circles it asks for (ten bytes "CI9,1;" would otherwise make 361 points). A point
// costs 16 bytes, and about as much again while its chain grows and is joined.
constexpr std::size_t kArcPointAllowance = 4000000;
constexpr std::size_t kTextBytesPerArcPoint = 4;
// Up to this many unknown commands pass without the closing "Über 10 Fehler".
constexpr int kUnknownCommandsTolerated = 9;

// The new layer goes to the work zero point when the document was empty, otherwise beside
// the drawing at the height of the previous import.
void Place(CQuenkDoc& doc, CLayer& layer, double maxXBefore, LayerJoiner& joiner) {
    const CQuenkApp& app = doc.App();
    if (maxXBefore == 0.0) {
        doc.m_importTargetX = app.m_workZeroX / app.m_plotterUnit;
        doc.m_importTargetY = app.m_workZeroY / app.m_plotterUnit;
    } else {
        doc.m_importTargetX = maxXBefore + kGapToPreviousDrawing;
    }
    // The document's box recomputation, the end-point joining and the move; the joiner has
    // done much of them pen by pen while the file was read. A plotter unit of 0 in broken
    // settings gives no target; the drawing then stays where the file put it.
    joiner.RecomputeBox();
    const double dx = doc.m_importTargetX - layer.m_minX;
    const double dy = doc.m_importTargetY - layer.m_minY;
    joiner.JoinAndMove(dx, dy);
    // Every chain was recomputed by the steps that changed it, and no recomputation leaves
    // exact repeats behind: the last box recomputation repeats the chains' results, and the
    // separate removal of repeated points would find nothing.
    doc.RecomputeBox(ChainPoints::Unchanged);
}
}  // namespace

void ResetHpglScaling(CQuenkDoc& doc) {
    doc.m_scaleX = doc.m_scaleY = 1.0;
    doc.m_scaleMinX = doc.m_scaleMinY = 0.0;
    doc.m_offsetX = doc.m_offsetY = 0.0;
    doc.m_relative = 0;
}

void StripLineBreaks(std::string& bytes) {
    char* w = bytes.data();
    ForEachRunBetweenLineBreaks(bytes.data(), bytes.size(), [&](const char* run, std::size_t n) {
        if (w != run) std::memmove(w, run, n);  // the write position never passes the read
        w += n;
    });
    bytes.resize(static_cast<std::size_t>(w - bytes.data()));
}

int InterpretHpgl(CQuenkDoc& doc, std::string_view text, LayerJoiner* joiner) {
    if (!doc.m_curLayer) doc.m_curLayer = doc.AddLayer();
    // Pen and chain must belong to the layer being filled; anything else is forgotten.
    const auto& pens = doc.m_curLayer->m_pens;
    if (std::none_of(pens.begin(), pens.end(), [&](const auto& p) { return p.get() == doc.m_curPen; })) {
        doc.m_curPen = nullptr;
        doc.m_curChain = nullptr;
    }
    const CQuenkApp& app = doc.App();
    HpglLimits limits;
    limits.segmentAngle = app.m_segmentAngle;
    limits.maxVectorUnits = app.m_maxVectorLength / app.m_plotterUnit;
    limits.arcPointBudget = kArcPointAllowance + text.size() / kTextBytesPerArcPoint;
    return HpglInterpreter(doc, text, limits, joiner).Run();
}

namespace {
// The reader from the text on, its line breaks already gone.
bool ImportHpglText(CQuenkDoc& doc, std::string bytes, const std::string& fileName) {
    ResetHpglScaling(doc);
    const double maxXBefore = doc.m_maxX;
    CLayer* layer = nullptr;
    int unknown = 0;
    try {
        // Leaves the try block before the layer can be taken away below: its helper thread
        // has ended by then.
        std::optional<LayerJoiner> joiner;
        {
            WaitCursor wait(Ui());
            if (bytes.size() > 10 && doc.m_nothingImported) {
                doc.m_nothingImported = 0;
                doc.m_drawingName = fileName;
            }
            layer = doc.AddLayer();
            doc.m_curLayer = layer;
            doc.m_curPen = nullptr;
            doc.m_curChain = nullptr;
            joiner.emplace(doc, *layer);
            unknown = InterpretHpgl(doc, bytes, &*joiner);
        }
        if (unknown > kUnknownCommandsTolerated) Ui().Message(hpgl_texts::kTooManyErrors);
        std::string().swap(bytes);
        Place(doc, *layer, maxXBefore, *joiner);
    } catch (const std::bad_alloc&) {
        // Half a drawing is worse than none: the layer of this file goes again.
        if (layer && !doc.m_layers.empty() && doc.m_layers.back().get() == layer) {
            doc.m_layers.pop_back();
            doc.m_curLayer = nullptr;
            doc.m_curPen = nullptr;
            doc.m_curChain = nullptr;
            doc.RecomputeBox();
        }
        Ui().Message(hpgl_texts::kOutOfMemory);
        Ui().RequestRedraw();
        return false;
    }
    Ui().RequestRedraw();
    return true;
}

}  // namespace

bool ImportHpglBytes(CQuenkDoc& doc, std::string bytes, const std::string& fileName) {
    StripLineBreaks(bytes);
    return ImportHpglText(doc, std::move(bytes), fileName);
}

bool ImportHpglFile(CQuenkDoc& doc, const std::string& path) {
    std::string bytes;
    // The line breaks go while reading, and the text is written into memory only once.
    const ReadStatus status = ReadFileBytes(path, bytes, std::numeric_limits<std::size_t>::max(), LineBreaks::Drop);
    if (status == ReadStatus::CannotOpen) return false;
    doc.App().m_lastImportPath = path;
    if (status == ReadStatus::OutOfMemory) {
        Ui().Message(hpgl_texts::kOutOfMemory);
        return false;
    }
    return ImportHpglText(doc, std::move(bytes), std::filesystem::path(path).filename().string());
}
