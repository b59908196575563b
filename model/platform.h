#pragma once
// What the machine hand-off needs of the operating system: a registry value, a file-status
// query, starting a program, and a serial port. The core sees only this interface; the
// desktop program and quenk-cli hand it their implementation over Qt (platform/), the tests
// a double. Like Interaction, it never shows anything itself.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The line settings of a serial port in the terms the program sets them: the fields it
// changes, and the parity scheme, which it leaves as it was read.
struct SerialLineSettings {
    std::int32_t baudRate = 0;
    std::int32_t dataBits = 0;
    std::int32_t stopBits = 0;  // 1 or 2; 15 stands for one and a half
    enum class Parity : std::uint8_t { None, Even, Odd, Mark, Space } parity = Parity::None;
    bool parityCheck = false;     // received bytes are checked against the parity
    bool ctsOutputFlow = false;   // output waits for CTS
    bool dsrOutputFlow = false;   // output waits for DSR
    bool dtrOn = false;           // DTR raised while the port is open
    bool rtsOn = false;           // RTS raised while the port is open
    bool dsrSensitivity = false;  // input is ignored while DSR is low
};

// An open serial port; destroying it closes the port.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // The sizes of the driver's receive and transmit queues in bytes; false when refused.
    virtual bool SetQueueSizes(std::int32_t input, std::int32_t output) = 0;
    virtual std::optional<SerialLineSettings> ReadSettings() = 0;
    virtual bool WriteSettings(const SerialLineSettings& settings) = 0;

    // Talking to a controller. One thread at a time uses these, and nothing else uses the
    // port meanwhile. A port that cannot stream says so, and fails both.
    virtual bool CanStream() const { return false; }
    // Writes every byte; false when the device failed or is gone.
    virtual bool Write(std::string_view) { return false; }
    // Waits at most timeoutMs for bytes and appends what arrived; true with nothing appended
    // on a timeout, false when the device failed or is gone.
    virtual bool Read(std::string&, int /*timeoutMs*/) { return false; }
};

class Platform {
public:
    virtual ~Platform() = default;
    // Whether the key of the current user's registry exists ("Software\BLSoft\WinPC-NC").
    virtual bool RegistryKeyExists(const std::string& key) = 0;
    // The string value of that key, as bytes without a terminating zero; nothing when the
    // value is missing or not a string.
    virtual std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& value) = 0;
    // Whether a file-status query on path succeeds.
    virtual bool FileExists(const std::string& path) = 0;
    // Starts the program with no command line, inheriting no handles. When it started, waits
    // for it to end at most waitMilliseconds and returns true; the program is never stopped.
    virtual bool StartProgram(const std::string& path, int waitMilliseconds) = 0;
    // Opens the port by its name ("COM3") for reading and writing, unshared; nothing on
    // failure.
    virtual std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name) = 0;
};
