#include "ui/dialog_hooks.h"

#include "ui/command_context.h"

// The reduced profile exports ask nothing yet: "Abbrechen" exports nothing.
bool AskInfoProfil(CommandContext&, InfoProfil&) { return false; }
