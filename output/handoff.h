#pragma once
// Passing the milling job to the machine: the G-code program written beside the outside
// control program WinPC-NC, which is started when it is not running, and the serial port of
// the serial controller ("Lotrix"), opened and set up for the run of the program.

#include <cstdint>
#include <string>

class CQuenkApp;
class Platform;

namespace texts {
inline constexpr const char* kWinPcNotFound = "WinPC-NC nicht gefunden";
inline constexpr const char* kWinPcNotStarted = "WinPC-NC nicht gestartet";
inline constexpr const char* kComOpenError = "COM Open Error";
inline constexpr const char* kComBufferError = "COM Buffer Error";
inline constexpr const char* kComPortUnavailable = "Kann COM-Port nicht öffnen";
inline constexpr const char* kNoSerialController = "Zelvator oder Lotrix nicht vorhanden";
// The safety notice before a start on the serial controller, its lines and buttons.
inline constexpr const char* kLotrixInfoLines[] = {
    "Achtung Unfallgefahr !!!",
    "Beachten Sie die Unfallverhütungsvorschriften !!",
    "Versehen Sie die Maschine mit einem NOT-AUS-TASTER !!",
    "Sie arbeiten auf eigene Gefahr !!",
};
inline constexpr const char* kLotrixInfoAgree = "Ich stimme zu";
inline constexpr const char* kLotrixInfoDisagree = "Nicht einverstanden";
// The start set-up: the machine at its zero point, the controller in automatic mode.
inline constexpr const char* kLotrixSetText =
    "Fahren Sie die Maschine auf den Nullpunkt und schalten Sie die Steuerung auf Automatik.";
inline constexpr const char* kLotrixSetOk = "OK";
inline constexpr const char* kLotrixSetCancel = "Abbrechen";
}  // namespace texts

// Where WinPC-NC keeps its installation path, under the current user.
inline constexpr const char* kWinPcRegistryKey = "Software\\BLSoft\\WinPC-NC";
inline constexpr const char* kWinPcPathValue = "EXEPath";

// The command "-> WinPC-PC": offers the job-file save, then writes the program beside
// WinPC-NC and starts it when its marker file is missing. Every outcome is shown.
void OnWinPcHandOff(CQuenkApp& app, Platform& platform);

// The port's name for a COM port number: "COM3" for 3.
std::string ComPortName(std::int32_t number);
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
