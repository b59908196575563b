#include "ui/command_rules.h"

#include <QStatusBar>
#include <QToolBar>

#include "model/document.h"
#include "model/mouse_modes.h"
#include "model/quenk_app.h"
#include "prepare/shapes.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"
#include "ui/mouse_commands.h"

CQuenkDoc* CommandContext::Doc() const { return window ? &window->Document() : nullptr; }
CQuenkView* CommandContext::View() const { return window ? &window->View() : nullptr; }

bool IsEnabled(EnableRule rule, const CommandContext& ctx) {
    const CQuenkDoc* doc = ctx.Doc();
    const bool drawing = doc && doc->m_nothingImported == 0;
    switch (rule) {
    case EnableRule::Always: return true;
    case EnableRule::Never: return false;
    case EnableRule::Drawing: return drawing;
    case EnableRule::Corrected: return doc && doc->m_bCorrectionDone != 0;
    case EnableRule::DrawingNotExport: return drawing && ctx.app.m_nMouseMode != kMouseModeExport;
    case EnableRule::WasEmptyAtImport: return ctx.window && ctx.window->m_bWasEmptyAtImport;
    case EnableRule::NoDrawingWidth: return doc && ShapeCommandsEnabled(*doc);
    case EnableRule::CadReader: return ctx.frame.m_bCadReaderReady;
    case EnableRule::Document: return doc != nullptr;
    case EnableRule::DocumentNotExport: return doc && ctx.app.m_nMouseMode != kMouseModeExport;
    case EnableRule::CorrectedNotExport:
        return doc && doc->m_bCorrectionDone != 0 && ctx.app.m_nMouseMode != kMouseModeExport;
    case EnableRule::CadNotExport: return doc && doc->m_bCadImported != 0 && ctx.app.m_nMouseMode != kMouseModeExport;
    case EnableRule::UndoAvailable: return CanUndoDelete(ctx);
    }
    return false;
}

bool IsChecked(CheckRule rule, const CommandContext& ctx) {
    const CQuenkView* view = ctx.View();
    const DisplayFlags none{};
    const DisplayFlags& f = view ? view->Flags() : none;
    const int mode = ctx.app.m_nColorMode;
    switch (rule) {
    case CheckRule::None: return false;
    case CheckRule::ColourMode0: return mode == 0;
    case CheckRule::ColourMode1: return mode == 1;
    case CheckRule::ColourMode4: return mode == 4;
    case CheckRule::ColourMode5: return mode == 5;
    case CheckRule::ToolPath: return view && f.toolPath;
    case CheckRule::StartPoints: return view && f.startPoints;
    case CheckRule::EndPoints: return view && f.endPoints;
    case CheckRule::AllPoints: return view && f.allPoints;
    case CheckRule::Problems: return view && f.problems;
    case CheckRule::RadiusPoints: return view && f.radiusPoints;
    case CheckRule::ModelSpace: return ctx.app.m_bLoadModelspace != 0;
    case CheckRule::RemainingBlocks: return ctx.app.m_bLoadRemainingBlocks != 0;
    case CheckRule::PaperSpace: return ctx.app.m_bLoadPaperspace != 0;
    case CheckRule::ToolBar: return !ctx.frame.MainBar()->isHidden();
    case CheckRule::StatusBar: return !ctx.frame.statusBar()->isHidden();
    default: break;
    }
    // The mouse functions, in the order of the enum.
    constexpr int kModes[] = {0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const auto k = static_cast<std::size_t>(rule) - static_cast<std::size_t>(CheckRule::Mouse0);
    if (k < std::size(kModes)) return ctx.app.m_nMouseMode == kModes[k];
    return false;
}
