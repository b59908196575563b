#pragma once
// The import command: dispatch by file extension.

#include <string>

class CQuenkDoc;

bool ImportFile(CQuenkDoc& doc, const std::string& path);
