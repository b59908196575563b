#include "model/quenk_app.h"

#include "model/platform.h"
#include "model/fraes_kontur.h"

CQuenkApp::CQuenkApp() {
    UpdateDerivedValues();
    // Every "Fräser" check box of the milling panel starts ticked.
    if (m_toolUsed.empty()) m_toolUsed.assign(kTableSize, 1);
}

CQuenkApp::~CQuenkApp() = default;

void CQuenkApp::UpdateDerivedValues() {
    const double u = m_plotterUnit;
    m_machineXUnits = m_machineX / u;
    m_machineYUnits = m_machineY / u;
    m_materialXUnits = m_materialX / u;
    m_materialYUnits = m_materialY / u;
    m_materialZeroXUnits = m_materialZeroX / u;
    m_materialZeroYUnits = m_materialZeroY / u;
}
