#include "cli/tool_options.h"

#include <charconv>
#include <vector>

#include "model/quenk_app.h"
#include "toolpath/tool_data.h"

namespace {

std::vector<std::string> SplitColons(const std::string& s) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto colon = s.find(':', start);
        parts.push_back(s.substr(start, colon - start));
        if (colon == std::string::npos) return parts;
        start = colon + 1;
    }
}

template <typename T>
bool Parse(const std::string& s, T& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

bool ToolNumber(const std::string& s, int& tool) { return Parse(s, tool) && tool >= kFirstTool && tool <= kLastTool; }

}  // namespace

bool IsToolOption(const std::string& opt) {
    return opt == "--tool" || opt == "--pen-tool" || opt == "--tool-depth" || opt == "--tool-feed" ||
           opt == "--tool-off";
}

bool ParseToolOption(const std::string& opt, const std::string& value, AppEdit& edit, std::string& error) {
    const std::vector<std::string> p = SplitColons(value);
    int tool = 0;
    if (opt == "--tool") {
        ToolDataOptions options;
        if (p.size() < 2 || p.size() > 3 || !Parse(p[0], options.tool) || !Parse(p[1], options.diameter) ||
            (p.size() == 3 && p[2] != "right" && p[2] != "left")) {
            error = "--tool needs N:DIAMETER[:right|left] with N 1..16";
            return true;
        }
        if (p.size() == 3) options.right = p[2] == "right";
        error = options.Validate();
        if (!error.empty()) {
            error = "--tool " + value + ": " + error;
            return true;
        }
        edit = [=](CQuenkApp& app, std::string&) { return SetToolData(app, options); };
        return true;
    }
    if (opt == "--pen-tool") {
        int pen = 0, function = 0;
        if (p.size() != 3 || !Parse(p[0], pen) || pen < kFirstTool || pen > kLastTool || !Parse(p[1], tool) || tool < 0 ||
            tool > kLastTool || !Parse(p[2], function) || function < 0 || function > 2) {
            error = "--pen-tool needs PEN:TOOL:FUNCTION with PEN 1..16, TOOL 0..16, FUNCTION 0..2";
            return true;
        }
        edit = [=](CQuenkApp& app, std::string&) {
            TableEntry(app.m_penTool, pen) = tool;
            TableEntry(app.m_penFunction, pen) = function;
            return true;
        };
        return true;
    }
    if (opt == "--tool-depth") {
        double depth = 0;
        if (p.size() != 2 || !ToolNumber(p[0], tool) || !Parse(p[1], depth)) {
            error = "--tool-depth needs N:MM with N 1..16";
            return true;
        }
        edit = [=](CQuenkApp& app, std::string&) {
            TableEntry(app.m_toolDepth, tool) = depth;
            return true;
        };
        return true;
    }
    if (opt == "--tool-feed") {
        double xy = 0, z = 0;
        if (p.size() < 2 || p.size() > 3 || !ToolNumber(p[0], tool) || !Parse(p[1], xy) ||
            (p.size() == 3 && !Parse(p[2], z))) {
            error = "--tool-feed needs N:XY[:Z] (mm/s) with N 1..16";
            return true;
        }
        const bool hasZ = p.size() == 3;
        edit = [=](CQuenkApp& app, std::string&) {
            TableEntry(app.m_toolFeedXY, tool) = xy;
            if (hasZ) TableEntry(app.m_toolFeedZ, tool) = z;
            return true;
        };
        return true;
    }
    if (opt == "--tool-off") {
        if (!ToolNumber(value, tool)) {
            error = "--tool-off needs a tool number 1..16";
            return true;
        }
        edit = [=](CQuenkApp& app, std::string&) {
            TableEntry(app.m_toolUsed, tool) = 0;
            return true;
        };
        return true;
    }
    return false;
}
