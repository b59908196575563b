#pragma once
// What GRBL 1.1's numbered answers mean, in German: "error:N" for a line it refused and
// "ALARM:N" for a stop of the machine.

#include <string>

// The meaning of "error:code"; a general text for a number GRBL 1.1 does not use.
std::string GrblErrorMeaning(int code);
// The meaning of "ALARM:code"; likewise.
std::string GrblAlarmMeaning(int code);
