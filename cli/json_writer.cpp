#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void JsonWriter::Separate() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back()) m_out << ',';
        m_hasItems.back() = true;
    }
}

void JsonWriter::BeginObject() {
    Separate();
    m_out << '{';
    m_hasItems.push_back(false);
}

void JsonWriter::EndObject() {
    m_hasItems.pop_back();
    m_out << '}';
}

void JsonWriter::BeginArray() {
    Separate();
    m_out << '[';
    m_hasItems.push_back(false);
}

void JsonWriter::EndArray() {
    m_hasItems.pop_back();
    m_out << ']';
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    WriteString(key);
    m_out << ':';
    m_afterKey = true;
    return *this;
}

void JsonWriter::String(std::string_view s) {
    Separate();
    WriteString(s);
}

void JsonWriter::WriteString(std::string_view s) {
    m_out << '"';
    for (unsigned char c : s) {
        switch (c) {
            case '"': m_out << "\\\""; break;
            case '\\': m_out << "\\\\"; break;
            case '\n': m_out << "\\n"; break;
            case '\r': m_out << "\\r"; break;
            case '\t': m_out << "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    m_out << buf;
                } else {
                    m_out << static_cast<char>(c);
                }
        }
    }
    m_out << '"';
}

void JsonWriter::Int(std::int64_t v) {
    Separate();
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    m_out.write(buf, res.ptr - buf);
}

void JsonWriter::Double(double v) {
    Separate();
    if (!std::isfinite(v)) {
        m_out << "null";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    m_out.write(buf, res.ptr - buf);
}

void JsonWriter::Bool(bool b) {
    Separate();
    m_out << (b ? "true" : "false");
}

void JsonWriter::Null() {
    Separate();
    m_out << "null";
}
