#pragma once
// Passing the milling job to the machine: the G-code program written beside the outside
// control program WinPC-NC, which is started when it is not running, and the serial port of
// the serial controller ("Lotrix"), opened and set up for the run of the program.

#include <cstdint>
#include <memory>
#include <string>

#include "output/texts.h"

class CQuenkApp;
class Platform;
class SerialPort;

// Where WinPC-NC keeps its installation path, under the current user.
inline constexpr const char* kWinPcRegistryKey = "Software\\BLSoft\\WinPC-NC";
inline constexpr const char* kWinPcPathValue = "EXEPath";

// The command "-> WinPC-PC": offers the job-file save, then writes the program beside
// WinPC-NC and starts it when its marker file is missing. Every outcome is shown.
void OnWinPcHandOff(CQuenkApp& app, Platform& platform);

// The port's name for a COM port number: "COM3" for 3.
std::string ComPortName(std::int32_t number);
// Opens the port by its name ("COM3", or a device such as /dev/ttyUSB0) and sets its queues
// and line settings for the controller: 115200 baud, 8N1, no flow control. Nothing when that
// failed; the failures that have a message were shown.
std::unique_ptr<SerialPort> OpenControllerPort(Platform& platform, const std::string& name);
// Opens the port m_comPort, sets its queues and line settings and keeps it in m_comHandle;
// true when the port is open and set up. A port that could not be set up is closed again.
bool OpenComPort(CQuenkApp& app, Platform& platform);
// At start-up and when the settings switch the controller on: opens the port, and when that
// fails says so and switches the controller off.
void SwitchOnComPort(CQuenkApp& app, Platform& platform);
// At exit.
void CloseComPort(CQuenkApp& app);

// The command "WinPC" of the serial controller: the two confirmations before a start. The
// caller has read the milling panel's tool check boxes into m_toolUsed. True when both
// were confirmed.
bool OnSerialStart(CQuenkApp& app);
