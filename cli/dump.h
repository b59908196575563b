#pragma once
// The `dump` step: the whole document and the application state as one JSON object.

#include <ostream>

#include "cli/json_writer.h"

class CQuenkApp;
class CQuenkDoc;

// Points as an array of [x, y] pairs.
template <typename PointRange>
void JsonPoints(JsonWriter& j, const PointRange& points) {
    j.BeginArray();
    for (const auto& p : points) {
        j.BeginArray();
        j.Double(p.x);
        j.Double(p.y);
        j.EndArray();
    }
    j.EndArray();
}

void DumpJson(std::ostream& out, const CQuenkDoc& doc, const CQuenkApp& app);
