#pragma once
// quenk-cli options that edit the tool and pen tables, as the tools dialogs would.

#include <functional>
#include <string>

class CQuenkApp;

using AppEdit = std::function<bool(CQuenkApp&, std::string& error)>;

// Recognises opt with its value; returns false when opt is none of the tool options.
// On a malformed value, error is set and the returned edit is empty.
bool ParseToolOption(const std::string& opt, const std::string& value, AppEdit& edit, std::string& error);

// Whether opt is one of the tool options (they all take a value).
bool IsToolOption(const std::string& opt);
