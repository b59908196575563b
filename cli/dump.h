#pragma once
// The `dump` step: the whole document and the application state as one JSON object.

#include <ostream>

class CQuenkApp;
class CQuenkDoc;

void DumpJson(std::ostream& out, const CQuenkDoc& doc, const CQuenkApp& app);
