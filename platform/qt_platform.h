#pragma once
// The core's platform services over Qt 6.
//
// Registry: on Windows the current user's registry through QSettings; elsewhere a key
// "Software\<Organisation>\<Application>" is QSettings' native file for that organisation
// and application, on Linux $XDG_CONFIG_HOME/<Organisation>/<Application>.conf (by default
// ~/.config/BLSoft/WinPC-NC.conf for WinPC-NC), its values in the section [General].
//
// Serial ports: Windows opens "COMn" by that name. Elsewhere the application profile may
// name the device of a port, key "Ports/COMn" in $XDG_CONFIG_HOME/Quenk/Quenk.conf (for
// example COM3=/dev/ttyUSB0 in the section [Ports]); without it "COMn" is /dev/ttyS(n-1).

#include <QString>

#include "model/platform.h"

class QtPlatform : public Platform {
public:
    bool RegistryKeyExists(const std::string& key) override;
    std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& value) override;
    bool FileExists(const std::string& path) override;
    bool StartProgram(const std::string& path, int waitMilliseconds) override;
    std::unique_ptr<SerialPort> OpenSerialPort(const std::string& name) override;
};

// The device that a port name stands for on this system.
QString SerialDeviceFor(const QString& portName);
// Qt's own serial port, which configures a port but cannot stream to a controller.
std::unique_ptr<SerialPort> OpenQtSerialPort(const QString& device);
