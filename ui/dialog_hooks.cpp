#include "ui/dialog_hooks.h"

#include "model/quenk_app.h"
#include "ui/command_context.h"
#include "ui/drawing_view.h"

std::optional<TabSettings> AskTabSettings(CommandContext&, const TabSettings&) { return std::nullopt; }

std::optional<int> AskChainTool(CommandContext&, const CVector&) { return std::nullopt; }

bool AskToolPenChange(CommandContext&, CStift&, CVector&) { return false; }

bool AskInfoProfil(CommandContext&, InfoProfil&) { return false; }

// The frame's own switch (tool bars, menu bar, a new milling document) replaces this; until
// then the mode flags change and the view shows the milling list.
void EnterMillingMode(CommandContext& ctx) {
    ctx.app.m_bMillingMode = 1;
    ctx.app.m_nColorMode = 5;
    ctx.app.m_nMouseMode = 9;
    if (CQuenkView* view = ctx.View()) view->update();
}
