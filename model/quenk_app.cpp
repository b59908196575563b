#include "model/quenk_app.h"

#include "model/platform.h"
#include "model/fraes_kontur.h"

CQuenkApp::CQuenkApp() {
    // Every "Fräser" check box of the milling panel starts ticked.
    if (m_toolUsed.empty()) m_toolUsed.assign(kTableSize, 1);
}

CQuenkApp::~CQuenkApp() = default;

DrawingFrames FramesInDrawingUnits(const CQuenkApp& app) {
    const double u = app.m_plotterUnit;
    return {app.m_machineX / u,     app.m_machineY / u,  app.m_materialZeroX / u,
            app.m_materialZeroY / u, app.m_materialX / u, app.m_materialY / u};
}
