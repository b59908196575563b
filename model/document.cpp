#include "model/document.h"

#include "model/box.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/texts.h"

#include <optional>

CQuenkDoc::CQuenkDoc(CQuenkApp& app) : m_app(app) {
    CurrentContext().directionWarnings = 0;
    m_plotterUnit = app.m_plotterUnit;
    m_joinDistanceUnits = app.m_joinDistance / app.m_plotterUnit;
    m_importTargetY = app.m_workZeroY / app.m_plotterUnit;
    m_importTargetX = app.m_workZeroX / app.m_plotterUnit;
    m_importOrder = app.m_importOrder;
    m_showUnknown = app.m_showUnknownCommands;
}

CQuenkDoc::~CQuenkDoc() = default;

CLayer* CQuenkDoc::AddLayer() {
    m_layers.push_back(std::make_unique<CLayer>());
    return m_layers.back().get();
}

CVector* CQuenkDoc::AddChainToCurrentPen() { return m_curPen ? m_curPen->AddVector() : nullptr; }

namespace {
// CAD colour indices run 1..255, 256 being "by layer"; the colour-to-pen table grows up to
// here so that an answer for any of them is remembered (and stored with the settings).
constexpr std::int32_t kMaxCadColourIndex = 256;

// The pen for a CAD colour: the table's entry, asked for when it names no pen.
std::int32_t PenForColour(std::vector<std::int32_t>& table, std::int32_t colourIndex) {
    const bool storable = colourIndex > 0 && colourIndex <= kMaxCadColourIndex;
    const auto at = static_cast<std::size_t>(colourIndex);
    if (storable && at >= table.size()) table.resize(at + 1, 0);
    std::int32_t p = storable ? table[at] : 0;
    if (p == 0 || p >= kNoTool) {
        // Cancelling leaves the entry, and so the pen used, as it was.
        if (std::optional<int> chosen = Ui().AskPenForColour(colourIndex)) {
            if (*chosen >= 1 && *chosen < kNoTool) {
                p = *chosen;
                if (storable) table[at] = p;
            }
        }
    }
    return p;
}
}  // namespace

CStift* CQuenkDoc::FindOrCreatePen(std::int32_t number, std::int32_t colourIndex) {
    if (!m_curLayer) m_curLayer = AddLayer();
    const std::int32_t pen = colourIndex != 0 ? PenForColour(m_app.m_colourPen, colourIndex) : number;
    CStift* s = m_curLayer->FindPen(pen);
    if (!s) s = m_curLayer->AddPen(pen);
    if (colourIndex >= 1) s->m_colourIndex = colourIndex;
    return s;
}

void CQuenkDoc::RecomputeBox(ChainPoints points, const CLayer* unchangedLayer) {
    RecomputeBox([&](CLayer& layer, DirectionNotes& notes) {
        layer.RecomputeBox(notes, &layer == unchangedLayer ? ChainPoints::Unchanged : points);
    });
}

void CQuenkDoc::RecomputeBox(const std::function<void(CLayer&, DirectionNotes&)>& recomputeLayer) {
    ResetBox(*this);
    for (auto& layer : m_layers) {
        ShowingNotes([&](DirectionNotes& notes) { recomputeLayer(*layer, notes); });
        FoldBox(*this, *layer);
    }
    if (m_maxX <= 0) m_maxX = 0;
}

void CQuenkDoc::TurnAll(std::int32_t clockwise) {
    {
        WaitCursor wait(Ui());
        for (auto& layer : m_layers) {
            if (layer->m_empty) continue;
            m_curLayer = layer.get();
            for (auto& pen : layer->m_pens) {
                if (pen->m_empty) continue;
                m_curPen = pen.get();
                for (auto& chain : pen->m_chains) {
                    if (chain->m_empty) continue;
                    m_curChain = chain.get();
                    chain->SetDirection(clockwise);
                }
            }
        }
    }
    Ui().RequestRedraw();
}

bool CQuenkDoc::ClearAll(bool ask) {
    if (ask && !Ui().AskYesNo(texts::kAskClearAll)) return false;
    m_layers.clear();
    m_curLayer = nullptr;
    m_curPen = nullptr;
    m_curChain = nullptr;
    RecomputeBox();
    m_nothingImported = 1;
    m_importReport = ImportReport{};
    Ui().RequestRedraw();
    return true;
}
