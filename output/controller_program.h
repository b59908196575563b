#pragma once
// The program a controller on the serial port is sent, made in memory by the G-code
// generator; the one place that chooses the words the controller gets.

#include <optional>
#include <string>

class CQuenkApp;

// The milling job's program, or nothing when the generator stopped (its messages and the
// pass question went through the Interaction as for a file).
std::optional<std::string> ControllerProgram(CQuenkApp& app);
