#pragma once
// Collects the program text in a block and hands it to the stream in large pieces: a
// program has millions of short lines, and a stream call per word would dominate the run.

#include <cstddef>
#include <cstring>
#include <ostream>
#include <string_view>

#include "output/format_number.h"

class ProgramBuffer {
public:
    explicit ProgramBuffer(std::ostream& out) : m_out(out) {}
    ~ProgramBuffer() { Flush(); }
    ProgramBuffer(const ProgramBuffer&) = delete;
    ProgramBuffer& operator=(const ProgramBuffer&) = delete;

    // Makes room for one line of words and numbers.
    void Reserve() {
        if (m_pos + kLineRoom > sizeof m_buf) Flush();
    }
    void Put(std::string_view s) {
        if (s.size() > sizeof m_buf - m_pos) {
            Flush();
            m_out.write(s.data(), static_cast<std::streamsize>(s.size()));
            return;
        }
        std::memcpy(m_buf + m_pos, s.data(), s.size());
        m_pos += s.size();
    }
    // After Reserve: words and numbers of one line fit.
    void Word(const char* w, std::size_t n) {
        std::memcpy(m_buf + m_pos, w, n);
        m_pos += n;
    }
    void Word(std::string_view w) { Word(w.data(), w.size()); }
    void Number(double v) { m_pos = static_cast<std::size_t>(FormatNumberTo(v, m_buf + m_pos) - m_buf); }
    void EndLine() {
        m_buf[m_pos++] = '\r';
        m_buf[m_pos++] = '\n';
    }
    void Line(std::string_view s) {
        Put(s);
        Reserve();
        EndLine();
    }
    void Flush() {
        if (m_pos) m_out.write(m_buf, static_cast<std::streamsize>(m_pos));
        m_pos = 0;
    }

    // Words of one line (a feed word's letter and text included) that Reserve makes room for.
    static constexpr std::size_t kWordRoom = 32;

private:
    // Three numbers (X, Y and a feed), their words and the line end.
    static constexpr std::size_t kLineRoom = 3 * kFormatNumberMax + kWordRoom;
    std::ostream& m_out;
    std::size_t m_pos = 0;
    char m_buf[1 << 16];
};
