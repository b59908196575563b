// The hand-off to WinPC-NC and the serial controller's port.

#include "output/handoff.h"

#include <optional>

#include "model/platform.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/gcode.h"
#include "files/job_file.h"

namespace {
// The registry value is read into a buffer of this many bytes, its terminating zero
// included; a longer path counts as not found.
constexpr std::size_t kPathBuffer = 80;
// The characters of the program's extension that the marker and hand-off names replace.
constexpr std::size_t kExtensionLength = 3;
// How long the hand-off waits for a freshly started WinPC-NC before it writes again.
constexpr int kStartWaitMilliseconds = 1000;

// The driver's queues: room for a long answer of the controller, little to send ahead.
constexpr std::int32_t kInputQueue = 32768;
constexpr std::int32_t kOutputQueue = 2048;
constexpr std::int32_t kControllerBaud = 115200;
constexpr std::int32_t kControllerDataBits = 8;
constexpr std::int32_t kControllerStopBits = 1;

std::string WithExtension(const std::string& path, const char* extension) {
    return path.substr(0, path.size() - kExtensionLength) + extension;
}
}  // namespace

void OnWinPcHandOff(CQuenkApp& app, Platform& platform) {
    // Whether the job is saved or not, the hand-off follows.
    OnSaveJob(app);
    if (!platform.RegistryKeyExists(kWinPcRegistryKey)) return;
    const std::optional<std::string> program = platform.ReadRegistryString(kWinPcRegistryKey, kWinPcPathValue);
    // A path too short to hold an extension names no program file either; cutting three
    // characters off it would reach before its start.
    if (!program || program->size() + 1 > kPathBuffer || program->size() < kExtensionLength) {
        Ui().Message(texts::kWinPcNotFound);
        return;
    }
    const std::string marker = WithExtension(*program, "FIL");
    const std::string handOff = WithExtension(*program, "TMP");

    // With the marker there WinPC-NC runs and only needs the file. A G-code fault has been
    // shown by the writer; WinPC-NC is started all the same.
    const bool running = platform.FileExists(marker);
    app.m_skipOverwriteQuestion = 1;
    WriteGCode(app, handOff);
    if (running) return;
    if (!platform.StartProgram(*program, kStartWaitMilliseconds)) {
        Ui().Message(texts::kWinPcNotStarted);
        return;
    }
    // WinPC-NC may still be starting: the program is written once more after the wait, so
    // that the file is there, complete, whatever the control program did with it meanwhile.
    app.m_skipOverwriteQuestion = 1;
    WriteGCode(app, handOff);
}

std::string ComPortName(std::int32_t number) { return "COM" + std::to_string(number); }

std::unique_ptr<SerialPort> OpenControllerPort(Platform& platform, const std::string& name) {
    std::unique_ptr<SerialPort> port = platform.OpenSerialPort(name);
    if (!port) {
        Ui().Message(texts::kComOpenError);
        return nullptr;
    }
    // A port that cannot be set up is closed again at once (the controller is switched
    // off), so that it is free for another program.
    if (!port->SetQueueSizes(kInputQueue, kOutputQueue)) {
        Ui().Message(texts::kComBufferError);
        return nullptr;
    }
    std::optional<SerialLineSettings> settings = port->ReadSettings();
    if (!settings) return nullptr;
    settings->baudRate = kControllerBaud;
    settings->dataBits = kControllerDataBits;
    settings->stopBits = kControllerStopBits;
    settings->parityCheck = false;
    settings->ctsOutputFlow = false;
    settings->dsrOutputFlow = false;
    settings->dtrOn = false;
    settings->rtsOn = false;
    settings->dsrSensitivity = false;
    if (!port->WriteSettings(*settings)) return nullptr;
    return port;
}

bool OpenComPort(CQuenkApp& app, Platform& platform) {
    // The port is opened unshared: a port this program still holds would refuse it.
    app.m_comHandle.reset();
    app.m_comHandle = OpenControllerPort(platform, ComPortName(app.m_comPort));
    return app.m_comHandle != nullptr;
}

void SwitchOnComPort(CQuenkApp& app, Platform& platform) {
    if (OpenComPort(app, platform)) return;
    Ui().Message(texts::kComPortUnavailable);
    app.m_bUseComPort = 0;
}

void CloseComPort(CQuenkApp& app) { app.m_comHandle.reset(); }

bool OnSerialStart(CQuenkApp& app) {
    if (!app.m_bUseComPort) {
        Ui().Message(texts::kNoSerialController);
        return false;
    }
    // What is then sent to the controller is not defined: the port is opened and set up,
    // and nothing is written to it.
    return Ui().ConfirmLotrixInfo() && Ui().ConfirmLotrixSet();
}
