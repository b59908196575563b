// quenk-cli steps of the machine hand-off and the profile exports.

#include "cli/cli_interaction.h"
#include "cli/steps.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "output/handoff.h"
#include "output/profile.h"
#include "platform/qt_platform.h"

namespace {

// "-> WinPC-PC": the job-file save dialog is answered with JOB when given, else cancelled.
bool WinPc(CliContext& c, const std::vector<std::string>& a, std::string&) {
    if (!a.empty()) c.ui.SetNextFile(a[0]);
    QtPlatform platform;
    OnWinPcHandOff(c.app, platform);
    return true;
}

// The dialog "Info Profil" answered from --max-points, its values shown on stderr.
bool InfoProfilFromOptions(CliInteraction& ui, InfoProfil& info) {
    ui.Err() << "Info Profil: Index maxX " << info.indexMaxX << " Anzahl " << info.countMaxX << ", Index minX "
             << info.indexMinX << " Anzahl " << info.countMinX << ", Index maxY " << info.indexMaxY << " Anzahl "
             << info.countMaxY << ", maxX " << FormatProfileNumber(info.maxXMm) << ", minX "
             << FormatProfileNumber(info.minXMm) << ", maxY bei X = " << FormatProfileNumber(info.maxYAtXMm)
             << ", Profilmitte X = " << FormatProfileNumber(info.middleXMm) << ", Anzahl der Punkte "
             << info.pointCount;
    const int n = ui.Answers().maxPoints;
    if (n == 0) {
        ui.Err() << " -> Abbrechen\n";
        return false;
    }
    ui.Err() << " -> Maximale Ausgangspunkte " << n << '\n';
    info.maxOutputPoints = n;
    return true;
}

bool Profile(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    const std::string& kind = a[0];
    const bool svplus = kind == "svplus", cfwin = kind == "cfwin";
    const bool cfwinProfil = kind == "cfwin-profil", profili = kind == "profili";
    if (!svplus && !cfwin && !cfwinProfil && !profili) {
        error = "KIND must be svplus, cfwin, cfwin-profil or profili, got " + kind;
        return false;
    }
    if ((svplus || cfwin) && c.doc.m_bCorrectionDone) {
        error = kind + " is not available after the radius correction";
        return false;
    }
    CVector* chain = FindChain(c.doc, a[1], error);
    if (!chain) return false;
    c.ui.SetNextFile(a[2]);
    bool written = false;
    if (svplus) {
        written = OnExportSvPlus(*chain);
    } else if (cfwin) {
        written = OnExportCfwin(*chain);
    } else {
        CProfile profile;
        profile.m_format = profili ? kProfileProfili : kProfileCfwin;
        written = profile.Export(*chain, c.app.m_plotterUnit,
                                 [&](InfoProfil& info) { return InfoProfilFromOptions(c.ui, info); });
    }
    if (written) return true;
    error = "no profile written to " + a[2];
    return false;
}

}  // namespace

const std::vector<StepSpec>& HandoffSteps() {
    static const std::vector<StepSpec> steps = {
        {"winpc", 0, 1,
         "winpc [JOB]      \"-> WinPC-PC\": save the job to JOB (if given), write the program beside WinPC-NC "
         "and start it (see docs/handoff.md)",
         WinPc},
        {"profile", 3, 3,
         "profile svplus|cfwin|cfwin-profil|profili LAYER:PEN:CHAIN PATH  write the chain as an airfoil "
         "profile file (--max-points N answers \"Info Profil\")",
         Profile},
    };
    return steps;
}
