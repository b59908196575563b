#include "import/import_placement.h"

#include <new>
#include <optional>

#include "model/texts.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "import/import_report.h"
#include "import/layer_joiner.h"

namespace {
// Every import after the first goes this many drawing units right of the drawing.
constexpr double kGapToPreviousDrawing = 400.0;
// The import report calls open ends near within this many joining distances.
constexpr double kNearEndsPerJoiningDistance = 2.0;

void DropImportedLayer(CQuenkDoc& doc, const CLayer* layer) {
    if (layer && !doc.m_layers.empty() && doc.m_layers.back().get() == layer) {
        doc.m_layers.pop_back();
        doc.m_curLayer = nullptr;
        doc.m_curPen = nullptr;
        doc.m_curChain = nullptr;
        doc.RecomputeBox();
    }
}
void FinishReport(CQuenkDoc& doc, const CLayer& layer, std::int64_t doubleStrokes) {
    const CQuenkApp& app = doc.App();
    ImportReport& report = doc.m_importReport;
    report.imported = true;
    report.doubleStrokes = doubleStrokes;
    // Ends a little too far apart for the joining distance are worth a look as well.
    report.nearDistanceMm = kNearEndsPerJoiningDistance * app.m_joinDistance;
    try {
        CountChainsAndEnds(report, layer, report.nearDistanceMm / app.m_plotterUnit);
    } catch (const std::bad_alloc&) {
        // The drawing is in; only the list of near ends is missing then.
        std::vector<CPunkt>().swap(report.nearEnds);
    }
}
}  // namespace

void PlaceImportedLayer(CQuenkDoc& doc, CLayer& layer, double maxXBefore, LayerJoiner& joiner) {
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

bool ImportIntoNewLayer(CQuenkDoc& doc, const std::function<void(LayerJoiner&)>& read,
                        const std::function<void()>& afterRead) {
    const double maxXBefore = doc.m_maxX;
    CLayer* layer = nullptr;
    // The readers add what they pass over to the fresh report; a refused file leaves the
    // report of the drawing that is still there.
    ImportReport previous = std::move(doc.m_importReport);
    doc.m_importReport = ImportReport{};
    try {
        // Leaves the try block before the layer can be taken away below: its helper thread
        // has ended by then.
        std::optional<LayerJoiner> joiner;
        {
            WaitCursor wait(Ui());
            layer = doc.AddLayer();
            doc.m_curLayer = layer;
            doc.m_curPen = nullptr;
            doc.m_curChain = nullptr;
            joiner.emplace(doc, *layer);
            read(*joiner);
        }
        afterRead();
        PlaceImportedLayer(doc, *layer, maxXBefore, *joiner);
        FinishReport(doc, *layer, joiner->DoubleStrokes());
    } catch (const std::bad_alloc&) {
        doc.m_importReport = std::move(previous);
        DropImportedLayer(doc, layer);
        Ui().Message(texts::kOutOfMemory);
        Ui().RequestRedraw();
        return false;
    }
    Ui().RequestRedraw();
    return true;
}
