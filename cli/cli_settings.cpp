#include "cli/cli_settings.h"

#include "model/quenk_app.h"

bool LoadCliSettings(CQuenkApp&, const std::string&, std::string&) { return true; }

bool WriteCliSettings(CQuenkApp&, const std::string&, std::string& error) {
    error = "writing settings is not available yet";
    return false;
}
