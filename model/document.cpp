#include "model/document.h"

#include "model/box.h"
#include "model/quenk_app.h"
#include "model/session.h"

#include <optional>

namespace {
constexpr const char* kAskClearAll = "Wollen Sie alles löschen? ";
}

CQuenkDoc::CQuenkDoc(CQuenkApp& app) : m_app(app) {
    CurrentSession().directionWarnings = 0;
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

CStift* CQuenkDoc::FindOrCreatePen(std::int32_t number, std::int32_t colourIndex) {
    if (!m_curLayer) m_curLayer = AddLayer();
    std::int32_t pen = number;
    if (colourIndex != 0) {
        std::vector<std::int32_t>& table = m_app.m_colourPen;
        const bool inTable = colourIndex > 0 && static_cast<std::size_t>(colourIndex) < table.size();
        std::int32_t p = inTable ? table[static_cast<std::size_t>(colourIndex)] : 0;
        if (p == 0 || p >= kNoTool) {
            if (std::optional<int> chosen = Ui().AskPenForColour(colourIndex)) {
                if (*chosen >= 1 && *chosen <= 16) {
                    p = *chosen;
                    if (inTable) table[static_cast<std::size_t>(colourIndex)] = p;
                }
            }
        }
        pen = p;
    }
    for (auto& s : m_curLayer->m_pens) {
        if (s->m_number == pen) {
            if (colourIndex >= 1) s->m_colourIndex = colourIndex;
            return s.get();
        }
    }
    CStift* s = m_curLayer->AddPen(pen);
    if (colourIndex >= 1) s->m_colourIndex = colourIndex;
    return s;
}

void CQuenkDoc::RecomputeBox() {
    ResetBox(*this);
    for (auto& layer : m_layers) {
        layer->RecomputeBox();
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
    if (ask && !Ui().AskYesNo(kAskClearAll)) return false;
    m_layers.clear();
    m_curLayer = nullptr;
    m_curPen = nullptr;
    m_curChain = nullptr;
    RecomputeBox();
    m_nothingImported = 1;
    Ui().RequestRedraw();
    return true;
}
