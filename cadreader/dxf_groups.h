#pragma once
// The group stream of a DXF file: pairs of a group code and a value, read from the ASCII form
// (two lines per group) or the binary form (a code of one byte in R12, two bytes later, and a
// value whose type the code fixes). Nothing is copied: text values point into the file's bytes.
// Every read checks the end of the bytes, so damaged files end in an error, never past the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// "AutoCAD Binary DXF" CR LF SUB NUL: the first bytes of a binary DXF file.
inline constexpr std::string_view kBinaryDxfSentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

struct DxfGroup {
    int code = 0;
    std::string_view text;  // the value as text (ASCII files; strings of binary files)
    double real = 0.0;      // binary files: a floating-point value
    std::int64_t integer = 0;  // binary files: an integer value
};

class DxfGroups {
public:
    explicit DxfGroups(std::string_view bytes);

    // The next group; false at the end of the bytes or, with Damaged() set, on a broken one.
    bool Next(DxfGroup& g);
    bool Damaged() const { return m_damaged; }
    bool Binary() const { return m_binary; }

    // The value of a group as a number; false (and Damaged() set) when it is none or not finite.
    bool Real(const DxfGroup& g, double& v);
    bool Integer(const DxfGroup& g, std::int64_t& v);

private:
    bool NextAscii(DxfGroup& g);
    bool NextBinary(DxfGroup& g);
    // One line without its line break, or false at the end of the bytes.
    bool Line(std::string_view& line);
    bool Fail() {
        m_damaged = true;
        return false;
    }

    const char* m_p;
    const char* m_end;
    bool m_binary = false;
    bool m_shortCodes = false;  // R12 binary: one-byte group codes
    bool m_damaged = false;
};

// Blanks and tabs cut from both ends, as numbers and names are compared.
std::string_view TrimDxf(std::string_view s);
// Names in DXF files compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view s);
