#pragma once
// A serial port over the POSIX terminal interface. Unlike Qt's port it reads nothing behind
// the caller's back, so a sender on its own thread sees every byte the controller answers.
// Needs no Qt: the core's tests and benchmarks drive it on a pseudo-terminal.

#include <memory>
#include <string>

#include "model/platform.h"

// Opens the terminal device for reading and writing, unshared; nothing when it cannot be
// opened or is no terminal.
std::unique_ptr<SerialPort> OpenPosixSerialPort(const std::string& device);
