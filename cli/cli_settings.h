#pragma once
// Reading and writing the settings file for quenk-cli: the same code the program uses, but a
// settings file is never rewritten unless --write-settings asks for it.

#include <string>

class CQuenkApp;

// Reads path, or ./QuenkV4.dat when path is empty; a missing default file leaves the defaults.
bool LoadCliSettings(CQuenkApp& app, const std::string& path, std::string& error);
bool WriteCliSettings(CQuenkApp& app, const std::string& path, std::string& error);
