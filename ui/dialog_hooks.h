#pragma once
// The dialogs that the mouse functions and context commands open, each defined beside its
// dialog class.

#include <optional>

#include "output/profile.h"
#include "toolpath/pick.h"

struct CommandContext;
class CStift;
class CVector;

// "Stege einfügen": the tab dialog preset with the view's values; the values of "OK".
std::optional<TabSettings> AskTabSettings(CommandContext& ctx, const TabSettings& current);
// "RK auf Vektor": the correction dialog preset with the chain's tool; the tool of "OK".
std::optional<int> AskChainTool(CommandContext& ctx, const CVector& chain);
// "Werkzeug aendern": "Werkzeug / Stift aendern" for the chain; true on "OK" (the dialog has
// set the chain's tool).
bool AskToolPenChange(CommandContext& ctx, CStift& pen, CVector& chain);
// "Info Profil" of the reduced profile exports; true on "OK".
bool AskInfoProfil(CommandContext& ctx, InfoProfil& info);
