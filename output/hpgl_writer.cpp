#include "output/hpgl_writer.h"

#include <charconv>

namespace {
// Every statement ends with these three bytes, the last one of the file included.
constexpr const char* kEnd = ";\r\n";

void AppendInt(std::string& out, std::int32_t v) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}
}  // namespace

void HpglWriter::Statement(const char* word) {
    m_out += word;
    m_out += kEnd;
}

void HpglWriter::Statement(const char* word, std::int32_t n) {
    m_out += word;
    AppendInt(m_out, n);
    m_out += kEnd;
}

void HpglWriter::Statement(const char* word, const std::pair<std::int32_t, std::int32_t>& p) {
    m_out += word;
    AppendInt(m_out, p.first);
    m_out += ',';
    AppendInt(m_out, p.second);
    m_out += kEnd;
}

void HpglWriter::Header() { Statement("IN;PU;VS38"); }

void HpglWriter::Trailer() { m_out += "PU;SP0;"; }

void HpglWriter::PenSelect(std::int32_t n) { Statement("SP", n); }

void HpglWriter::LiftAndSelect(std::int32_t n) {
    Statement("PU");
    Statement("SP", n);
}

void HpglWriter::LiftAndSelectTwice(std::int32_t n) {
    Statement("PU");
    Statement("PU;SP", n);
}

void HpglWriter::Lead(const HpglPoints& p) {
    Statement("PU");
    Statement("PA", p[0]);
    // A single point is drawn where the pen comes down.
    if (p.size() == 1)
        Statement("PD", p[0]);
    else
        Statement("PD");
}

void HpglWriter::Polyline(const HpglPoints& p) {
    if (p.empty()) return;
    Lead(p);
    for (std::size_t i = 1; i < p.size(); ++i) Statement("PA", p[i]);
}

void HpglWriter::Dot(const HpglPoints& p) {
    if (!p.empty()) Lead(p);
}
