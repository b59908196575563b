#include "ui/dialog_hooks.h"

#include "ui/command_context.h"

std::optional<TabSettings> AskTabSettings(CommandContext&, const TabSettings&) { return std::nullopt; }

std::optional<int> AskChainTool(CommandContext&, const CVector&) { return std::nullopt; }

bool AskToolPenChange(CommandContext&, CStift&, CVector&) { return false; }

bool AskInfoProfil(CommandContext&, InfoProfil&) { return false; }
