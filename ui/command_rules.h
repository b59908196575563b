#pragma once
// The enable and check rules of the command table, evaluated for the active drawing.

#include "ui/command_table.h"

bool IsEnabled(EnableRule rule, const CommandContext& ctx);
bool IsChecked(CheckRule rule, const CommandContext& ctx);
