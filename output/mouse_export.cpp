#include "output/mouse_export.h"

#include <filesystem>
#include <optional>

#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/gcode.h"
#include "output/hpgl_export.h"
#include "output/hpgl_writer.h"
#include "toolpath/milling_job.h"

namespace {
void ClearAllMarks(CQuenkDoc& doc) {
    for (auto& layer : doc.m_layers)
        for (auto& pen : layer->m_pens)
            for (auto& chain : pen->m_chains)
                for (auto& path : chain->m_radiusList) path->m_mark = 0;
}
}  // namespace

bool CMouseExport::IsActive() const { return m_app.m_nMouseMode == kMouseModeExport; }

void CMouseExport::OnMouseExport() {
    if (IsActive())
        FinishMouseExport();
    else
        Start();
}

void CMouseExport::ResetClicks() {
    // Clicks of an earlier run that was not finished still fixed an order.
    if (!m_exportClicks.empty()) m_app.m_bMillingReady = 1;
    m_exportClicks.clear();
    m_exportedAny = 0;
}

bool CMouseExport::Start() {
    ResetClicks();
    m_exportPath.clear();
    m_doc.RecomputeBox();
    const std::optional<std::string> path = AskPlotterFile(JoinText({"R", m_doc.m_drawingName}));
    if (!path) return false;
    m_text.clear();
    HpglWriter(m_text).Header();
    if (PutWholeFile(*path, m_text) != FilePut::Done) {
        Ui().Message(texts::kFileOpenError);
        return false;
    }
    m_exportPath = *path;
    m_exportLastTool = -1;
    Ui().Message(texts::kClickAllPaths);
    m_app.m_nMouseMode = kMouseModeExport;
    m_app.m_nColorMode = kColorModeTools;
    Ui().RequestRedraw();
    return true;
}

void CMouseExport::StartWithoutFile() {
    ResetClicks();
    m_exportPath.clear();
    m_text.clear();
    m_exportLastTool = -1;
    m_app.m_nMouseMode = kMouseModeExport;
}

bool CMouseExport::Store() {
    if (m_exportPath.empty() || PutWholeFile(m_exportPath, m_text) == FilePut::Done) return true;
    Ui().Message(texts::kFileError);
    return false;
}

bool CMouseExport::Click(CVector& chain) {
    if (!IsActive() || chain.m_empty || !CanEnterMillingList(m_app, chain)) return false;
    WaitCursor wait(Ui());
    m_exportClicks.push_back({&chain, m_text.size()});
    const bool toFile = !m_exportPath.empty();
    HpglWriter w(m_text);
    if (chain.m_tool != m_exportLastTool) {
        m_exportLastTool = chain.m_tool;
        if (toFile) w.LiftAndSelectTwice(m_exportLastTool);
    }
    auto write = [&](CRadius& path, bool dot) {
        path.BuildIntPoints();
        const HpglPoints& p = path.m_intPoints.Raw();
        if (toFile) {
            if (!dot)
                w.Polyline(p);
            else if (p.size() == 1)
                w.Dot(p);
        }
        path.m_intPoints.RemoveAll();
        m_exportedAny = 1;
    };
    // A drill belongs to its chain point: a dot in the file, in the order of the points.
    for (int k = 0; k < chain.PointCount(); ++k)
        for (auto& path : chain.m_radiusList)
            if (path->m_selected == k && path->m_mark == 0) write(*path, true);
    for (auto& path : chain.m_radiusList)
        if (path->m_selected == -1 && path->m_mark == 0) write(*path, false);
    if (toFile && !m_holdStore) Store();
    Ui().RequestRedraw();
    // Drills go into the contour too: the machine is to plunge there.
    AddContourFromChain(m_app, chain);
    return true;
}

std::size_t CMouseExport::ClickAll(const std::vector<CVector*>& chains) {
    std::size_t taken = 0;
    m_holdStore = true;
    for (CVector* chain : chains) taken += Click(*chain) ? 1 : 0;
    m_holdStore = false;
    if (taken > 0 && !m_exportPath.empty()) Store();
    return taken;
}

void CMouseExport::StepBackExport() {
    if (m_exportClicks.empty()) return;
    const ExportClick last = m_exportClicks.back();
    m_exportClicks.pop_back();
    m_text.resize(static_cast<std::size_t>(last.fileLength));
    if (m_exportClicks.empty()) {
        m_exportedAny = 0;
        m_exportLastTool = -1;
    }
    Store();
    RemoveLastContour(m_app, last.chain);
    Ui().RequestRedraw();
}

void CMouseExport::FinishMouseExport() {
    if (!IsActive()) return;
    const bool anyClick = !m_exportClicks.empty();
    ResetClicks();
    m_app.m_nMouseMode = kMouseModeNone;
    if (!m_exportPath.empty()) {
        if (anyClick) {
            HpglWriter(m_text).Trailer();
            Store();
        } else {
            std::error_code ec;
            std::filesystem::remove(m_exportPath, ec);
        }
    }
    ClearAllMarks(m_doc);
    Ui().RequestRedraw();
}
