#pragma once
// The document: the drawing's layers with their pens and chains, the document box, the
// HPGL reader's state that carries over between imports, and the flags that enable commands.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/import_report.h"
#include "model/layer.h"

class CQuenkApp;

class CQuenkDoc {
public:
    // Creating a document resets the program-wide count of direction warnings.
    explicit CQuenkDoc(CQuenkApp& app);
    ~CQuenkDoc();
    CQuenkDoc(const CQuenkDoc&) = delete;
    CQuenkDoc& operator=(const CQuenkDoc&) = delete;

    CLayer* AddLayer();
    CVector* AddChainToCurrentPen();
    CStift* FindOrCreatePen(std::int32_t number, std::int32_t colourIndex);
    // Recomputes every chain and every box and shows the chains' direction messages in list
    // order. Unchanged: nobody changed any chain's points since its last Recompute (see
    // CVector::RecomputeUnchanged); the import uses it between steps it controls. A layer
    // given as unchangedLayer counts as unchanged whatever `points` says of the others.
    void RecomputeBox(ChainPoints points = ChainPoints::MayHaveChanged, const CLayer* unchangedLayer = nullptr);
    // The same walk with each layer's own recomputation done by the caller, which adds the
    // layer's notes to the list it is given; they are shown after the layer, also when its
    // recomputation throws.
    void RecomputeBox(const std::function<void(CLayer&, DirectionNotes&)>& recomputeLayer);
    void TurnAll(std::int32_t clockwise);
    // Asks "Wollen Sie alles löschen? " when ask is set; returns whether it cleared.
    bool ClearAll(bool ask = false);

    CQuenkApp& App() { return m_app; }
    const CQuenkApp& App() const { return m_app; }

    std::string m_drawingName;
    std::int32_t m_bCorrectionDone = 0;
    double m_joinDistanceUnits = 0.0;
    double m_plotterUnit = 0.025;
    double m_importTargetY = 0.0, m_importTargetX = 0.0;
    std::int32_t m_nothingImported = 1;
    std::int32_t m_bCadImported = 0;
    std::int32_t m_unknownMessages = 0;
    double m_minY = 0.0, m_maxY = 0.0, m_minX = 0.0, m_maxX = 0.0;
    double m_outerMinY = 0.0, m_outerMaxY = 0.0, m_outerMinX = 0.0, m_outerMaxX = 0.0;

    // HPGL reader state kept between imports (scaling and relative mode are reset per import).
    CPunkt m_hpglPos{0.0, 0.0};
    std::int32_t m_penUp = 1;
    std::int32_t m_relative = 0;
    double m_scaleX = 1.0, m_scaleY = 1.0;
    double m_scaleMinX = 0.0, m_scaleMinY = 0.0;
    double m_offsetX = 0.0, m_offsetY = 0.0;
    CPunkt m_p1{0.0, 0.0}, m_p2{0.0, 0.0};
    std::int32_t m_showUnknown = 0;
    std::int32_t m_currentPenNumber = 0;

    double m_pi = kPi;
    // What the last drawing import found.
    ImportReport m_importReport;
    std::string m_importPath;
    std::int32_t m_importOrder = 0;
    std::vector<std::unique_ptr<CLayer>> m_layers;
    CLayer* m_curLayer = nullptr;
    CStift* m_curPen = nullptr;
    CVector* m_curChain = nullptr;

private:
    CQuenkApp& m_app;
};
