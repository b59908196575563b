#include "import/import_command.h"

bool ImportFile(CQuenkDoc&, const std::string&) { return false; }
